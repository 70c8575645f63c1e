#pragma once

// The demonstration and benchmark database: a made-up Bulgarian repair shop
// with its clerks, client firms, catalogues and years of repair orders in
// every state, with their parts, work, visits, outside services and
// cash-register protocols. The same options give the same shop.

#include <QDate>
#include <QString>

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

// The login of every demo clerk, and the one password they share.
QString demoClerkPassword();

// Fills a database that the schema code has just created (with its
// administrator), all in one transaction. False when the progress callback
// stopped it (nothing is left written); a failure throws DbError.
bool fillDemoDatabase(data::Database &db, const DemoOptions &options, const DemoProgress &progress = {});

// A new SQLite file at `path` filled with the demo shop. False when stopped;
// on a stop or a failure no file is left behind.
bool createDemoDatabase(const QString &path, const DemoOptions &options, const DemoProgress &progress = {});

} // namespace morlenta::maintenance
