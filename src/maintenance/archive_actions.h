#pragma once

// The four archive commands with their messages: manual archive, restore,
// the automatic archive at exit and the restore offered at start. The
// dialogs and the progress display come from the window.

#include "maintenance/backup.h"

#include <QString>

#include <functional>

namespace morlenta {
class Prompt;
class LocalSettings;
namespace data {
class Database;
}
} // namespace morlenta

namespace morlenta::maintenance {

struct ArchiveUi {
    // The save dialog for a new archive (start folder, proposed name); empty when cancelled.
    std::function<QString(const QString &folder, const QString &proposed)> chooseTarget;
    // The open dialog for an archive to restore; empty when cancelled.
    std::function<QString(const QString &folder)> chooseSource;
    PackProgress progress;
    // Keeps a success message up for a moment.
    std::function<void()> pause;
};

class ArchiveActions {
public:
    ArchiveActions(Prompt &prompt, LocalSettings &settings, ArchiveUi ui, QString defaultArchiveDir);

    // "Archive dir", made when missing.
    QString archiveDir();

    // The archive the clerk asks for. False when cancelled or failed.
    bool manualArchive(data::Database &db, const QString &templatesFolder);
    // Restores into `location` (the caller has closed its connection); true
    // when the data was replaced and the database must be opened again.
    bool restore(const QString &location, const QString &templatesFolder);
    // The archive at exit.
    bool autoArchive(data::Database &db, const QString &templatesFolder);
    // The restore offered when the database would not open; the program ends afterwards.
    bool startupRestore(const QString &location, const QString &templatesFolder);

    // The question the main window asks before a restore.
    static QString restoreQuestion();

private:
    bool runRestore(const QString &location, const QString &templatesFolder, bool atStartup);

    Prompt &prompt_;
    LocalSettings &settings_;
    ArchiveUi ui_;
    QString defaultArchiveDir_;
};

// Where the templates of a database live: beside a database file, or in
// `defaultFolder` for a server.
QString templatesFolderFor(const QString &location, const QString &defaultFolder);

} // namespace morlenta::maintenance
