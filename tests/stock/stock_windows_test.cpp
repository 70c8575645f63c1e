#include "common/local_settings.h"
#include "common/rights.h"
#include "common/session.h"
#include "platform/data_grid.h"
#include "shell/commands.h"
#include "shell/tsr_main.h"
#include "stock/serial_stock.h"
#include "stock/tfrm_arts_marks.h"
#include "stock/tfrm_nal_sn.h"
#include "stock/tsr_parts.h"
#include "stock/tsr_type.h"

#include "support/db_fixture.h"
#include "support/fake_prompt.h"
#include "tests/platform/pdf_text.h"
#include "tests/stock/stock_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

using namespace morlenta;
using namespace morlenta::stock;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

namespace {

const QString kNotFound = QStringLiteral("Този баркод не е намерен");

class StockWindowsTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        session.db = &db();
        session.prompt = &prompt;
        session.settings = &settings();
        session.rights = administratorRights();
        session.printFooter = QStringLiteral("Сервиз Дравик, тел. 0888 000 000");
        display = test::addType(db(), QStringLiteral("Дисплей"));
        nokia = test::addBrand(db(), QStringLiteral("Нокия"));
        lcd = test::addPart(db(), QStringLiteral("LCD 3310"), display, nokia, QStringLiteral("4006381333931"),
                            2);
        glass = test::addPart(db(), QStringLiteral("Стъкло 6300"), display, nokia,
                              QStringLiteral("590000000001"), 0);
    }
    static void click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
    // Shown and active, so that the focus can be checked.
    static void open(QWidget &w)
    {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    int parts() { return test::count(db(), QStringLiteral("select count(*) from parts")); }

    FakePrompt prompt;
    Session session;
    qint64 display = 0, nokia = 0, lcd = 0, glass = 0;
};

} // namespace

TEST_P(StockWindowsTest, CatalogueAddsAnArticleThroughTheEditPanel)
{
    TsrParts w(session, nullptr);
    open(w);
    EXPECT_FALSE(w.editing());
    EXPECT_TRUE(w.fullList());
    EXPECT_EQ(w.grid->rowCount(), 2);
    EXPECT_FALSE(w.grid->isColumnVisible(QStringLiteral("TypeID")));
    EXPECT_TRUE(w.grid->isColumnVisible(QStringLiteral("Marka")));

    click(w.btnIns);
    ASSERT_TRUE(w.editing());
    EXPECT_FALSE(w.grid->isEnabled());
    EXPECT_FALSE(w.mnExit->isEnabled());
    EXPECT_TRUE(w.dbPart->hasFocus());
    w.close();
    EXPECT_TRUE(w.isVisible()) << "not while the edit panel is shown";

    QTest::keyClicks(w.dbPart, QStringLiteral("  LCD 3310 "));
    QTest::keyClicks(w.ePartNo, QStringLiteral("ab-12xY"));
    QTest::keyClicks(w.dbBarcode, QStringLiteral("59a0b1-Z ;"));
    EXPECT_EQ(w.ePartNo->text(), QStringLiteral("-12Y")) << "lower case and other characters are swallowed";
    EXPECT_EQ(w.dbBarcode->text(), QStringLiteral("5901-Z"));
    w.ePartNo->setText(QStringLiteral("old-1")); // as an older file may hold it: still editable
    QTest::keyClick(w.ePartNo, Qt::Key_Backspace);
    QTest::keyClicks(w.ePartNo, QStringLiteral("x2"));
    EXPECT_EQ(w.ePartNo->text(), QStringLiteral("old-2"));
    w.ePartNo->setText(QStringLiteral("-12Y"));
    click(w.btnRec);
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Моля въведете тип за частта!"));
    EXPECT_TRUE(w.LookType->hasFocus());
    EXPECT_EQ(w.dbPart->text(), QStringLiteral("LCD 3310"));
    w.LookType->setCurrentIndex(w.LookType->findText(QStringLiteral("Дисплей")));
    w.lookMarka->setCurrentIndex(w.lookMarka->findText(QStringLiteral("Нокия")));
    click(w.btnRec);
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Нокия Дисплей LCD 3310 вече е въведен!"));
    EXPECT_TRUE(w.dbPart->hasFocus());
    EXPECT_TRUE(w.editing()) << "a refused save leaves the panel";

    // A new brand from the panel: the brands window opens with a new entry and comes back with it chosen.
    QTimer::singleShot(0, [&] {
        auto *m = w.findChild<TsrType *>(QStringLiteral("TsrPartMarka"));
        ASSERT_NE(m, nullptr);
        EXPECT_TRUE(m->entryOpen());
        m->dbType->setText(QStringLiteral("Samsung"));
        click(m->btnRec);
        m->close();
    });
    click(w.btnAddMarka);
    EXPECT_EQ(w.lookMarka->currentText(), QStringLiteral("Samsung"));
    open(w); // active again after the brands window
    w.moreInfo->setPlainText(QString(250, QLatin1Char('x')));
    EXPECT_EQ(w.moreInfo->toPlainText().size(), 200);
    click(w.btnRec);
    EXPECT_FALSE(w.editing());
    EXPECT_EQ(parts(), 3);
    EXPECT_EQ(w.grid->rowCount(), 3);
    EXPECT_FALSE(w.grid->isColumnVisible(QStringLiteral("TypeID"))) << "the list is loaded again as it was";
    EXPECT_EQ(w.grid->currentValue(QStringLiteral("Marka")).toString(), QStringLiteral("Samsung"));
    EXPECT_EQ(w.grid->currentValue(QStringLiteral("barcode")).toString(), QStringLiteral("5901-Z"));
    EXPECT_TRUE(w.btnIns->hasFocus());

    // Editing the current row keeps it one article; Escape leaves the panel first.
    const qint64 id = w.currentId();
    click(w.btnEdit);
    EXPECT_EQ(w.dbPart->text(), QStringLiteral("LCD 3310"));
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.editing());
    EXPECT_TRUE(w.isVisible());
    click(w.btnEdit);
    w.ePartNo->setText(QStringLiteral("N-1"));
    click(w.btnRec);
    EXPECT_FALSE(w.editing());
    EXPECT_EQ(db().scalar(QStringLiteral("select PartNo from parts where id = ?"), {id}).toString(),
              QStringLiteral("N-1"));
    EXPECT_EQ(parts(), 3);
}

