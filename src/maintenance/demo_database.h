#pragma once

// The demonstration and benchmark database: a made-up Bulgarian repair shop
// with its clerks, client firms, catalogues and years of repair orders in
// every state, with their parts, work, visits, outside services and
// cash-register protocols. The same options give the same shop.

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace morlenta::data {
class Database;
}

namespace morlenta::maintenance {

struct DemoOptions {
    int orders = 3000;
    int years = 10; // the orders span this many years up to `today`
    QDate today = QDate::currentDate();
    std::uint64_t seed = 2024;
};

// Called now and then with the orders written so far; false stops the work.
using DemoProgress = std::function<bool(int done, int total)>;

// The one password every demo clerk logs in with (their logins are their
// first names in Latin letters: "georgi", "maria", ...).
QString demoClerkPassword();

// "--demo [orders]" on the program's command line.
struct DemoRequest {
    bool wanted = false;
    int orders = 3000;
    QString error; // a Bulgarian message when the number is not usable
};
inline constexpr int kMaxDemoOrders = 1000000;
DemoRequest demoRequest(const QStringList &arguments);

// The demo database beside the default one, and the per-computer settings
// the program uses while running on it (so that the shop's own stay as they are).
QString demoDatabasePath(const QString &defaultDatabasePath);
QString demoSettingsPath(const QString &defaultDatabasePath);

// Fills a database that the schema code has just created (with its
// administrator), all in one transaction. False when the progress callback
// stopped it (nothing is left written); a failure throws DbError.
bool fillDemoDatabase(data::Database &db, const DemoOptions &options, const DemoProgress &progress = {});

// A new SQLite file at `path` filled with the demo shop. False when stopped;
// on a stop or a failure no file is left behind.
bool createDemoDatabase(const QString &path, const DemoOptions &options, const DemoProgress &progress = {});

} // namespace morlenta::maintenance
