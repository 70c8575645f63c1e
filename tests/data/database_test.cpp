#include "data/database.h"
#include "data/schema.h"
#include "data/transaction.h"
#include "support/db_fixture.h"
#include "support/files.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

using namespace morlenta;
using morlenta::test::readFile;
using morlenta::test::writeFile;
using namespace morlenta::data;
using morlenta::test::DbTest;

namespace {

qint64 count(Database &db, const QString &table)
{
    return db.scalar(QStringLiteral("select count(*) from ") + table).toLongLong();
}

} // namespace

TEST(DatabaseOpen, BadLocationsAreRefusedAndNothingIsCreatedOrChanged)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.sv"));
    EXPECT_THROW(Database::openSqlite(missing), DbError);
    EXPECT_FALSE(QFile::exists(missing));

    const QString text = dir.filePath(QStringLiteral("notes.sv"));
    const QByteArray bytes("Това не е база данни, а бележка.\n");
    writeFile(text, bytes);
    try {
        Database::openSqlite(text);
        FAIL() << "a text file opened as a database";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("не е база данни"))) << e.what();
    }
    EXPECT_EQ(readFile(text), bytes);

    EXPECT_THROW(Database::openSqlite(text, true), DbError); // create never overwrites
    EXPECT_EQ(readFile(text), bytes);

    const QString readOnly = dir.filePath(QStringLiteral("ro.sv"));
    Database::openSqlite(readOnly, true)->execute(QStringLiteral("create table t (a integer)"));
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    if (!QFileInfo(readOnly).isWritable()) { // root may write anyway
        EXPECT_THROW(Database::openSqlite(readOnly), DbError);
    }
}

TEST(DatabaseOpen, ServerThatDoesNotAnswerIsAnError)
{
    EXPECT_THROW(Database::openPostgres(QStringLiteral("postgresql://127.0.0.1:1/none")), DbError);
    EXPECT_THROW(Database::openPostgres(QStringLiteral("postgresql:///nohost")), DbError);
    EXPECT_TRUE(Database::isServerLocation(QStringLiteral("postgresql://host/db")));
    EXPECT_FALSE(Database::isServerLocation(QStringLiteral("/home/shop/Morlenta.sv")));
}

class DatabaseTest : public DbTest {};

TEST_P(DatabaseTest, FailedActionOfSeveralStatementsLeavesNoRow)
{
    const Row kasa{{QStringLiteral("Data"), QDate(2026, 1, 2)},
                   {QStringLiteral("Suma"), 10.5},
                   {QStringLiteral("idVal"), 1},
                   {QStringLiteral("Notes"), QStringLiteral("x")}};
    try {
        Transaction tx(db());
        db().insert(QStringLiteral("kasa"), kasa);
        db().insert(QStringLiteral("payments"), kasa);
        db().execute(QStringLiteral("insert into nosuchtable (a) values (1)"));
        tx.commit();
        FAIL();
    } catch (const DbError &) {
    }
    EXPECT_EQ(count(db(), QStringLiteral("kasa")), 0);
    EXPECT_EQ(count(db(), QStringLiteral("payments")), 0);

    // An inner posting that fails takes the whole action with it.
    EXPECT_THROW(
        {
            Transaction outer(db());
            db().insert(QStringLiteral("kasa"), kasa);
            {
                Transaction inner(db());
                db().insert(QStringLiteral("payments"), kasa);
            } // no commit
            outer.commit();
        },
        DbError);
    EXPECT_EQ(count(db(), QStringLiteral("kasa")), 0);
    EXPECT_EQ(count(db(), QStringLiteral("payments")), 0);
    EXPECT_EQ(db().transactionDepth(), 0);

    {
        Transaction outer(db());
        db().insert(QStringLiteral("kasa"), kasa);
        Transaction inner(db());
        db().insert(QStringLiteral("payments"), kasa);
        inner.commit();
        outer.commit();
    }
    EXPECT_EQ(count(db(), QStringLiteral("kasa")), 1);
    EXPECT_EQ(count(db(), QStringLiteral("payments")), 1);
}

