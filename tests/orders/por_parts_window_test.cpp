#include "orders/tfrm_por_parts.h"

#include "common/session.h"
#include "data/database.h"
#include "orders/order_parts_fixture.h"
#include "platform/data_grid.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace morlenta;
using namespace morlenta::orders;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

namespace {

class PorPartsWindow : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        session.db = &db();
        session.prompt = &prompt;
        session.settings = &settings();
        test::PartsFixture f(db());
        glass = f.part(QStringLiteral("Стъкло 6300"), 2, 12, {}, QStringLiteral("Дисплей"), 1,
                       QStringLiteral("G-63"));
        lcd = f.part(QStringLiteral("LCD 3310"), 2, 30, {QStringLiteral("SN-1"), QStringLiteral("SN-2")});
        f.part(QStringLiteral("Изчерпан"), 0, 5);
        tech = f.clerk(QStringLiteral("Петър"));
        f.clerk(QStringLiteral("Иван"));
        holding = f.holding(tech, glass, 2);
    }
    static void click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
    static void open(QDialog &w)
    {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    static void type(QLineEdit *e, const QString &text)
    {
        e->clear();
        QTest::keyClicks(e, text);
    }

    FakePrompt prompt;
    Session session;
    qint64 glass = 0, lcd = 0, tech = 0, holding = 0;
};

} // namespace

TEST_P(PorPartsWindow, QuantityAboveTheStockIsRefusedAndThePickerStaysOpen)
{
    TfrmPorParts w(session, QStringLiteral("Петър"), false);
    open(w);
    EXPECT_FALSE(w.cmbSklad->isEnabled());
    EXPECT_EQ(w.grNal->rowCount(), 2); // only what is in stock
    w.grNal->setCurrentSourceRow(0);
    click(w.Button1);
    ASSERT_TRUE(w.pAmnt->isVisible());
    EXPECT_FALSE(w.listSN->isVisible());
    EXPECT_TRUE(w.eAmnt->isEnabled());
    EXPECT_EQ(w.eAmnt->text(), QStringLiteral("1"));
    EXPECT_FALSE(w.Button1->isEnabled());

    type(w.eAmnt, QStringLiteral("x5"));
    EXPECT_EQ(w.eAmnt->text(), QStringLiteral("5")); // digits only
    click(w.btnRec);
    EXPECT_EQ(prompt.texts(), QStringList{amountAboveStockText()});
    EXPECT_TRUE(w.eAmnt->text().isEmpty());
    EXPECT_TRUE(w.pAmnt->isVisible());
    w.reject(); // not while the quantity is asked
    EXPECT_TRUE(w.isVisible());

    type(w.eAmnt, QStringLiteral("2"));
    click(w.btnRec);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const PartPick p = w.pick();
    EXPECT_EQ(p.idPart, glass);
    EXPECT_EQ(p.amount, 2);
    EXPECT_TRUE(p.serial.isEmpty());
    EXPECT_EQ(p.source, FromShop);
}

TEST_P(PorPartsWindow, SerialPartGoesByItsSerialAndAGoneSerialIsRefused)
{
    TfrmPorParts w(session, QStringLiteral("Петър"), true);
    open(w);
    type(w.eType, QStringLiteral("lcd*"));
    click(w.btnSearch);
    ASSERT_EQ(w.grNal->rowCount(), 1);
    click(w.Button1);
    ASSERT_TRUE(w.listSN->isVisible());
    EXPECT_EQ(w.listSN->currentText(), QStringLiteral("SN-1"));
    EXPECT_EQ(w.listSN->count(), 2);
    EXPECT_FALSE(w.eAmnt->isEnabled());
    w.listSN->setCurrentIndex(1);
    click(w.btnRec);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.pick().idPart, lcd);
    EXPECT_EQ(w.pick().amount, 1);
    EXPECT_EQ(w.pick().serial, QStringLiteral("SN-2"));

    // Shown again: the search is emptied; meanwhile another computer sold SN-1.
    open(w);
    EXPECT_TRUE(w.eType->text().isEmpty());
    EXPECT_EQ(w.grNal->rowCount(), 2);
    w.grNal->setCurrentSourceRow(1);
    click(w.Button1);
    ASSERT_EQ(w.listSN->currentText(), QStringLiteral("SN-1"));
    db().execute(QStringLiteral("delete from PartSN where SN = 'SN-1'"));
    click(w.btnRec);
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(prompt.texts(), QStringList{partNotInStockText()});
}

TEST_P(PorPartsWindow, TechniciansHoldingWithItsCount)
{
    TfrmPorParts w(session, QStringLiteral("Иван"), true);
    open(w);
    // Nothing held by this technician: the shop's stock stays.
    w.cmbSklad->setCurrentIndex(FromTechnician);
    EXPECT_EQ(w.cmbSklad->currentIndex(), int(FromShop));
    EXPECT_TRUE(w.grNal->isVisible());

    w.setTechnician(QStringLiteral("Петър"), true);
    w.cmbSklad->setCurrentIndex(FromTechnician);
    ASSERT_EQ(w.cmbSklad->currentIndex(), int(FromTechnician));
    EXPECT_TRUE(w.grClerk->isVisible());
    EXPECT_FALSE(w.grNal->isVisible());
    EXPECT_FALSE(w.eType->isEnabled());
    EXPECT_FALSE(w.btnSearch->isEnabled());
    ASSERT_EQ(w.grClerk->rowCount(), 1);
    click(w.Button1);
    ASSERT_TRUE(w.pbFromClerk->isVisible());
    EXPECT_EQ(w.eBr->text(), QStringLiteral("1"));
    for (const char *wrong : {"3", "0"}) {
        type(w.eBr, QLatin1String(wrong));
        click(w.btnRec2);
        EXPECT_EQ(w.eBr->text(), QStringLiteral("1")) << wrong;
        EXPECT_TRUE(w.isVisible());
    }
    type(w.eBr, QStringLiteral("2"));
    click(w.btnRec2);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const PartPick p = w.pick();
    EXPECT_EQ(p.source, FromTechnician);
    EXPECT_EQ(p.idPart, glass);
    EXPECT_EQ(p.amount, 2);
    EXPECT_EQ(p.clerkStockRow, holding);
    EXPECT_TRUE(prompt.records().isEmpty());
}

MORLENTA_ON_BOTH_ENGINES(PorPartsWindow);
