#include "common/password.h"
#include "common/prompt.h"
#include "common/rights.h"
#include "common/session.h"
#include "platform/data_grid.h"
#include "staff/clerks.h"
#include "staff/rights_tree.h"
#include "staff/tsr_add_clerk.h"
#include "staff/tsr_clerks.h"
#include "support/session_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace morlenta;
using namespace morlenta::staff;
using morlenta::test::SessionTest;

class ClerkWindowsTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        if (IsSkipped())
            return;
    }
    int storeClerk(const QString &name, int worker = KindTechnician, bool active = true)
    {
        Clerk c = newClerk();
        c.name = name;
        c.worker = worker;
        c.active = active;
        c.percent = worker == KindTechnician ? 20 : 0;
        ClerkStore store(db(), prompt);
        EXPECT_TRUE(store.save(c, QStringLiteral("парола")));
        return c.id;
    }
    static int treeNodes(QTreeWidget *tree)
    {
        int n = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            ++n;
        return n;
    }
};

TEST_P(ClerkWindowsTest, NewClerkWithKindLevelAndRights)
{
    TsrAddClerk w(db(), prompt, newClerk());
    w.show();
    EXPECT_GE(treeNodes(w.chkTree), Right::Count);
    EXPECT_EQ(w.cmbStatus->currentIndex(), 0);
    EXPECT_EQ(w.cmbPrefs->currentIndex(), 2);
    EXPECT_TRUE(w.chkTree->isEnabled());
    EXPECT_EQ(w.treeString(), treeRights(newClerkRights()));

    // An employee has no percent.
    w.ePerc->setValue(35);
    w.cmbWorker->setCurrentIndex(KindEmployee);
    EXPECT_EQ(w.ePerc->value(), 0);
    EXPECT_FALSE(w.ePerc->isEnabled());
    w.cmbWorker->setCurrentIndex(KindTechnician);
    EXPECT_TRUE(w.ePerc->isEnabled());
    w.cmbWorker->setCurrentIndex(KindEmployee);

    // Level 0 checks every node; unchecking one member makes its group partly checked.
    w.cmbPrefs->setCurrentIndex(0);
    EXPECT_EQ(w.treeString(), QString(Right::Count, QLatin1Char('1')));
    QTreeWidgetItemIterator it(w.chkTree);
    for (int p = 1; p < Right::CashDesk; ++p)
        ++it;
    (*it)->setCheckState(0, Qt::Unchecked);
    const QString rights = w.treeString();
    EXPECT_EQ(rights.at(Right::CashDesk - 1), QLatin1Char('2'));
    EXPECT_EQ(rights.at(32 - 1), QLatin1Char('3'));
    EXPECT_EQ(rights.count(QLatin1Char('1')), Right::Count - 2);

    w.eName->setText(QStringLiteral(" Мария Петрова "));
    w.eNick->setText(QStringLiteral("maria "));
    w.ePass->setText(QStringLiteral("m1"));
    w.ePay->setValue(950);
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const auto stored = loadClerk(db(), w.clerk().id);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->name, QStringLiteral("Мария Петрова"));
    EXPECT_EQ(stored->nick, QStringLiteral("maria"));
    EXPECT_EQ(stored->worker, int(KindEmployee));
    EXPECT_EQ(stored->percent, 0);
    EXPECT_EQ(stored->nivo, 0);
    EXPECT_DOUBLE_EQ(stored->pay, 950);
    EXPECT_EQ(stored->rights, rights);
    EXPECT_FALSE(hasRight(stored->rights, Right::CashDesk));
    EXPECT_TRUE(hasRight(stored->rights, Right::Clerks));
}