TEST_P(StockWindowsTest, CatalogueSearchPanel)
{
    TsrParts w(session, nullptr);
    open(w);
    w.mnSearch->trigger();
    ASSERT_TRUE(w.pSearch->isVisible());
    EXPECT_FALSE(w.grid->isEnabled());
    EXPECT_FALSE(w.btnIns->isEnabled());
    EXPECT_TRUE(w.searchStr->hasFocus());

    // An empty text: the articles in stock only.
    click(w.btnSpr);
    EXPECT_FALSE(w.pSearch->isVisible());
    EXPECT_TRUE(w.fullList());
    EXPECT_EQ(w.grid->rowCount(), 1);

    w.mnSearch->trigger();
    w.chk1->setChecked(false);
    w.searchStr->setText(QStringLiteral("*стъкло*"));
    click(w.btnSpr);
    EXPECT_TRUE(w.chk1->hasFocus()) << "no column ticked";
    EXPECT_TRUE(w.pSearch->isVisible());
    w.chk1->setChecked(true);
    click(w.btnSpr);
    EXPECT_FALSE(w.fullList());
    ASSERT_EQ(w.grid->rowCount(), 1);
    EXPECT_EQ(w.currentId(), glass);
    EXPECT_TRUE(w.grid->isEnabled());

    // Nothing found: the panel comes back for another try.
    w.mnSearch->trigger();
    QTest::keyClicks(w.searchStr, QStringLiteral("O'Brien 100%"));
    QTest::keyClick(w.searchStr, Qt::Key_Return);
    EXPECT_TRUE(w.pSearch->isVisible());
    EXPECT_EQ(w.grid->rowCount(), 0);
    click(w.BitBtn1);
    EXPECT_FALSE(w.pSearch->isVisible());
    EXPECT_TRUE(w.btnIns->isEnabled());
}

