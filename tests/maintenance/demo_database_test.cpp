#include "maintenance/demo_database.h"

#include "common/password.h"
#include "data/database.h"
#include "support/db_fixture.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

using namespace morlenta;
using namespace morlenta::maintenance;
using morlenta::test::DbTest;

namespace {

DemoOptions smallShop()
{
    DemoOptions o;
    o.orders = 3000;
    o.years = 2;
    o.today = QDate(2026, 6, 15);
    o.seed = 7;
    return o;
}

} // namespace

class DemoDatabaseTest : public DbTest {
protected:
    int count(const QString &sql, const QVariantList &params = {})
    {
        return db().scalar(sql, params).toInt();
    }
};

TEST_P(DemoDatabaseTest, OrdersAreConsistentInEveryState)
{
    const DemoOptions o = smallShop();
    int calls = 0;
    ASSERT_TRUE(fillDemoDatabase(db(), o, [&](int done, int total) {
        EXPECT_LE(done, total);
        ++calls;
        return true;
    }));
    EXPECT_GT(calls, 1);
    EXPECT_EQ(count(QStringLiteral("select count(distinct idPor) from porychka")), o.orders);
    EXPECT_EQ(count(QStringLiteral("select max(idPor) from porychka")), o.orders);
    for (int state = 1; state <= 7; ++state)
        EXPECT_GT(count(QStringLiteral("select count(*) from porychka where porState = %1").arg(state)), 0)
            << state;

    // Flags, states and dates agree, and no date lies in the future.
    const QVariantList today{o.today};
    EXPECT_EQ(
        count(QStringLiteral("select count(*) from porychka where ready = ? and porState not in (1, 2, 5)"),
              {false}),
        0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from porychka where ready = ? and porState in (1, 2, 5)"),
                    {true}),
              0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from porychka where ready = ? and (readyDate is null or "
                                   "readyDate < PorDate or readyDate > ?)"),
                    {true, o.today}),
              0);
    EXPECT_EQ(count(QStringLiteral(
                        "select count(*) from porychka where payed = ? and (ready = ? or payDate is null "
                        "or payDate < readyDate or payDate > ?)"),
                    {true, false, o.today}),
              0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from porychka where ready = ? and "
                                   "(readyDate is not null or payed = ?)"),
                    {false, true}),
              0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from porychka where PorDate > ? or PorDate < ?"),
                    {o.today, o.today.addYears(-o.years)}),
              0);
    EXPECT_GT(
        count(QStringLiteral("select count(*) from porychka where ready = ? and payed = ?"), {true, false}),
        0);
    EXPECT_GT(count(QStringLiteral("select count(*) from porychka where ready = ? and EndDate < ?"),
                    {false, o.today}),
              0);

    // The labour of a finished order is the sum of its work lines; lines belong to orders.
    EXPECT_EQ(count(QStringLiteral(
                  "select count(*) from porychka p where porState in (3, 4) and abs(p.sumTrud - "
                  "(select coalesce(sum(Pr1), 0) from Jobs_In_Por j where j.idPor = p.idPor)) > 0.005")),
              0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from PartsInPor l where not exists "
                                   "(select 1 from porychka p where p.idPor = l.idPor)")),
              0);
    EXPECT_GT(count(QStringLiteral("select count(*) from Jobs_In_Por")), o.orders / 2);

    // Cash registers: a fiscal memory and one protocol each, closed once paid.
    const QString cash = QStringLiteral("КАСОВ АПАРАТ");
    const int registers = count(QStringLiteral("select count(*) from porychka where Art = ?"), {cash});
    EXPECT_GT(registers, 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from protokol_ka")), registers);
    EXPECT_EQ(count(QStringLiteral("select count(distinct ProtNo) from protokol_ka")), registers);
    EXPECT_EQ(count(QStringLiteral("select count(*) from porychka p join protokol_ka k on k.idPor = p.idPor "
                                   "where p.Art = ? and p.Fiscal <> '' and k.closed = p.payed"),
                    {cash}),
              registers);
    EXPECT_EQ(count(QStringLiteral("select count(*) from porychka where Art <> ? and Fiscal <> ''"), {cash}),
              0);

    // Visits point at their orders by number; orders at an outside service have an open row there.
    EXPECT_EQ(count(QStringLiteral(
                  "select count(*) from homevisit h join porychka p on h.field1 = "
                  "cast(p.idPor as varchar(12)) where p.TimeVisit <> ' ' and h.DateVisit = p.EndDate")),
              count(QStringLiteral("select count(*) from porychka where TimeVisit <> ' '")));
    EXPECT_GT(count(QStringLiteral("select count(*) from homevisit")), 0);
    EXPECT_EQ(count(QStringLiteral(
                        "select count(*) from porychka p where porState = 5 and not exists (select 1 from "
                        "externals e where e.idPor = p.idPor and e.back = ?)"),
                    {false}),
              0);
    EXPECT_GT(count(QStringLiteral("select count(*) from externals where back = ?"), {true}), 0);
    for (const char *kind : {"REP", "PRO", "MON"})
        EXPECT_GT(count(QStringLiteral("select count(*) from porychka where codeGet = ?"),
                        {QString::fromLatin1(kind)}),
                  0)
            << kind;

    // A warranty giver's order names one of the suppliers marked as such.
    EXPECT_GT(count(QStringLiteral("select count(*) from porychka where TypeWarr = 2")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from porychka p where TypeWarr = 2 and not exists "
                                   "(select 1 from delivers d where d.Name = p.WarName and d.Garant = ?)"),
                    {true}),
              0);

    // Technicians who left worked on older orders; every demo clerk can log in.
    EXPECT_GT(count(QStringLiteral("select count(*) from clerks where Active = ? and worker = 0"), {false}),
              0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from porychka p where idClerk <> 0 and not exists "
                                   "(select 1 from clerks c where c.id = p.idClerk and c.worker = 0)")),
              0);
    const QString hash =
        db().scalar(QStringLiteral("select Password from clerks where Nick = ?"), {QStringLiteral("georgi")})
            .toString();
    EXPECT_TRUE(checkPassword(hash, demoClerkPassword()));
    EXPECT_EQ(count(QStringLiteral("select count(*) from myinfo")), 1);
}