TEST_P(DatabaseTest, TwoConnectionsTakingHighestPlusOneNeverShareANumber)
{
    constexpr int perThread = 25;
    std::atomic<int> failures{0};
    auto taker = [&] {
        try {
            auto conn = openAnother();
            for (int i = 0; i < perThread; ++i) {
                inTransaction(*conn, [&] {
                    const qint64 n = conn->nextNumber(QStringLiteral("porychka"), QStringLiteral("idPor"));
                    conn->insert(QStringLiteral("porychka"),
                                 {{QStringLiteral("idPor"), n}, {QStringLiteral("porState"), 1}});
                });
            }
        } catch (const std::exception &e) {
            ++failures;
            ADD_FAILURE() << e.what();
        }
    };
    std::thread a(taker), b(taker);
    a.join();
    b.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(count(db(), QStringLiteral("porychka")), 2 * perThread);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(distinct idPor) from porychka")).toInt(),
              2 * perThread);
    EXPECT_EQ(db().scalar(QStringLiteral("select max(idPor) from porychka")).toInt(), 2 * perThread);
}

TEST_P(DatabaseTest, NumberTakenMeanwhileIsRetriedWithTheNextOne)
{
    if (engine() == Engine::Sqlite)
        GTEST_SKIP()
            << "SQLite writers hold the write lock from the start: no one can take the number meanwhile";
    int attempts = 0;
    inTransaction(db(), [&] {
        const qint64 n = db().nextNumber(QStringLiteral("protokol_ka"), QStringLiteral("ProtNo"));
        if (++attempts == 1) {
            // Another computer takes the same number first.
            auto other = openAnother();
            other->insert(QStringLiteral("protokol_ka"), {{QStringLiteral("ProtNo"), n}});
        }
        db().insert(QStringLiteral("protokol_ka"),
                    {{QStringLiteral("ProtNo"), n}, {QStringLiteral("idPor"), 7}});
    });
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(db().scalar(QStringLiteral("select ProtNo from protokol_ka where idPor = 7")).toInt(), 2);
}

TEST_P(DatabaseTest, StockDecrementBelowZeroIsRefused)
{
    const qint64 id =
        db().insert(QStringLiteral("parts"),
                    {{QStringLiteral("Part"), QStringLiteral("Дисплей")}, {QStringLiteral("amnt"), 2}});
    EXPECT_FALSE(
        db().decrementIfEnough(QStringLiteral("parts"), QStringLiteral("amnt"), QStringLiteral("id"), id, 3));
    EXPECT_TRUE(
        db().decrementIfEnough(QStringLiteral("parts"), QStringLiteral("amnt"), QStringLiteral("id"), id, 2));
    EXPECT_FALSE(
        db().decrementIfEnough(QStringLiteral("parts"), QStringLiteral("amnt"), QStringLiteral("id"), id, 1));
    EXPECT_EQ(db().scalar(QStringLiteral("select amnt from parts where id = ?"), {id}).toInt(), 0);
}