TEST_P(StockWindowsTest, ScannedCodesInTheCatalogue)
{
    TsrParts w(session, nullptr);
    open(w);
    // In the list: that row becomes current, case-sensitively.
    w.barcodeScanned(QStringLiteral("590000000001"));
    EXPECT_EQ(w.currentId(), glass);
    EXPECT_TRUE(prompt.records().isEmpty());

    // Unknown in the whole list: the question; No leaves everything as it was.
    prompt.expectQuestion(kNotFound, PromptAnswer::No);
    w.barcodeScanned(QStringLiteral("123'; drop"));
    EXPECT_FALSE(w.editing());
    prompt.expectQuestion(kNotFound, PromptAnswer::Yes);
    w.barcodeScanned(QStringLiteral("2000000000015"));
    ASSERT_TRUE(w.editing());
    EXPECT_EQ(w.dbBarcode->text(), QStringLiteral("2000000000015"));
    EXPECT_TRUE(w.dbPart->text().isEmpty());
    // While the panel is shown a code goes into the barcode field.
    w.barcodeScanned(QStringLiteral("2000000000022"));
    EXPECT_EQ(w.dbBarcode->text(), QStringLiteral("2000000000022"));
    click(w.btnCancel);
    EXPECT_EQ(parts(), 2);

    // A narrowed list looks the code up in the database and shows that article alone.
    w.mnSearch->trigger();
    QTest::keyClicks(w.searchStr, QStringLiteral("LCD*"));
    click(w.btnSpr);
    ASSERT_EQ(w.grid->rowCount(), 1);
    w.barcodeScanned(QStringLiteral("590000000001"));
    ASSERT_EQ(w.grid->rowCount(), 1);
    EXPECT_EQ(w.currentId(), glass);
    EXPECT_FALSE(w.fullList());
    prompt.expectQuestion(kNotFound, PromptAnswer::No);
    w.barcodeScanned(QStringLiteral("590000000002"));
    EXPECT_EQ(w.currentId(), glass);
    EXPECT_EQ(prompt.records().size(), 3);
}

TEST_P(StockWindowsTest, CatalogueHidesTheCostWithoutTheRightAndPrintsItsTitle)
{
    session.rights = rightsPreset(2);
    session.rights[Right::InvoiceRegister - 1] = QLatin1Char('2');
    TsrParts w(session, nullptr);
    open(w);
    EXPECT_FALSE(w.grid->isColumnVisible(QStringLiteral("inPrice")));
    EXPECT_TRUE(w.grid->isColumnVisible(QStringLiteral("salePrice")));
    const QString pdf = tempPath(QStringLiteral("parts.pdf"));
    ASSERT_TRUE(w.grid->writePdf(pdf));
    const QString text = test::pdfPages(pdf).join(QString());
    EXPECT_TRUE(text.contains(QStringLiteral("Номенклатура на резервни части")));
    EXPECT_TRUE(text.contains(QStringLiteral("Стъкло 6300")));
    EXPECT_TRUE(text.contains(session.printFooter));
}

TEST_P(StockWindowsTest, TypesWindowStartsAnEntryAndRefusesADuplicate)
{
    TsrType w(db(), prompt, NameListKind::PartTypes);
    open(w);
    ASSERT_TRUE(w.entryOpen());
    EXPECT_TRUE(w.dbType->hasFocus());
    EXPECT_FALSE(w.btnIns->isEnabled());
    click(w.btnCancel);
    EXPECT_FALSE(w.entryOpen());
    EXPECT_EQ(w.grid->rowCount(), 1);
    EXPECT_TRUE(w.btnEdit->isEnabled());

    click(w.btnIns);
    w.dbType->setText(QStringLiteral("  "));
    click(w.btnRec);
    EXPECT_TRUE(w.entryOpen());
    EXPECT_TRUE(prompt.records().isEmpty());
    w.dbType->setText(QStringLiteral(" дисплей "));
    click(w.btnRec);
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Такъв вид вече е въведен!"));
    EXPECT_TRUE(w.entryOpen());
    EXPECT_EQ(w.dbType->selectedText(), QStringLiteral("дисплей"));
    w.close();
    EXPECT_TRUE(w.isVisible());
    w.dbType->setText(QStringLiteral("Батерия"));
    click(w.btnRec);
    EXPECT_FALSE(w.entryOpen());
    EXPECT_EQ(w.grid->rowCount(), 2);
    EXPECT_FALSE(w.grid->isColumnVisible(QStringLiteral("id")));
    EXPECT_EQ(w.grid->currentValue(QStringLiteral("Type")).toString(), QStringLiteral("Батерия"));
    EXPECT_TRUE(w.btnIns->hasFocus());
}