// A surname or a piece of a phone finds some orders, not most of them.
TEST_P(DemoDatabaseTest, SearchesFindARealisticShareOfOrders)
{
    const DemoOptions o = smallShop();
    ASSERT_TRUE(fillDemoDatabase(db(), o));
    auto share = [&](const QString &column, const QString &text) {
        const data::SqlCondition c = db().containsCondition(QStringLiteral("porychka"), column, text);
        return db().scalar(QStringLiteral("select count(*) from porychka where ") + c.sql, c.params)
                   .toDouble() /
               o.orders;
    };
    for (const auto &[column, text] :
         {std::pair{"clientNames", "петров"}, std::pair{"clientNames", "Колева"},
          std::pair{"clientPhones", "0888 1"}, std::pair{"Model", "galaxy a5"}}) {
        const double s = share(QString::fromLatin1(column), QString::fromUtf8(text));
        EXPECT_GT(s, 0.0) << text;
        EXPECT_LT(s, 0.08) << text;
    }
    // A whole IMEI is one device.
    const QString imei =
        db().scalar(QStringLiteral("select Serial from porychka where Art = 'GSM' order by idPor"))
            .toString();
    EXPECT_EQ(imei.size(), 15);
    EXPECT_LE(share(QStringLiteral("Serial"), imei) * o.orders, 2.0);
}

TEST_P(DemoDatabaseTest, StoppedFillLeavesNothing)
{
    EXPECT_FALSE(fillDemoDatabase(db(), smallShop(), [](int done, int) { return done < 2000; }));
    EXPECT_EQ(count(QStringLiteral("select count(*) from porychka")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from clerks")), 1);
}

MORLENTA_ON_BOTH_ENGINES(DemoDatabaseTest);

namespace {

QByteArray digest(const QString &path)
{
    auto db = data::Database::openSqlite(path);
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const char *table :
         {"porychka", "PartsInPor", "Jobs_In_Por", "homevisit", "externals", "protokol_ka", "firms"}) {
        QSqlQuery q =
            db->exec(QStringLiteral("select * from %1 order by 1, 2").arg(QString::fromLatin1(table)));
        while (q.next())
            for (int i = 0; i < q.record().count(); ++i)
                h.addData(q.value(i).toString().toUtf8() + '|');
    }
    return h.result();
}

} // namespace

TEST(DemoDatabaseFile, SameOptionsMakeTheSameShopAndAStopLeavesNoFile)
{
    QTemporaryDir dir;
    DemoOptions o = smallShop();
    o.orders = 800;
    const QString a = dir.filePath(QStringLiteral("a.sv"));
    const QString b = dir.filePath(QStringLiteral("b.sv"));
    ASSERT_TRUE(createDemoDatabase(a, o));
    ASSERT_TRUE(createDemoDatabase(b, o));
    EXPECT_EQ(digest(a), digest(b));
    o.seed = 8;
    const QString c = dir.filePath(QStringLiteral("c.sv"));
    ASSERT_TRUE(createDemoDatabase(c, o));
    EXPECT_NE(digest(a), digest(c));

    const QString stopped = dir.filePath(QStringLiteral("stopped.sv"));
    EXPECT_FALSE(createDemoDatabase(stopped, o, [](int, int) { return false; }));
    EXPECT_FALSE(QFile::exists(stopped));
}

TEST(DemoRequest, CommandLine)
{
    struct Case {
        QStringList args;
        bool wanted;
        int orders;
        bool error;
    };
    const QString p = QStringLiteral("morlenta");
    const QString d = QStringLiteral("--demo");
    const Case cases[] = {
        {{p}, false, 3000, false},
        {{p, d}, true, 3000, false},
        {{p, d, QStringLiteral("250000")}, true, 250000, false},
        {{p, d, QStringLiteral("--other")}, true, 3000, false},
        {{p, d, QStringLiteral("0")}, true, 3000, true},
        {{p, d, QStringLiteral("1000001")}, true, 3000, true},
        {{p, d, QStringLiteral("много")}, true, 3000, true},
    };
    for (const Case &c : cases) {
        const DemoRequest r = demoRequest(c.args);
        EXPECT_EQ(r.wanted, c.wanted) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.orders, c.orders) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(!r.error.isEmpty(), c.error) << c.args.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_EQ(demoDatabasePath(QStringLiteral("/home/a/DataBase/Morlenta.sv")),
              QStringLiteral("/home/a/DataBase/Demo.sv"));
    EXPECT_EQ(demoSettingsPath(QStringLiteral("/home/a/DataBase/Morlenta.sv")),
              QStringLiteral("/home/a/DataBase/Demo.ini"));
}
