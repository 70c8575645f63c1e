#pragma once

// The start-up sequence up to the login: the refusals, finding and opening
// the database, its upgrade and the preferences. No widgets: the file
// dialog and the splash are reached through the options.

#include <QDate>
#include <QString>

#include <functional>
#include <memory>

namespace morlenta {
class Prompt;
class LocalSettings;
class Preferences;
namespace data {
class Database;
}
} // namespace morlenta

namespace morlenta::shell {

struct StartupOptions {
    QString programDir;          // the folder the program runs from
    QString defaultDatabasePath; // where a new shop's database is made
    double version = 0;          // this program's version, two decimals
    QDate today;
    std::function<QString()> chooseDatabaseFile;    // the open-file dialog; empty when cancelled
    std::function<void(bool)> showSplash;           // hidden while a dialog is up
    std::function<void()> advance;                  // one step of the splash's progress
    std::function<void()> startupRestore;           // "Yes" to the restore question
    std::function<bool(const QString &)> onNetwork; // defaults to isOnNetworkFileSystem
};

struct StartupResult {
    std::unique_ptr<data::Database> db;
    std::unique_ptr<Preferences> prefs;
    bool createdNewDatabase = false;
    explicit operator bool() const { return db != nullptr; }
    StartupResult();
    StartupResult(StartupResult &&) noexcept;
    StartupResult &operator=(StartupResult &&) noexcept;
    ~StartupResult();
};

// Runs the sequence; an empty result means the program must end at once
// (the user was told why).
StartupResult runStartup(Prompt &prompt, LocalSettings &settings, const StartupOptions &options);

// "%8.2f" trimmed, always with a point: 3.8 -> "3.80".
QString versionText(double version);
// The main window's caption: "Morlenta - версия 3.80".
QString mainCaption(double version);

} // namespace morlenta::shell