TEST_P(StockWindowsTest, ArticlesAndBrandsAreEditedInPlace)
{
    db().insert(QStringLiteral("art"), {{QStringLiteral("Art"), QStringLiteral("Телефон")}});
    TfrmArtsMarks w(db(), prompt);
    open(w);
    EXPECT_EQ(w.dtArt->currentRow(), 0);
    click(w.btnNewArt);
    ASSERT_EQ(w.dtArt->rowCount(), 2);
    w.dtArt->item(1, 0)->setText(QStringLiteral(" Таблет "));
    w.dtArt->item(0, 0)->setText(QStringLiteral("Мобилен телефон"));
    click(w.btnNewMarka);
    w.dtMarka->item(0, 0)->setText(QStringLiteral("Nokia"));
    click(w.btnNewMarka);
    w.dtMarka->item(1, 0)->setText(QStringLiteral("NOKIA"));
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Такъв вид вече е въведен!"));
    QTRY_COMPARE(w.dtMarka->rowCount(), 1);
    // A pending edit is dropped when the window closes.
    click(w.btnNewArt);
    w.close();
    w.dtArt->item(w.dtArt->rowCount() - 1, 0)->setText(QStringLiteral("Не се записва"));
    QSqlQuery q = db().exec(QStringLiteral("select Art from art order by idArt"));
    QStringList arts;
    while (q.next())
        arts << q.value(0).toString();
    EXPECT_EQ(arts, (QStringList{QStringLiteral("Мобилен телефон"), QStringLiteral("Таблет")}));
    EXPECT_EQ(test::count(db(), QStringLiteral("select count(*) from marka")), 1);
}

TEST_P(StockWindowsTest, SerialNumbersWindowSearches)
{
    SerialStock sn(db());
    for (const char *s : {"IMEI-35693803", "IMEI-35693811", "SN-0001"})
        ASSERT_TRUE(sn.add(lcd, QString::fromLatin1(s)));
    TfrmNalSN w(session);
    open(w);
    EXPECT_TRUE(w.eSearch->hasFocus());
    EXPECT_EQ(w.grid->rowCount(), 3);
    EXPECT_EQ(w.grid->groupColumns().join(QLatin1Char(',')).toLower(), QStringLiteral("type,part"));
    QTest::keyClicks(w.eSearch, QStringLiteral("  imei "));
    QTest::keyClick(w.eSearch, Qt::Key_Return);
    EXPECT_EQ(w.eSearch->text(), QStringLiteral("imei"));
    EXPECT_EQ(w.grid->rowCount(), 2);
    // Open groups show the rows themselves.
    int shownRows = 0;
    for (const GridTableLine &line : w.grid->shownTable().lines)
        shownRows += line.kind == GridTableLine::Row ? 1 : 0;
    EXPECT_EQ(shownRows, 2);
    w.eSearch->setText(QStringLiteral("SN"));
    click(w.Button1);
    EXPECT_EQ(w.grid->rowCount(), 3) << "two characters list everything";
}

TEST_P(StockWindowsTest, MainWindowOpensTheStockWindows)
{
    session.clerkName = QStringLiteral("Мария");
    shell::TsrMain main(session, 3.8);
    for (const char *object : {"bNom", "TBItem7", "TBItem19"})
        EXPECT_NE(main.findChild<QAction *>(QLatin1String(object)), nullptr) << object;
    int opened = 0;
    QTimer::singleShot(0, [&] {
        if (auto *w = main.findChild<TsrParts *>(QStringLiteral("TsrParts"))) {
            ++opened;
            EXPECT_EQ(w->grid->rowCount(), 2);
            w->close();
        }
    });
    EXPECT_TRUE(main.commands().run(QStringLiteral("btPartsClick")));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(prompt.waits().value(0), QStringLiteral("Зареждане на номенклатурата, моля изчакайте ..."));
    EXPECT_FALSE(prompt.waitShown());
    session.saleVisible = true;
    EXPECT_FALSE(main.commands().run(QStringLiteral("btPartsClick")));
}

MORLENTA_ON_BOTH_ENGINES(StockWindowsTest);