TEST_P(ClerkWindowsTest, ADuplicateNameKeepsTheWindowOpenOnTheName)
{
    storeClerk(QStringLiteral("Иван"));
    TsrAddClerk w(db(), prompt, newClerk());
    w.show();
    w.eName->setText(QStringLiteral("Иван  "));
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Служител с такова име вече е въведен!"));
    EXPECT_EQ(w.focusWidget(), w.eName);
    EXPECT_EQ(w.eName->text(), QStringLiteral("Иван"));
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from clerks")).toInt(), 2);
    QTest::mouseClick(w.btnCancel, Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Rejected);
}

TEST_P(ClerkWindowsTest, EditNeverShowsThePasswordAndTheAdministratorIsLocked)
{
    const int id = storeClerk(QStringLiteral("Георги"));
    const QString hash =
        db().scalar(QStringLiteral("select Password from clerks where id = ?"), {id}).toString();
    {
        TsrAddClerk w(db(), prompt, *loadClerk(db(), id));
        EXPECT_TRUE(w.ePass->text().isEmpty());
        EXPECT_EQ(w.ePass->echoMode(), QLineEdit::Password);
        w.cmbStatus->setCurrentIndex(1);
        QTest::mouseClick(w.btnRec, Qt::LeftButton);
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    const Clerk left = *loadClerk(db(), id);
    EXPECT_FALSE(left.active);
    EXPECT_EQ(db().scalar(QStringLiteral("select Password from clerks where id = ?"), {id}).toString(), hash);

    const Clerk admin = *loadClerk(db(), kAdministratorId);
    TsrAddClerk w(db(), prompt, admin);
    for (QWidget *locked : {static_cast<QWidget *>(w.cmbStatus), static_cast<QWidget *>(w.cmbWorker),
                            static_cast<QWidget *>(w.cmbPrefs), static_cast<QWidget *>(w.chkTree)})
        EXPECT_FALSE(locked->isEnabled()) << locked->objectName().toStdString();
    EXPECT_TRUE(w.eName->isEnabled());
    EXPECT_TRUE(w.ePass->text().isEmpty());
    w.ePass->setText(QStringLiteral("ново"));
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    const Clerk after = *loadClerk(db(), kAdministratorId);
    EXPECT_EQ(after.rights, admin.rights);
    EXPECT_EQ(after.nivo, admin.nivo);
    EXPECT_TRUE(after.active);
    EXPECT_TRUE(
        checkPassword(db().scalar(QStringLiteral("select Password from clerks where id = 1")).toString(),
                      QStringLiteral("ново")));
}

TEST_P(ClerkWindowsTest, TheListShowsKindAndStatusAndOpensTheClerkWindow)
{
    storeClerk(QStringLiteral("Техник Тодор"));
    storeClerk(QStringLiteral("Напуснала Нина"), KindEmployee, false);
    TsrClerks w(session);
    w.show();
    ASSERT_EQ(w.grNames->rowCount(), 3);
    // PostgreSQL gives the column names in lower case.
    EXPECT_EQ(w.grNames->visibleColumns().join(QLatin1Char(',')).toLower(),
              QStringLiteral("name,pay,percent,rabotnik,status"));
    const GridTable shown = w.grNames->shownTable();
    EXPECT_EQ(shown.lines[1].cells.mid(3),
              (QStringList{QStringLiteral("Техник"), QStringLiteral("Работещ")}));
    EXPECT_EQ(shown.lines[2].cells.mid(3),
              (QStringList{QStringLiteral("Служител"), QStringLiteral("Напуснал")}));

    // A new clerk through the window; the list then stands on him.
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<TsrAddClerk *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->eName->setText(QStringLiteral("Нов Техник"));
        QTest::mouseClick(dialog->btnRec, Qt::LeftButton);
    });
    const int id = w.brnInsClick();
    EXPECT_GT(id, 0);
    EXPECT_EQ(w.grNames->rowCount(), 4);
    EXPECT_EQ(w.grNames->currentValue(QStringLiteral("Name")).toString(), QStringLiteral("Нов Техник"));
}

MORLENTA_ON_BOTH_ENGINES(ClerkWindowsTest);
