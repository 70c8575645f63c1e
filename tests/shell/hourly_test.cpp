#include "shell/hourly.h"

#include "data/database.h"
#include "support/db_fixture.h"

#include <QDateTime>

using namespace morlenta::shell;
using morlenta::test::DbTest;

class HourlyTest : public DbTest {
protected:
    void protocol(const QDate &d, const QTime &t, bool closed)
    {
        db().insert(QStringLiteral("protokol_ka"), {{QStringLiteral("ProtNo"), ++number},
                                                    {QStringLiteral("DateEnd"), d},
                                                    {QStringLiteral("TimeEnd"), t},
                                                    {QStringLiteral("closed"), closed}});
    }
    int number = 0;
};

TEST_P(HourlyTest, CountsOpenProtocolsEndingWithinTheNextHour)
{
    const QDate today(2026, 12, 11);
    protocol(today, QTime(10, 0), false);  // at the hour: not after it
    protocol(today, QTime(10, 30), false); // counted
    protocol(today, QTime(11, 0), false);  // exactly an hour later: counted
    protocol(today, QTime(11, 1), false);
    protocol(today, QTime(10, 45), true); // closed
    protocol(today.addDays(1), QTime(10, 30), false);
    EXPECT_EQ(expiringProtocols(db(), QDateTime(today, QTime(10, 20))), 2);
    EXPECT_EQ(expiringProtocols(db(), QDateTime(today, QTime(9, 5))), 1);
    EXPECT_EQ(expiringProtocols(db(), QDateTime(today, QTime(23, 10))), -1);
}

MORLENTA_ON_BOTH_ENGINES(HourlyTest);

TEST(HourlyWarning, OneAndMany)
{
    EXPECT_EQ(protocolWarning(0), QString());
    EXPECT_EQ(protocolWarning(-1), QString());
    EXPECT_EQ(protocolWarning(1),
              QStringLiteral("През следващия час изтича 1 протокол за оставен касов апарат за ремонт!"));
    EXPECT_TRUE(protocolWarning(3).startsWith(QStringLiteral("През следващия час изтичат 3 протокол")));
}
