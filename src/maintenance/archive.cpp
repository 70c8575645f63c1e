#include "maintenance/archive.h"

#include "data/database.h"
#include "data/schema.h"
#include "data/snapshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace morlenta::maintenance {

namespace {

ArchiveOutcome failed(const QString &detail)
{
    ArchiveOutcome o;
    o.kind = ArchiveOutcome::Failed;
    o.detail = detail;
    return o;
}

ArchiveOutcome inUse()
{
    ArchiveOutcome o;
    o.kind = ArchiveOutcome::InUse;
    return o;
}

// Opens the database file of an archive and makes sure it is one of ours.
bool usableDatabase(const QString &path, QString *error)
{
    try {
        auto db = data::Database::openSqlite(path);
        if (!data::integrityOk(*db)) {
            *error = QStringLiteral("Базата данни в архива е повредена.");
            return false;
        }
        const QStringList tables = db->tables();
        for (const data::TableDef &t : data::schemaTables()) {
            // Tables a later version added are created by the upgrade at start.
            if (!t.createdAtStart && !tables.contains(QString::fromLatin1(t.name), Qt::CaseInsensitive)) {
                *error = QStringLiteral("Архивът не е на тази програма: липсва таблицата %1.")
                             .arg(QString::fromLatin1(t.name));
                return false;
            }
        }
        return true;
    } catch (const data::DbError &e) {
        *error = e.message();
        return false;
    }
}

// The database entry of an archive: its one ".sv" file.
QString databaseEntry(const QList<ArchiveEntry> &entries)
{
    for (const ArchiveEntry &e : entries)
        if (e.name.endsWith(QLatin1String(".sv"), Qt::CaseInsensitive))
            return e.name;
    return {};
}

bool renameOver(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString stamp(const QDateTime &now)
{
    return now.toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
}

// Puts the templates of the archive into `folder`, each replaced in one step.
bool restoreTemplates(const QString &archivePath, const QList<ArchiveEntry> &entries, const QString &folder,
                      QString *error)
{
    const QStringList known = templateFileNames();
    for (const ArchiveEntry &e : entries) {
        if (!known.contains(e.name, Qt::CaseInsensitive))
            continue;
        const QString target = QDir(folder).filePath(e.name);
        const QString temp = target + QStringLiteral(".restore");
        if (!extractEntry(archivePath, e.name, temp, error) || !renameOver(temp, target)) {
            QFile::remove(temp);
            return false;
        }
    }
    return true;
}

} // namespace

QString archiveTitle()
{
    return QStringLiteral("Service bases");
}

QStringList templateFileNames()
{
    return {QStringLiteral("protocol.rtf"),     QStringLiteral("protocol.txt"),
            QStringLiteral("conditioners.rtf"), QStringLiteral("conditioners.txt"),
            QStringLiteral("change_sn.rtf"),    QStringLiteral("change_sn.txt"),
            QStringLiteral("serv_order.rtf"),   QStringLiteral("serv_order.txt"),
            QStringLiteral("export_html.bin")};
}

QString autoArchiveFileName()
{
    return QStringLiteral("AutoArchive.srz");
}

QString autoArchiveBackupFileName()
{
    return QStringLiteral("backup of AutoArchive.srz");
}

QString archiveExtension()
{
    return QStringLiteral(".srz");
}

QString proposedArchiveName(const QDate &today)
{
    return today.toString(QStringLiteral("yyyy-MM-dd"));
}

QStringList existingTemplates(const QString &folder)
{
    QStringList out;
    for (const QString &name : templateFileNames())
        if (QFileInfo(QDir(folder).filePath(name)).isFile())
            out << name;
    return out;
}

QString databaseEntryName(const data::Database &db)
{
    if (db.engine() == data::Engine::Sqlite) {
        const QString name = QFileInfo(db.location()).fileName();
        if (name.endsWith(QLatin1String(".sv"), Qt::CaseInsensitive))
            return name;
    }
    return QStringLiteral("Morlenta.sv");
}

ArchiveOutcome makeArchive(data::Database &db, const QString &templatesFolder, const QString &archivePath,
                           const PackProgress &progress)
{
    QTemporaryDir work;
    if (!work.isValid())
        return failed(QStringLiteral("Няма място за временни файлове."));
    const QString entry = databaseEntryName(db);
    const QString snapshot = work.filePath(entry);
    try {
        data::snapshotDatabase(db, snapshot);
    } catch (const data::DbError &e) {
        return failed(e.message());
    }
    QList<ArchiveFile> files{{snapshot, entry}};
    for (const QString &name : existingTemplates(templatesFolder))
        files.append({QDir(templatesFolder).filePath(name), name});
    const PackResult packed = packFiles(archivePath, files, archiveTitle(), progress);
    if (!packed.ok)
        return failed(packed.error);
    ArchiveOutcome o;
    o.kind = ArchiveOutcome::Ok;
    o.compressionPercent = packed.compressionPercent;
    return o;
}

ArchiveOutcome makeAutoArchive(data::Database &db, const QString &templatesFolder, const QString &archiveDir,
                               const PackProgress &progress)
{
    if (!QDir().mkpath(archiveDir))
        return failed(QStringLiteral("Папката %1 не може да бъде създадена.").arg(archiveDir));
    const QString target = QDir(archiveDir).filePath(autoArchiveFileName());
    if (QFileInfo::exists(target)) {
        const QString backup = QDir(archiveDir).filePath(autoArchiveBackupFileName());
        QFile::remove(backup);
        if (!QFile::copy(target, backup))
            return failed(QStringLiteral("Предишният архив не може да бъде запазен като %1.").arg(backup));
    }
    return makeArchive(db, templatesFolder, target, progress);
}

bool checkArchive(const QString &archivePath, QString *error)
{
    QString why;
    QList<ArchiveEntry> entries;
    if (!readArchive(archivePath, &entries, nullptr, &why)) {
        if (error)
            *error = why;
        return false;
    }
    const QString entry = databaseEntry(entries);
    if (entry.isEmpty()) {
        if (error)
            *error = QStringLiteral("В архива няма база данни.");
        return false;
    }
    QTemporaryDir work;
    const QString path = work.filePath(entry);
    const bool ok = extractEntry(archivePath, entry, path, &why) && usableDatabase(path, &why);
    if (!ok && error)
        *error = why;
    return ok;
}

ArchiveOutcome restoreArchive(const QString &archivePath, const QString &location,
                              const QString &templatesFolder, const QDateTime &now)
{
    QString why;
    QList<ArchiveEntry> entries;
    if (!readArchive(archivePath, &entries, nullptr, &why))
        return failed(why);
    const QString entry = databaseEntry(entries);
    if (entry.isEmpty())
        return failed(QStringLiteral("В архива няма база данни."));
    QDir().mkpath(templatesFolder);

    if (data::Database::isServerLocation(location)) {
        QTemporaryDir work;
        const QString path = work.filePath(entry);
        if (!extractEntry(archivePath, entry, path, &why) || !usableDatabase(path, &why))
            return failed(why);
        try {
            auto server = data::Database::openPostgres(location);
            if (!server->aloneOnDatabase())
                return inUse();
            // What the server held is kept beside the templates before it is replaced.
            QString kept = QDir(templatesFolder)
                               .filePath(QStringLiteral("Morlenta-") + stamp(now) + QStringLiteral(".sv"));
            for (int n = 2; QFileInfo::exists(kept); ++n)
                kept = QDir(templatesFolder)
                           .filePath(QStringLiteral("Morlenta-%1-%2.sv").arg(stamp(now)).arg(n));
            data::snapshotDatabase(*server, kept);
            auto archived = data::Database::openSqlite(path);
            data::copyAllTables(*archived, *server);
        } catch (const data::DbError &e) {
            return failed(e.message());
        }
    } else {
        const QFileInfo target(location);
        const QString folder = target.absolutePath();
        if (!QDir().mkpath(folder))
            return failed(QStringLiteral("Папката %1 не може да бъде създадена.").arg(folder));
        // Unpacked beside the database, so that the replacement is one rename.
        const QString temp =
            QDir(folder).filePath(QStringLiteral(".restore-%1.sv").arg(QCoreApplication::applicationPid()));
        if (!extractEntry(archivePath, entry, temp, &why) || !usableDatabase(temp, &why)) {
            QFile::remove(temp);
            return failed(why);
        }
        if (target.exists()) {
            try {
                auto current = data::Database::openSqlite(location);
                if (!current->aloneOnDatabase()) {
                    QFile::remove(temp);
                    return inUse();
                }
            } catch (const data::DbError &) {
                // A current file that does not open is what the restore is for.
            }
            QString kept = location + QLatin1Char('.') + stamp(now) + QStringLiteral(".bak");
            for (int n = 2; QFileInfo::exists(kept); ++n)
                kept = location + QLatin1Char('.') + stamp(now) + QStringLiteral("-%1.bak").arg(n);
            if (!QFile::copy(location, kept)) {
                QFile::remove(temp);
                return failed(
                    QStringLiteral("Текущата база данни не може да бъде запазена като %1.").arg(kept));
            }
            QFile::remove(location + QStringLiteral("-journal"));
        }
        if (!renameOver(temp, location)) {
            QFile::remove(temp);
            return failed(QStringLiteral("Базата данни не може да бъде заменена."));
        }
    }
    if (!restoreTemplates(archivePath, entries, templatesFolder, &why))
        return failed(why);
    ArchiveOutcome o;
    o.kind = ArchiveOutcome::Ok;
    return o;
}

} // namespace morlenta::maintenance
