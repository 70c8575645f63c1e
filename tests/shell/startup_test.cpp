#include "shell/startup.h"

#include "common/local_settings.h"
#include "common/preferences.h"
#include "data/database.h"
#include "data/default_database.h"
#include "support/fake_prompt.h"
#include "support/qt_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace morlenta;
using namespace morlenta::shell;
using morlenta::test::FakePrompt;

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings = std::make_unique<LocalSettings>(dir.filePath(QStringLiteral("Morlenta.conf")));
        options.programDir = dir.path();
        options.defaultDatabasePath = dir.filePath(QStringLiteral("DataBase/Morlenta.sv"));
        options.version = 3.79;
        options.today = QDate(2026, 12, 11);
        options.onNetwork = [](const QString &) { return false; };
        options.chooseDatabaseFile = [this] {
            ++dialogs;
            return chosen;
        };
    }
    StartupResult start() { return runStartup(prompt, *settings, options); }
    QString makeDatabase(const QString &name)
    {
        const QString path = dir.filePath(name);
        data::createDefaultDatabase(path, QStringLiteral("x"));
        return path;
    }

    QTemporaryDir dir;
    std::unique_ptr<LocalSettings> settings;
    StartupOptions options;
    FakePrompt prompt;
    QString chosen;
    int dialogs = 0;
};

const QString kNotFound = QStringLiteral("Не е намерена базата данни!\n\nЖелаете ли да я потърсите ръчно?");

} // namespace

TEST_F(StartupTest, FreshMachineGetsTheDefaultDatabaseWithItsPreferences)
{
    StartupResult r = start();
    ASSERT_TRUE(r);
    EXPECT_TRUE(r.createdNewDatabase);
    EXPECT_TRUE(QFile::exists(options.defaultDatabasePath));
    EXPECT_EQ(settings->text(QLatin1String(Local::BaseFile)), options.defaultDatabasePath);
    EXPECT_EQ(settings->text(QLatin1String(Local::Version)), QStringLiteral("3.79"));
    EXPECT_EQ(r.prefs->intValue(QLatin1String(Pref::FirstTimeYear)), 2026);
    EXPECT_TRUE(prompt.records().isEmpty());
}

TEST_F(StartupTest, ProgramOnANetworkShareIsRefused)
{
    options.onNetwork = [this](const QString &p) { return p == options.programDir; };
    EXPECT_FALSE(start());
    ASSERT_EQ(prompt.records().size(), 1);
    EXPECT_EQ(prompt.records()[0].caption, QStringLiteral("Грешка"));
    EXPECT_TRUE(prompt.records()[0].text.startsWith(
        QStringLiteral("Не можете да стартирате тази програма през мрежата!\n\n")));
    EXPECT_FALSE(settings->contains(QLatin1String(Local::Version)));
    EXPECT_FALSE(QFile::exists(options.defaultDatabasePath));
}

TEST_F(StartupTest, VersionCheck)
{
    const struct {
        const char *stored;
        bool asked;
    } cases[] = {{"3.80", true}, {"3.79", false}, {"3.1", false}, {"не е число", false}};
    for (const auto &c : cases) {
        settings->setValue(QLatin1String(Local::Version), QString::fromUtf8(c.stored));
        FakePrompt local;
        if (c.asked)
            local.expectQuestion(QStringLiteral("В момента стартирате по-стара версия на програмата"),
                                 PromptAnswer::No);
        StartupResult r = runStartup(local, *settings, options);
        EXPECT_EQ(bool(r), !c.asked) << c.stored;
        if (c.asked) {
            EXPECT_EQ(local.records()[0].caption, QStringLiteral("Внимание"));
            EXPECT_EQ(settings->text(QLatin1String(Local::Version)), QStringLiteral("3.80"));
        } else {
            EXPECT_EQ(settings->text(QLatin1String(Local::Version)), QStringLiteral("3.79")) << c.stored;
        }
    }
    // Yes goes on and records this version.
    settings->setValue(QLatin1String(Local::Version), QStringLiteral("4.00"));
    prompt.expectQuestion(QStringLiteral("по-стара версия"), PromptAnswer::Yes);
    EXPECT_TRUE(start());
    EXPECT_EQ(settings->text(QLatin1String(Local::Version)), QStringLiteral("3.79"));
}

TEST_F(StartupTest, MissingDatabaseDeclinedOrDialogCancelledEndsTheStart)
{
    const QString elsewhere = dir.filePath(QStringLiteral("other/Shop.sv"));
    settings->setValue(QLatin1String(Local::BaseFile), elsewhere);
    prompt.expectQuestion(kNotFound, PromptAnswer::No);
    EXPECT_FALSE(start());
    EXPECT_EQ(prompt.records()[0].caption, QStringLiteral("Грешка"));
    EXPECT_EQ(dialogs, 0);

    FakePrompt again;
    again.expectQuestion(kNotFound, PromptAnswer::Yes);
    EXPECT_FALSE(runStartup(again, *settings, options)); // the dialog is cancelled
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(QFile::exists(elsewhere));
    EXPECT_FALSE(QFile::exists(options.defaultDatabasePath));
}

TEST_F(StartupTest, ChosenFileIsStoredAndUsed)
{
    // A folder is no database either.
    settings->setValue(QLatin1String(Local::BaseFile), dir.path());
    chosen = makeDatabase(QStringLiteral("Shop.sv"));
    prompt.expectQuestion(kNotFound, PromptAnswer::Yes);
    StartupResult r = start();
    ASSERT_TRUE(r);
    EXPECT_FALSE(r.createdNewDatabase);
    EXPECT_EQ(settings->text(QLatin1String(Local::BaseFile)), chosen);
    EXPECT_EQ(QFileInfo(r.db->location()).absoluteFilePath(), QFileInfo(chosen).absoluteFilePath());
}

TEST_F(StartupTest, FailedOpenOffersTheRestore)
{
    const QString text = dir.filePath(QStringLiteral("broken.sv"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("no database here");
    f.close();
    settings->setValue(QLatin1String(Local::BaseFile), text);
    int restores = 0;
    options.startupRestore = [&] { ++restores; };
    prompt.expectQuestion(QStringLiteral("Желаете ли да възстановите архив?"), PromptAnswer::Yes);
    EXPECT_FALSE(start());
    ASSERT_EQ(prompt.records().size(), 2);
    EXPECT_EQ(prompt.records()[0].text, QStringLiteral("Грешка при отварянето на базата данни!"));
    EXPECT_EQ(prompt.records()[0].caption, QStringLiteral("Грешка"));
    EXPECT_EQ(prompt.records()[1].caption, QStringLiteral("Възстановяване"));
    EXPECT_EQ(restores, 1);

    FakePrompt no;
    no.expectQuestion(QStringLiteral("възстановите архив"), PromptAnswer::No);
    EXPECT_FALSE(runStartup(no, *settings, options));
    EXPECT_EQ(restores, 1);
}

TEST(Caption, VersionWithTwoDecimalsAndAPoint)
{
    EXPECT_EQ(mainCaption(3.8), QStringLiteral("Morlenta - версия 3.80"));
    EXPECT_EQ(versionText(0.1), QStringLiteral("0.10"));
}
