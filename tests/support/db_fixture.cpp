#include "support/db_fixture.h"

#include "data/default_database.h"

#include <QCoreApplication>
#include <QUrl>
#include <QUrlQuery>

namespace morlenta::test {

namespace {

int schemaCounter = 0;

} // namespace

std::string engineName(const ::testing::TestParamInfo<Engine> &info)
{
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

void DbTest::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    if (engine() == Engine::Sqlite) {
        location_ = dir_.filePath(QStringLiteral("test.sv"));
        db_ = data::Database::openSqlite(location_, true);
    } else {
        const QString server = qEnvironmentVariable("MORLENTA_TEST_PG");
        if (server.isEmpty())
            GTEST_SKIP() << "MORLENTA_TEST_PG is not set";
        admin_ = data::Database::openPostgres(server);
        admin_->execute(QStringLiteral("set client_min_messages to warning"));
        schema_ = QStringLiteral("mt_%1_%2").arg(QCoreApplication::applicationPid()).arg(++schemaCounter);
        admin_->execute(QStringLiteral("drop schema if exists %1 cascade").arg(schema_));
        admin_->execute(QStringLiteral("create schema %1").arg(schema_));
        QUrl url(server);
        QUrlQuery query(url);
        query.addQueryItem(QStringLiteral("options"), QStringLiteral("-c search_path=") + schema_ +
                                                          QStringLiteral(" -c client_min_messages=warning"));
        url.setQuery(query);
        location_ = url.toString();
        db_ = data::Database::openPostgres(location_);
    }
    if (startInitialized())
        data::initializeNewDatabase(*db_);
}

void DbTest::TearDown()
{
    db_.reset();
    if (admin_ && !schema_.isEmpty())
        admin_->execute(QStringLiteral("drop schema if exists %1 cascade").arg(schema_));
    admin_.reset();
}

} // namespace morlenta::test
