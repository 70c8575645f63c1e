#include "maintenance/archive.h"

#include "data/database.h"
#include "data/snapshot.h"
#include "data/transaction.h"
#include "maintenance/backup.h"
#include "support/db_fixture.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

using namespace morlenta;
using morlenta::test::readFile;
using morlenta::test::writeFile;
using namespace morlenta::maintenance;
using morlenta::data::Engine;
using morlenta::test::DbTest;

class ArchiveTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        folder = tempPath(QStringLiteral("templates"));
        QDir().mkpath(folder);
        writeFile(QDir(folder).filePath(QStringLiteral("serv_order.rtf")), "{\\rtf1 %servicename%}");
        archiveDir = tempPath(QStringLiteral("archives"));
        QDir().mkpath(archiveDir);
    }
    void addKasa(double amount, const QString &notes)
    {
        db().insert(QStringLiteral("kasa"), {{QStringLiteral("Data"), QDate(2026, 12, 11)},
                                             {QStringLiteral("Suma"), amount},
                                             {QStringLiteral("idVal"), 1},
                                             {QStringLiteral("Notes"), notes}});
    }
    QString kasaText()
    {
        QString out;
        QSqlQuery q = db().exec(QStringLiteral("select id, Data, Suma, Notes from kasa order by id"));
        while (q.next())
            out += q.value(0).toString() + QLatin1Char(' ') + q.value(1).toDate().toString(Qt::ISODate) +
                   QLatin1Char(' ') + q.value(2).toString() + QLatin1Char(' ') + q.value(3).toString() +
                   QLatin1Char('\n');
        return out;
    }
    QString folder;
    QString archiveDir;
};

TEST_P(ArchiveTest, ArchiveChangeRestoreGivesTheDataBackExactly)
{
    addKasa(12.5, QStringLiteral("Плащане поръчка №1 'бърза'"));
    addKasa(-3.25, QStringLiteral("Разход"));
    const QString before = kasaText();
    const QString archive = QDir(archiveDir).filePath(QStringLiteral("2026-12-11.srz"));
    const ArchiveOutcome made = makeArchive(db(), folder, archive);
    ASSERT_TRUE(made.ok()) << made.detail.toStdString();
    QString why;
    EXPECT_TRUE(checkArchive(archive, &why)) << why.toStdString();

    db().execute(QStringLiteral("delete from kasa"));
    addKasa(99, QStringLiteral("по-късно"));
    writeFile(QDir(folder).filePath(QStringLiteral("serv_order.rtf")), "changed");
    closeDatabase();

    const ArchiveOutcome restored = restoreArchive(archive, location(), folder);
    ASSERT_TRUE(restored.ok()) << restored.detail.toStdString();
    reopenDatabase();
    EXPECT_EQ(kasaText(), before);
    EXPECT_EQ(readFile(QDir(folder).filePath(QStringLiteral("serv_order.rtf"))),
              QByteArray("{\\rtf1 %servicename%}"));
    // The key counter goes on after the restored rows.
    EXPECT_EQ(db().insert(QStringLiteral("kasa"), {{QStringLiteral("Suma"), 1.0}}), 3);
    // What was replaced is kept as a dated copy.
    const QDir kept(engine() == Engine::Sqlite ? QFileInfo(location()).absolutePath() : folder);
    EXPECT_FALSE(kept.entryList({engine() == Engine::Sqlite ? QStringLiteral("test.sv.*.bak")
                                                            : QStringLiteral("Morlenta-*.sv")})
                     .isEmpty());
}

TEST_P(ArchiveTest, BadArchivesAreRefusedAndNothingIsReplaced)
{
    addKasa(10, QStringLiteral("остава"));
    const QString good = QDir(archiveDir).filePath(QStringLiteral("good.srz"));
    ASSERT_TRUE(makeArchive(db(), folder, good).ok());
    const QByteArray bytes = readFile(good);

    const QString truncated = QDir(archiveDir).filePath(QStringLiteral("truncated.srz"));
    writeFile(truncated, bytes.left(bytes.size() * 2 / 3));
    const QString foreignFile = QDir(archiveDir).filePath(QStringLiteral("notes.txt"));
    writeFile(foreignFile, "чужд файл");
    const QString foreign = QDir(archiveDir).filePath(QStringLiteral("foreign.srz"));
    ASSERT_TRUE(packFiles(foreign, {{foreignFile, QStringLiteral("notes.txt")}}, QStringLiteral("other")).ok);
    const QString otherDb = QDir(archiveDir).filePath(QStringLiteral("Other.sv"));
    data::Database::openSqlite(otherDb, true)->execute(QStringLiteral("create table songs (title text)"));
    const QString otherProgram = QDir(archiveDir).filePath(QStringLiteral("other.srz"));
    ASSERT_TRUE(packFiles(otherProgram, {{otherDb, QStringLiteral("Other.sv")}}, QStringLiteral("other")).ok);
    const QString corruptDb = QDir(archiveDir).filePath(QStringLiteral("Corrupt.sv"));
    {
        QByteArray db = readFile(QDir(archiveDir).filePath(QStringLiteral("Other.sv")));
        db.replace(100, 3000, QByteArray(3000, '\x5a'));
        writeFile(corruptDb, db);
    }
    const QString corrupt = QDir(archiveDir).filePath(QStringLiteral("corrupt.srz"));
    ASSERT_TRUE(
        packFiles(corrupt, {{corruptDb, QStringLiteral("Corrupt.sv")}}, QStringLiteral("Service bases")).ok);

    const QString before = kasaText();
    closeDatabase();
    const QByteArray fileBefore = engine() == Engine::Sqlite ? readFile(location()) : QByteArray();
    for (const QString &bad : {truncated, foreign, otherProgram, corrupt}) {
        QString why;
        EXPECT_FALSE(checkArchive(bad, &why)) << bad.toStdString();
        EXPECT_EQ(restoreArchive(bad, location(), folder).kind, ArchiveOutcome::Failed) << bad.toStdString();
    }
    if (engine() == Engine::Sqlite) {
        EXPECT_EQ(readFile(location()), fileBefore);
        EXPECT_TRUE(
            QDir(QFileInfo(location()).absolutePath()).entryList({QStringLiteral("*.bak")}).isEmpty());
    }
    reopenDatabase();
    EXPECT_EQ(kasaText(), before);
}