TEST_P(DatabaseTest, TextIsStoredAndFoundExactlyWhateverItHolds)
{
    const QStringList names{QStringLiteral("Иван Петров"),  QStringLiteral("O'Brien \"Ltd\""),
                            QStringLiteral("50% отстъпка"), QStringLiteral("500 лв."),
                            QStringLiteral("a_b"),          QStringLiteral("axb"),
                            QStringLiteral("звезда*1"),     QStringLiteral("път\\дял"),
                            QStringLiteral("ЁЖЪ ёжъ")};
    for (const QString &n : names)
        db().insert(QStringLiteral("clients"), {{QStringLiteral("Name"), n}});
    for (const QString &n : names)
        EXPECT_EQ(db().scalar(QStringLiteral("select Name from clients where Name = ?"), {n}).toString(), n);

    auto found = [&](const QString &pattern) {
        QStringList out;
        QSqlQuery q =
            db().exec(QStringLiteral("select Name from clients where ") +
                          db().likeCondition(QStringLiteral("Name")) + QStringLiteral(" order by id"),
                      {pattern});
        while (q.next())
            out << q.value(0).toString();
        return out;
    };
    const struct {
        QString pattern;
        QStringList expected;
    } cases[] = {
        {containsPattern(QStringLiteral("иван")), {QStringLiteral("Иван Петров")}},
        {containsPattern(QStringLiteral("ПЕТРОВ")), {QStringLiteral("Иван Петров")}},
        {containsPattern(QStringLiteral("o'brien")), {QStringLiteral("O'Brien \"Ltd\"")}},
        {containsPattern(QStringLiteral("50%")), {QStringLiteral("50% отстъпка")}},
        {containsPattern(QStringLiteral("a_b")), {QStringLiteral("a_b")}},
        {containsPattern(QStringLiteral("*")), {QStringLiteral("звезда*1")}},
        {containsPattern(QStringLiteral("т\\д")), {QStringLiteral("път\\дял")}},
        {containsPattern(QStringLiteral("ёжъ")), {QStringLiteral("ЁЖЪ ёжъ")}},
        {likePattern(QStringLiteral("ив*ов")), {QStringLiteral("Иван Петров")}},
        {likePattern(QStringLiteral("*лв.")), {QStringLiteral("500 лв.")}},
        {likePattern(QStringLiteral("5*")), {QStringLiteral("50% отстъпка"), QStringLiteral("500 лв.")}},
        {likePattern(QStringLiteral("a_b")), {QStringLiteral("a_b")}},
        {likePattern(QStringLiteral("иван")), {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(found(c.pattern), c.expected) << c.pattern.toStdString();
}

TEST_P(DatabaseTest, KeysAndColumnNamesReadTheSameOnBothEngines)
{
    // The administrator was given id 1; the counter goes on after him.
    const qint64 id =
        db().insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), QStringLiteral("Мария")}});
    EXPECT_EQ(id, 2);
    db().insert(QStringLiteral("porychka"), {{QStringLiteral("idPor"), 5},
                                             {QStringLiteral("PorDate"), QDate(2026, 12, 11)},
                                             {QStringLiteral("ready"), false},
                                             {QStringLiteral("taksa"), 12.5}});
    QSqlQuery q = db().exec(
        QStringLiteral("select idPor, PorDate, ready, taksa from porychka where ready = ?"), {false});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(QStringLiteral("IDPOR")).toInt(), 5);
    EXPECT_EQ(q.value(QStringLiteral("PorDate")).toDate(), QDate(2026, 12, 11));
    EXPECT_FALSE(q.value(QStringLiteral("ready")).toBool());
    EXPECT_DOUBLE_EQ(q.value(QStringLiteral("Taksa")).toDouble(), 12.5);
}

TEST_P(DatabaseTest, UniqueNumbersAndNamesAreEnforced)
{
    db().insert(QStringLiteral("porychka"), {{QStringLiteral("idPor"), 1}});
    EXPECT_THROW(db().insert(QStringLiteral("porychka"), {{QStringLiteral("idPor"), 1}}), DbError);
    // Empty barcodes and operation codes may repeat; real ones may not.
    for (int i = 0; i < 2; ++i) {
        db().insert(QStringLiteral("parts"), {{QStringLiteral("Part"), QStringLiteral("p")},
                                              {QStringLiteral("barcode"), QString(QLatin1String(""))}});
        db().insert(QStringLiteral("Operations"), {{QStringLiteral("Operation"), QStringLiteral("o")}});
    }
    db().insert(QStringLiteral("parts"), {{QStringLiteral("barcode"), QStringLiteral("3800123456789")}});
    try {
        db().insert(QStringLiteral("parts"), {{QStringLiteral("barcode"), QStringLiteral("3800123456789")}});
        FAIL();
    } catch (const DbError &e) {
        EXPECT_TRUE(e.isUniqueViolation()) << e.what();
    }
    db().insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), QStringLiteral("Петър")}});
    EXPECT_THROW(db().insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), QStringLiteral("Петър")}}),
                 DbError);
}

TEST_P(DatabaseTest, EngineOperations)
{
    EXPECT_TRUE(db().hasTable(QStringLiteral("PARTSINPOR")));
    EXPECT_TRUE(db().hasColumn(QStringLiteral("parts"), QStringLiteral("IdMarka")));
    const ColumnDef extra{"extraNote", ColType::Text, 20};
    db().addColumn(QStringLiteral("clients"), extra);
    EXPECT_TRUE(db().hasColumn(QStringLiteral("clients"), QStringLiteral("extranote")));
    db().ensurePrimaryKey(QStringLiteral("parts"), QStringLiteral("id")); // already there: nothing happens
    db().dropTable(QStringLiteral("clients"));
    EXPECT_FALSE(db().hasTable(QStringLiteral("clients")));
    db().compact();
    EXPECT_TRUE(db().hasTable(QStringLiteral("parts")));
}

MORLENTA_ON_BOTH_ENGINES(DatabaseTest);
