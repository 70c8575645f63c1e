#pragma once

// Each test gets a fresh database made by the real schema code: a temporary
// SQLite file, and a schema of its own on the PostgreSQL server named by
// MORLENTA_TEST_PG (for example postgresql://postgres@127.0.0.1:54329/postgres).
// Without that variable the PostgreSQL instances are skipped.

#include "common/local_settings.h"
#include "data/database.h"
#include "support/qt_print.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

namespace morlenta::data {
inline void PrintTo(Engine e, std::ostream *os)
{
    *os << (e == Engine::Sqlite ? "SQLite" : "PostgreSQL");
}
} // namespace morlenta::data

namespace morlenta::test {

using data::Engine;

std::string engineName(const ::testing::TestParamInfo<Engine> &info);

class DbTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override;
    void TearDown() override;

    // false: the test starts from an empty database (no tables at all).
    virtual bool startInitialized() const { return true; }

    data::Database &db() { return *db_; }
    Engine engine() const { return GetParam(); }
    // Where the test's database is, to open further connections to it.
    const QString &location() const { return location_; }
    std::unique_ptr<data::Database> openAnother() const { return data::Database::open(location_); }
    // Drops the fixture's own connection (for tests that must reopen).
    void closeDatabase() { db_.reset(); }
    void reopenDatabase() { db_ = openAnother(); }
    // This computer's settings for the test, in a file of its own.
    LocalSettings &settings()
    {
        if (!settings_)
            settings_ = std::make_unique<LocalSettings>(tempPath(QStringLiteral("Morlenta.conf")));
        return *settings_;
    }
    // A folder that lives as long as the test.
    QString tempPath(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<data::Database> db_;
    std::unique_ptr<LocalSettings> settings_;
    std::unique_ptr<data::Database> admin_;
    QString location_;
    QString schema_;
};

} // namespace morlenta::test

#define MORLENTA_ON_BOTH_ENGINES(Suite)                                                                      \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Engines, Suite,                                                                                      \
        ::testing::Values(::morlenta::data::Engine::Sqlite, ::morlenta::data::Engine::Postgres),             \
        ::morlenta::test::engineName)
