#include "maintenance/backup.h"

#include "support/files.h"
#include "support/qt_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace morlenta::maintenance;
using morlenta::test::readFile;
using morlenta::test::writeFile;

TEST(Backup, PacksWithTitleAndUnpacksIgnoringFolders)
{
    QTemporaryDir dir;
    const QByteArray big = QByteArray("ред от шаблона %servicename%\n").repeated(2000);
    writeFile(dir.filePath(QStringLiteral("src/a/serv_order.rtf")), big);
    writeFile(dir.filePath(QStringLiteral("src/b/Morlenta.sv")), QByteArray(5000, 'x'));
    const QString archive = dir.filePath(QStringLiteral("2026-12-11.srz"));
    QList<int> percents;
    QStringList names;
    const PackResult r = packFiles(
        archive,
        {{dir.filePath(QStringLiteral("src/b/Morlenta.sv")), QStringLiteral("Morlenta.sv")},
         {dir.filePath(QStringLiteral("src/a/serv_order.rtf")), QStringLiteral("x/serv_order.rtf")}},
        QStringLiteral("Service bases"), [&](int p, const QString &f) {
            percents << p;
            names << f;
        });
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_GT(r.compressionPercent, 50);
    EXPECT_FALSE(QFile::exists(archive + QStringLiteral(".part")));
    ASSERT_FALSE(percents.isEmpty());
    EXPECT_EQ(percents.last(), 100);
    EXPECT_TRUE(names.contains(QStringLiteral("Morlenta.sv")));

    QList<ArchiveEntry> entries;
    QString title, error;
    ASSERT_TRUE(readArchive(archive, &entries, &title, &error));
    EXPECT_EQ(title, QStringLiteral("Service bases"));
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1].name, QStringLiteral("serv_order.rtf"));

    const QString out = dir.filePath(QStringLiteral("out"));
    ASSERT_TRUE(unpackAll(archive, out, &error)) << error.toStdString();
    EXPECT_EQ(readFile(QDir(out).filePath(QStringLiteral("serv_order.rtf"))), big);
    EXPECT_EQ(readFile(QDir(out).filePath(QStringLiteral("Morlenta.sv"))), QByteArray(5000, 'x'));
}

TEST(Backup, DamagedArchivesAndMissingFilesFail)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("f.txt")), QByteArray("text").repeated(10000));
    const QString archive = dir.filePath(QStringLiteral("a.srz"));
    ASSERT_TRUE(packFiles(archive, {{dir.filePath(QStringLiteral("f.txt")), QStringLiteral("f.txt")}},
                          QStringLiteral("Service bases"))
                    .ok);
    QString error;
    const QByteArray bytes = readFile(archive);
    writeFile(archive, bytes.left(bytes.size() / 2));
    EXPECT_FALSE(readArchive(archive, nullptr, nullptr, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(unpackAll(archive, dir.filePath(QStringLiteral("out")), &error));

    // A file that is gone leaves no archive behind, and an older one stays.
    const QString good = dir.filePath(QStringLiteral("good.srz"));
    ASSERT_TRUE(packFiles(good, {{dir.filePath(QStringLiteral("f.txt")), QStringLiteral("f.txt")}},
                          QStringLiteral("t"))
                    .ok);
    const QByteArray before = readFile(good);
    const PackResult r = packFiles(
        good, {{dir.filePath(QStringLiteral("missing.txt")), QStringLiteral("m.txt")}}, QStringLiteral("t"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(readFile(good), before);
}
