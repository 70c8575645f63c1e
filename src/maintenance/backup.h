#pragma once

// The archive container: a zip file (zlib inside) whose comment holds the
// archive's title. Packing writes a temporary file and renames it, so a
// failed or interrupted archive never replaces a good one.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace morlenta::maintenance {

struct ArchiveFile {
    QString source; // the file on disk
    QString name;   // its name inside the archive
};

using PackProgress = std::function<void(int percent, const QString &currentFile)>;

struct PackResult {
    bool ok = false;
    int compressionPercent = 0; // how much smaller the archive is than its files
    QString error;
};

PackResult packFiles(const QString &archivePath, const QList<ArchiveFile> &files, const QString &title,
                     const PackProgress &progress = {});

struct ArchiveEntry {
    QString name; // without any stored folder
    qint64 size = 0;
};

// The archive's entries, or an error text when it is no readable archive
// (a truncated or damaged file included).
bool readArchive(const QString &archivePath, QList<ArchiveEntry> *entries, QString *title, QString *error);

// Writes the entry named `name` (stored folders ignored) to `target`.
bool extractEntry(const QString &archivePath, const QString &name, const QString &target, QString *error);

// Every file into `folder`, stored folders ignored; false when a file cannot be written.
bool unpackAll(const QString &archivePath, const QString &folder, QString *error);

} // namespace morlenta::maintenance
