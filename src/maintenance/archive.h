#pragma once

// Archives of the shop's data: the database as one consistent SQLite file
// (whatever the engine) and the document templates beside it; restoring
// them safely.

#include "maintenance/backup.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace morlenta::data {
class Database;
}

namespace morlenta::maintenance {

QString archiveTitle();                          // "Service bases"
QStringList templateFileNames();                 // the document templates and the export list
QString autoArchiveFileName();                   // "AutoArchive.srz"
QString autoArchiveBackupFileName();             // "backup of AutoArchive.srz"
QString archiveExtension();                      // ".srz"
QString proposedArchiveName(const QDate &today); // "2009-03-05"

// The templates of the list that exist in `folder`.
QStringList existingTemplates(const QString &folder);

// The database's own file name inside archives.
QString databaseEntryName(const data::Database &db);

struct ArchiveOutcome {
    enum Kind { Ok, NoFiles, Failed, InUse };
    Kind kind = Failed;
    int compressionPercent = 0;
    QString detail; // what went wrong, for the log
    bool ok() const { return kind == Ok; }
};

// Packs a snapshot of the database and the existing templates of
// `templatesFolder` into `archivePath`.
ArchiveOutcome makeArchive(data::Database &db, const QString &templatesFolder, const QString &archivePath,
                           const PackProgress &progress = {});

// The archive made at exit in `archiveDir`; the previous one is kept as its backup copy.
ArchiveOutcome makeAutoArchive(data::Database &db, const QString &templatesFolder, const QString &archiveDir,
                               const PackProgress &progress = {});

// Checks an archive without changing anything: a readable zip holding one
// database that opens, passes its integrity check and has this program's
// tables. `error` says why not.
bool checkArchive(const QString &archivePath, QString *error);

// Restores into the database at `location` (a file path or a server); the
// caller has closed its own connection. A file is kept as a dated copy and
// replaced in one rename; a server's rows are replaced in one transaction
// after a dated copy was saved in `templatesFolder`. The templates land in
// `templatesFolder`. Nothing is replaced when the archive fails its check
// or the database is in use by another computer.
ArchiveOutcome restoreArchive(const QString &archivePath, const QString &location,
                              const QString &templatesFolder,
                              const QDateTime &now = QDateTime::currentDateTime());

} // namespace morlenta::maintenance
