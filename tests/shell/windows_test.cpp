#include "common/local_settings.h"
#include "common/preferences.h"
#include "common/session.h"
#include "data/database.h"
#include "shell/login.h"
#include "shell/own_firm.h"
#include "shell/tfrm_myinfo.h"
#include "shell/tsr_main.h"
#include "shell/tsr_pass.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace morlenta;
using namespace morlenta::shell;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

class WindowsTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        settings().setValue(QLatin1String(Local::User), QStringLiteral("Administrator"));
        session.db = &db();
        session.prompt = &prompt;
        session.settings = &settings();
    }
    FakePrompt prompt;
    Session session;
};

TEST_P(WindowsTest, LoginWindowTakesTheRememberedNameAndLogsIn)
{
    Login login(db(), prompt, settings());
    TsrPass w(login);
    w.show();
    EXPECT_EQ(w.ePotr->text(), QStringLiteral("Administrator"));
    EXPECT_TRUE(w.ePass->text().isEmpty());
    QTest::keyClicks(w.ePass, QStringLiteral("wrong"));
    QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.ePass->text().isEmpty());
    QTest::keyClicks(w.ePass, QStringLiteral(" admin "));
    QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(login.clerk().id, 1);
}

TEST_P(WindowsTest, OwnFirmWindowAtFirstStartCanOnlyBeLeftByARecord)
{
    TfrmMyInfo w(db(), prompt);
    w.setCancelEnabled(false);
    w.show();
    w.close();
    EXPECT_TRUE(w.isVisible());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());

    QTest::keyClicks(w.eNDR, QStringLiteral("12ab34567890")); // letters never arrive
    EXPECT_EQ(w.eNDR->text(), QStringLiteral("1234567890"));
    w.eName->setText(QStringLiteral("  Сервиз ООД "));
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Внимание - грешно въведен БУЛСТАТ на фирмата!"));
    EXPECT_EQ(w.eName->text(), QStringLiteral("Сервиз ООД"));
    EXPECT_FALSE(hasOwnFirm(db()));

    w.eBul->setText(QStringLiteral("123456789"));
    w.eAdres->setText(QStringLiteral("София"));
    w.eMol->setText(QStringLiteral("Иван Петров"));
    w.eServName->setText(QStringLiteral("Сервиз"));
    w.eServAdres->setText(QStringLiteral("София"));
    w.eServPhones->setText(QStringLiteral("0888 123 456"));
    QTest::mouseClick(w.btnRec, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(loadOwnFirm(db()).name, QStringLiteral("Сервиз ООД"));
}

TEST_P(WindowsTest, MainWindowShowsTheClerkAndAsksBeforeExit)
{
    session.clerkName = QStringLiteral("Мария");
    session.rights = QString(47, QLatin1Char('2'));
    TsrMain w(session, 3.8);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Morlenta - версия 3.80"));
    EXPECT_EQ(w.statusUser()->text(), QStringLiteral("Потребител: Мария"));
    for (const CommandDef &c : mainCommands())
        EXPECT_NE(w.findChild<QAction *>(QLatin1String(c.object)), nullptr) << c.object;
    w.show();
    prompt.expectQuestion(QStringLiteral("Желаете ли да излезете от програмата?"), PromptAnswer::No);
    w.close();
    EXPECT_TRUE(w.isVisible());
    int archives = 0;
    w.autoArchive = [&] { ++archives; };
    settings().setValue(QLatin1String(Local::AutoArchive), true);
    prompt.expectQuestion(QStringLiteral("Желаете ли да излезете от програмата?"), PromptAnswer::Yes);
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(archives, 1);
}

TEST_P(WindowsTest, RatesShowOnlyWithForeignCurrenciesAndTheCashDeskNeedsItsRight)
{
    Preferences prefs(db());
    prefs.fillDefaults(QDate::currentDate());
    session.prefs = &prefs;
    session.clerkId = 1;
    session.rights = QString(47, QLatin1Char('1'));
    session.rights[Right::CashDesk - 1] = QLatin1Char('2');
    TsrMain w(session, 3.8);
    EXPECT_FALSE(w.findChild<QAction *>(QStringLiteral("mnVal"))->isVisible());
    prefs.setInt(QLatin1String(Pref::Currency), 1);
    w.updateCommandVisibility();
    EXPECT_TRUE(w.findChild<QAction *>(QStringLiteral("mnVal"))->isVisible());

    EXPECT_FALSE(w.commands().runAnchor(QStringLiteral("kasa")));
    session.rights[Right::CashDesk - 1] = QLatin1Char('1');
    // Renamed on another computer: the status bar follows once the clerks list closes.
    db().execute(QStringLiteral("update clerks set Name = ? where id = 1"), {QStringLiteral("Шефът")});
    QStringList opened;
    for (const char *handler : {"bKasaClick", "mnClerksClick", "mnValClick"}) {
        QTimer::singleShot(0, [&opened] {
            QWidget *dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            opened << dialog->objectName();
            dialog->close();
        });
        EXPECT_TRUE(w.commands().run(QLatin1String(handler))) << handler;
    }
    EXPECT_EQ(opened, (QStringList{QStringLiteral("TsrKasa"), QStringLiteral("TsrClerks"),
                                   QStringLiteral("TsrCourse")}));
    EXPECT_EQ(w.statusUser()->text(), QStringLiteral("Потребител: Шефът"));
}

MORLENTA_ON_BOTH_ENGINES(WindowsTest);