TEST_P(ArchiveTest, DatabaseInUseElsewhereIsNotReplaced)
{
    const QString archive = QDir(archiveDir).filePath(QStringLiteral("a.srz"));
    ASSERT_TRUE(makeArchive(db(), folder, archive).ok());
    addKasa(5, QStringLiteral("след архива"));
    closeDatabase();
    auto other = openAnother();
    std::unique_ptr<data::Transaction> busy;
    if (engine() == Engine::Sqlite)
        busy = std::make_unique<data::Transaction>(*other); // another computer in the middle of a write
    EXPECT_EQ(restoreArchive(archive, location(), folder).kind, ArchiveOutcome::InUse);
    busy.reset();
    other.reset();
    reopenDatabase();
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from kasa")).toInt(), 1);
}

TEST_P(ArchiveTest, SecondAutomaticArchiveKeepsTheFirstAsItsBackup)
{
    ASSERT_TRUE(makeAutoArchive(db(), folder, archiveDir).ok());
    const QByteArray first = readFile(QDir(archiveDir).filePath(QStringLiteral("AutoArchive.srz")));
    addKasa(1, QStringLiteral("нов ред"));
    ASSERT_TRUE(makeAutoArchive(db(), folder, archiveDir).ok());
    EXPECT_EQ(readFile(QDir(archiveDir).filePath(QStringLiteral("backup of AutoArchive.srz"))), first);
    EXPECT_NE(readFile(QDir(archiveDir).filePath(QStringLiteral("AutoArchive.srz"))), first);
}

TEST_P(ArchiveTest, OnlyExistingTemplatesAreListed)
{
    writeFile(QDir(folder).filePath(QStringLiteral("protocol.txt")), "x");
    EXPECT_EQ(existingTemplates(folder),
              (QStringList{QStringLiteral("protocol.txt"), QStringLiteral("serv_order.rtf")}));
    const QString archive = QDir(archiveDir).filePath(QStringLiteral("a.srz"));
    ASSERT_TRUE(makeArchive(db(), folder, archive).ok());
    QList<ArchiveEntry> entries;
    ASSERT_TRUE(readArchive(archive, &entries, nullptr, nullptr));
    QStringList names;
    for (const ArchiveEntry &e : entries)
        names << e.name;
    EXPECT_EQ(names, (QStringList{databaseEntryName(db()), QStringLiteral("protocol.txt"),
                                  QStringLiteral("serv_order.rtf")}));
}

TEST_P(ArchiveTest, SnapshotWhileAnotherConnectionWritesIsConsistent)
{
    std::atomic<bool> stop{false};
    std::atomic<int> actions{0};
    std::thread writer([&] {
        auto conn = openAnother();
        while (!stop) {
            // One finished action: two rows, all or nothing.
            data::inTransaction(*conn, [&] {
                for (int i = 0; i < 2; ++i)
                    conn->insert(QStringLiteral("kasa"),
                                 {{QStringLiteral("Suma"), 1.0}, {QStringLiteral("idVal"), 1}});
            });
            ++actions;
        }
    });
    while (actions < 5)
        std::this_thread::yield();
    QStringList snapshots;
    for (int i = 0; i < 3; ++i) {
        const QString path = tempPath(QStringLiteral("snap%1.sv").arg(i));
        data::snapshotDatabase(db(), path);
        snapshots << path;
    }
    stop = true;
    writer.join();
    for (const QString &path : snapshots) {
        auto copy = data::Database::openSqlite(path);
        EXPECT_TRUE(data::integrityOk(*copy));
        EXPECT_EQ(copy->scalar(QStringLiteral("select count(*) from kasa")).toInt() % 2, 0)
            << path.toStdString();
    }
}

MORLENTA_ON_BOTH_ENGINES(ArchiveTest);
