#include "maintenance/archive_actions.h"

#include "common/local_settings.h"
#include "data/database.h"
#include "data/transaction.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

#include <QDir>
#include <QFile>

using namespace morlenta;
using namespace morlenta::maintenance;
using morlenta::data::Engine;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

class ArchiveActionsTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        folder = tempPath(QStringLiteral("templates"));
        QDir().mkpath(folder);
        ui.chooseTarget = [this](const QString &dir, const QString &proposed) {
            offeredFolder = dir;
            offeredName = proposed;
            return target;
        };
        ui.chooseSource = [this](const QString &) { return source; };
    }
    ArchiveActions actions()
    {
        return ArchiveActions(prompt, settings(), ui, tempPath(QStringLiteral("docs")));
    }
    FakePrompt prompt;
    ArchiveUi ui;
    QString folder, target, source, offeredFolder, offeredName;
};

TEST_P(ArchiveActionsTest, ManualArchiveProposesTheDateAndRemembersTheFolder)
{
    auto a = actions();
    EXPECT_FALSE(a.manualArchive(db(), folder)); // cancelled
    EXPECT_TRUE(prompt.records().isEmpty());
    EXPECT_EQ(offeredFolder, tempPath(QStringLiteral("docs")));
    EXPECT_EQ(offeredName,
              QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".srz"));

    QDir().mkpath(tempPath(QStringLiteral("usb")));
    target = tempPath(QStringLiteral("usb/копие"));
    ASSERT_TRUE(a.manualArchive(db(), folder));
    EXPECT_TRUE(QFile::exists(target + QStringLiteral(".srz")));
    ASSERT_EQ(prompt.waits().size(), 1);
    EXPECT_TRUE(
        prompt.waits()[0].startsWith(QStringLiteral("Архивирането базите данни е успешно. Компресията е ")));
    EXPECT_TRUE(prompt.waits()[0].endsWith(QStringLiteral(" %")));
    EXPECT_FALSE(prompt.waitShown());
    EXPECT_EQ(settings().text(QLatin1String(Local::ArchiveDir)), tempPath(QStringLiteral("usb")));

    target = tempPath(QStringLiteral("no/such/folder/a.srz"));
    EXPECT_FALSE(a.manualArchive(db(), folder));
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Грешка при архивирането. Опитайте отново"));
    EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Грешка"));
}

TEST_P(ArchiveActionsTest, RestoreMessages)
{
    auto a = actions();
    target = tempPath(QStringLiteral("a.srz"));
    ASSERT_TRUE(a.manualArchive(db(), folder));
    closeDatabase();

    source = tempPath(QStringLiteral("Morlenta.conf")); // not an archive
    EXPECT_FALSE(a.restore(location(), folder));
    EXPECT_EQ(prompt.texts().last(), QStringLiteral("Грешка при възстановяването!"));
    EXPECT_EQ(prompt.records().last().icon, PromptIcon::Error);

    source = target;
    {
        auto other = openAnother();
        std::unique_ptr<data::Transaction> busy;
        if (engine() == Engine::Sqlite)
            busy = std::make_unique<data::Transaction>(*other);
        EXPECT_FALSE(a.restore(location(), folder));
        EXPECT_EQ(prompt.texts().last(),
                  QStringLiteral("В момента базата данни сe използва от друг потребител"));
        EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Внимание"));
    }
    EXPECT_TRUE(a.restore(location(), folder));
    EXPECT_EQ(prompt.waits().last(), QStringLiteral("Възстановяването от архива е успешно"));

    EXPECT_TRUE(a.startupRestore(location(), folder));
    EXPECT_EQ(prompt.texts().last(),
              QStringLiteral("Възстановяването от архива е успешно!\nСтартирайте програмата отново!"));
    EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Съобщение"));
}

MORLENTA_ON_BOTH_ENGINES(ArchiveActionsTest);
