#include "orders/order_parts.h"

#include "common/session.h"
#include "data/database.h"
#include "data/dialect.h"
#include "data/transaction.h"
#include "finance/rates.h"
#include "orders/order_parts_fixture.h"
#include "stock/serial_stock.h"
#include "stock/stock_quantity.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

#include <QSqlQuery>

#include <chrono>
#include <thread>
#include <tuple>

using namespace morlenta;
using namespace morlenta::orders;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

namespace {

const QDateTime kNow(QDate(2026, 12, 11), QTime(10, 30, 15));

class OrderPartsDb : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        session.db = &db();
        session.prompt = &prompt;
        session.clerkId = 3;
        session.enterRates = [](const QDate &) -> bool {
            ADD_FAILURE() << "the rates were asked";
            return false;
        };
        parts = std::make_unique<test::PartsFixture>(db());
        parts->order(12, kOrderSerial, 5);
    }
    int count(const QString &sql, const QVariantList &params = {})
    {
        return db().scalar(sql, params).toInt();
    }
    double value(const QString &sql, const QVariantList &params = {})
    {
        return db().scalar(sql, params).toDouble();
    }
    IssueResult issue(const PartPick &pick) { return issuePart(session, 12, kOrderSerial, pick, kNow); }
    qint64 lineOf(qint64 idPart)
    {
        return db()
            .scalar(QStringLiteral("select id from PartsInPor where idPor = 12 and idPart = ?"), {idPart})
            .toLongLong();
    }
    // Everything an issue writes, to compare before and after a refused one.
    QList<int> footprint()
    {
        QList<int> out;
        for (const char *t : {"Part_Moves", "replaceSN", "PartsInPor", "PartSN", "PartsInClerks"})
            out << count(QStringLiteral("select count(*) from ") + QLatin1String(t));
        out << count(QStringLiteral("select sum(amnt) from parts"))
            << count(QStringLiteral("select sum(amnt) from PartsInClerks"))
            << int(value(QStringLiteral("select sumAll from porychka where idPor = 12")) * 100);
        return out;
    }

    const QString kOrderSerial = QStringLiteral("IMEI-350001");
    // Longer than the 25 characters of the movement log.
    const QString kCoverSerial = QStringLiteral("KAPAK-2026-000000000000000000007");
    FakePrompt prompt;
    Session session;
    std::unique_ptr<test::PartsFixture> parts;
};

} // namespace

TEST_P(OrderPartsDb, IssuingTwiceAddsToOneLineAtItsFirstPrice)
{
    const qint64 glass = parts->part(QStringLiteral("Стъкло 6300"), 5, 12.5);
    const IssueResult first = issue({glass, 2, {}, FromShop, 0});
    ASSERT_TRUE(first.ok);
    EXPECT_EQ(first.price, 12.5);
    EXPECT_EQ(first.delta, 25);
    EXPECT_FALSE(first.serialReplaced);
    // The catalogue price changes: the line keeps its price until the order window reprices.
    db().execute(QStringLiteral("update parts set outPrice = 20 where id = ?"), {glass});
    const IssueResult second = issue({glass, 2, {}, FromShop, 0});
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.price, 12.5);
    EXPECT_EQ(second.sumParts, 50);
    EXPECT_EQ(second.sumAll, 55); // the fee of 5 stays in the total

    EXPECT_EQ(count(QStringLiteral("select count(*) from PartsInPor where idPor = 12")), 1);
    EXPECT_EQ(count(QStringLiteral("select amnt from PartsInPor where idPor = 12")), 4);
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {glass}), 1);
    EXPECT_EQ(value(QStringLiteral("select sumParts from porychka where idPor = 12")), 50);
    QSqlQuery q =
        db().exec(QStringLiteral("select idPart, idClerk, amnt, serial, data, chas, idPor from Part_Moves "
                                 "order by id"));
    int moves = 0;
    while (q.next()) {
        ++moves;
        EXPECT_EQ(q.value(0).toLongLong(), glass);
        EXPECT_EQ(q.value(1).toInt(), 3);
        EXPECT_EQ(q.value(2).toInt(), -2);
        EXPECT_TRUE(q.value(3).isNull() || q.value(3).toString().isEmpty());
        EXPECT_EQ(q.value(4).toDateTime().date(), kNow.date());
        EXPECT_EQ(q.value(5).toDateTime().time(), kNow.time());
        EXPECT_EQ(q.value(6).toInt(), 12);
    }
    EXPECT_EQ(moves, 2);
    EXPECT_TRUE(prompt.records().isEmpty());
}

TEST_P(OrderPartsDb, SerialPieceLeavesByItsSerialAndComesBackWithIt)
{
    const qint64 lcd =
        parts->part(QStringLiteral("LCD 3310"), 2, 30, {QStringLiteral("SN-1"), QStringLiteral("SN-2")});
    const qint64 cover = parts->part(QStringLiteral("Капак"), 1, 8, {kCoverSerial}, QStringLiteral("Корпус"));

    const IssueResult r = issue({lcd, 1, QStringLiteral("SN-2"), FromShop, 0});
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.serialReplaced);
    ASSERT_TRUE(issue({cover, 1, kCoverSerial, FromShop, 0}).ok);
    EXPECT_EQ(stock::SerialStock(db()).serialsOf(lcd), QStringList{QStringLiteral("SN-1")});
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {lcd}), 1);
    QSqlQuery q = db().exec(QStringLiteral("select idPor, oldSN, newSN, part from replaceSN order by id"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 12);
    EXPECT_EQ(q.value(1).toString(), kOrderSerial);
    EXPECT_EQ(q.value(2).toString(), QStringLiteral("SN-2"));
    EXPECT_EQ(q.value(3).toString(), QStringLiteral("Дисплей;  LCD 3310"));
    EXPECT_EQ(db().scalar(QStringLiteral("select serial from Part_Moves where idPart = ?"), {lcd}).toString(),
              QStringLiteral("SN-2"));

    // Without its serial a serial-numbered article is not taken out.
    const QList<int> before = footprint();
    EXPECT_FALSE(issue({lcd, 1, {}, FromShop, 0}).ok);
    EXPECT_EQ(footprint(), before);
    EXPECT_EQ(prompt.texts(), QStringList{partNotInStockText()});

    // Taking back the display returns its serial only; the cover's replacement stays.
    // The order's serial was corrected in the meantime.
    const TakeBackResult back = takeBackPart(session, 12, lineOf(lcd), QStringLiteral("IMEI-350002"), kNow);
    ASSERT_TRUE(back.done);
    EXPECT_EQ(back.delta, 30);
    EXPECT_EQ(back.sumParts, 8);
    EXPECT_EQ(stock::SerialStock(db()).serialsOf(lcd),
              (QStringList{QStringLiteral("SN-1"), QStringLiteral("SN-2")}));
    EXPECT_FALSE(stock::SerialStock(db()).find(kCoverSerial));
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {lcd}), 2);
    EXPECT_EQ(db().scalar(QStringLiteral("select newSN from replaceSN")).toString(), kCoverSerial);
    EXPECT_EQ(count(QStringLiteral("select count(*) from replaceSN")), 1);
    EXPECT_EQ(count(QStringLiteral("select amnt from Part_Moves where idPart = ? order by id desc"), {lcd}),
              1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from PartsInPor where idPart = ?"), {lcd}), 0);
    // A line taken back already is not taken back twice.
    EXPECT_FALSE(takeBackPart(session, 12, lineOf(lcd), kOrderSerial, kNow).done);
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {lcd}), 2);
    ASSERT_TRUE(takeBackPart(session, 12, lineOf(cover), kOrderSerial, kNow).done);
    EXPECT_EQ(stock::SerialStock(db()).serialsOf(cover), QStringList{kCoverSerial});
    EXPECT_EQ(count(QStringLiteral("select count(*) from replaceSN")), 0);
}

TEST_P(OrderPartsDb, LineOfAnOlderFileFindsItsReplacementByTheOrderSerial)
{
    const qint64 lcd = parts->part(QStringLiteral("LCD 3310"), 0, 30);
    const qint64 cover = parts->part(QStringLiteral("Капак"), 0, 8, {}, QStringLiteral("Корпус"));
    // Written before part movements were kept.
    for (const auto &[part, sn, oldSn] :
         {std::tuple{QStringLiteral("Дисплей;  LCD 3310"), QStringLiteral("SN-9"), kOrderSerial},
          std::tuple{QStringLiteral("Дисплей;  LCD 3310"), QStringLiteral("SN-8"), QStringLiteral("OTHER")},
          std::tuple{QStringLiteral("Корпус;  Капак"), QStringLiteral("K-1"), kOrderSerial}})
        db().insert(QStringLiteral("replaceSN"), {{QStringLiteral("idPor"), 12},
                                                  {QStringLiteral("oldSN"), oldSn},
                                                  {QStringLiteral("newSN"), sn},
                                                  {QStringLiteral("part"), part}});
    const qint64 line = db().insert(QStringLiteral("PartsInPor"), {{QStringLiteral("idPor"), 12},
                                                                   {QStringLiteral("idPart"), lcd},
                                                                   {QStringLiteral("amnt"), 1},
                                                                   {QStringLiteral("priceLV"), 30.0},
                                                                   {QStringLiteral("closed"), false}});
    ASSERT_TRUE(takeBackPart(session, 12, line, kOrderSerial, kNow).done);
    EXPECT_EQ(stock::SerialStock(db()).serialsOf(lcd), QStringList{QStringLiteral("SN-9")});
    EXPECT_FALSE(stock::SerialStock(db()).hasSerials(cover));
    EXPECT_EQ(count(QStringLiteral("select count(*) from replaceSN")), 2);
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {lcd}), 1);
}

TEST_P(OrderPartsDb, TechniciansLastPieceEndsHisRowAndGoesBackToTheShop)
{
    const qint64 tech = parts->clerk(QStringLiteral("Петър"));
    const qint64 battery = parts->part(QStringLiteral("Батерия"), 0, 15);
    const qint64 board = parts->part(QStringLiteral("Платка"), 0, 40);
    const qint64 plain = parts->holding(tech, battery, 2);
    const qint64 serial = parts->holding(tech, board, 1, QStringLiteral("PL-55"));

    ASSERT_TRUE(issue({battery, 1, {}, FromTechnician, plain}).ok);
    EXPECT_EQ(count(QStringLiteral("select amnt from PartsInClerks where id = ?"), {plain}), 1);
    ASSERT_TRUE(issue({battery, 1, {}, FromTechnician, plain}).ok);
    EXPECT_EQ(count(QStringLiteral("select count(*) from PartsInClerks where id = ?"), {plain}), 0);
    const IssueResult r = issue({board, 1, {}, FromTechnician, serial});
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.serialReplaced);
    EXPECT_EQ(db().scalar(QStringLiteral("select newSN from replaceSN")).toString(), QStringLiteral("PL-55"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from PartsInClerks")), 0);
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {battery}),
              0); // the shop's own stock

    // The used-up row cannot be issued again.
    const QList<int> before = footprint();
    EXPECT_FALSE(issue({battery, 1, {}, FromTechnician, plain}).ok);
    EXPECT_EQ(footprint(), before);

    ASSERT_TRUE(takeBackPart(session, 12, lineOf(battery), kOrderSerial, kNow).done);
    ASSERT_TRUE(takeBackPart(session, 12, lineOf(board), kOrderSerial, kNow).done);
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {battery}), 2);
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {board}), 1);
    EXPECT_EQ(stock::SerialStock(db()).serialsOf(board), QStringList{QStringLiteral("PL-55")});
    EXPECT_EQ(count(QStringLiteral("select count(*) from PartsInClerks")), 0);
    EXPECT_EQ(value(QStringLiteral("select sumAll from porychka where idPor = 12")), 5);
}

TEST_P(OrderPartsDb, ForeignPriceNeedsTheDaysRates)
{
    const qint64 euro = parts->part(QStringLiteral("Модул"), 3, 10, {}, QStringLiteral("Дисплей"), 3);
    // Leva-only mode too: a price in euro cannot be issued without the day's rate.
    int asked = 0;
    session.enterRates = [&](const QDate &day) {
        ++asked;
        EXPECT_EQ(day, kNow.date());
        return false;
    };
    const QList<int> before = footprint();
    const IssueResult refused = issue({euro, 1, {}, FromShop, 0});
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.refusal.isEmpty());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(footprint(), before);
    EXPECT_TRUE(prompt.records().isEmpty());

    session.enterRates = [&](const QDate &day) {
        finance::saveRates(db(), {day, 1.8, 1.95583});
        return true;
    };
    const IssueResult r = issue({euro, 1, {}, FromShop, 0});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.price, 19.56);
    // With the day stored nobody is asked again.
    session.enterRates = [](const QDate &) -> bool {
        ADD_FAILURE() << "the rates were asked";
        return false;
    };
    db().execute(QStringLiteral("delete from PartsInPor"));
    EXPECT_TRUE(issue({euro, 1, {}, FromShop, 0}).ok);
}

TEST_P(OrderPartsDb, OfTwoComputersTakingTheLastPieceOneIsRefused)
{
    const qint64 glass = parts->part(QStringLiteral("Стъкло"), 1, 10);
    const qint64 lcd =
        parts->part(QStringLiteral("LCD"), 2, 30, {QStringLiteral("SN-1"), QStringLiteral("SN-2")});
    const std::unique_ptr<data::Database> other = openAnother();
    FakePrompt otherPrompt;
    Session second = session;
    second.db = other.get();
    second.prompt = &otherPrompt;

    const struct {
        PartPick pick;
    } cases[] = {
        {{glass, 1, {}, FromShop, 0}},                   // the last piece
        {{lcd, 1, QStringLiteral("SN-1"), FromShop, 0}}, // the same serial, another piece still in stock
    };
    for (const auto &c : cases) {
        // Both pickers saw the piece; the first computer issues it.
        ASSERT_TRUE(issuePart(session, 12, kOrderSerial, c.pick, kNow).ok);
        const QList<int> before = footprint();
        const IssueResult r = issuePart(second, 12, kOrderSerial, c.pick, kNow);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.refusal, partNotInStockText());
        EXPECT_EQ(footprint(), before);
    }
    EXPECT_EQ(otherPrompt.texts(), (QStringList{partNotInStockText(), partNotInStockText()}));
    EXPECT_TRUE(prompt.records().isEmpty());
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {lcd}), 1);
}

TEST_P(OrderPartsDb, AnIssueWaitingWhileAnotherComputerTakesTheLastPieceIsRefused)
{
    const qint64 glass = parts->part(QStringLiteral("Стъкло"), 1, 10);
    // Another computer is in the middle of taking the last piece.
    const std::unique_ptr<data::Database> other = openAnother();
    auto otherTx = std::make_unique<data::Transaction>(*other);
    ASSERT_TRUE(stock::takeFromStock(*other, glass, 1));

    IssueResult result;
    QStringList shown;
    std::string failure;
    std::thread waiting([&] {
        try {
            // A connection belongs to the thread that opens it.
            const std::unique_ptr<data::Database> own = data::Database::open(location());
            FakePrompt threadPrompt;
            Session s = session;
            s.db = own.get();
            s.prompt = &threadPrompt;
            result = issuePart(s, 12, kOrderSerial, {glass, 1, {}, FromShop, 0}, kNow);
            shown = threadPrompt.texts();
        } catch (const std::exception &e) {
            failure = e.what();
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    otherTx->commit();
    waiting.join();

    EXPECT_EQ(failure, std::string());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(shown, QStringList{partNotInStockText()});
    EXPECT_EQ(count(QStringLiteral("select count(*) from Part_Moves")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from PartsInPor")), 0);
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {glass}), 0);
    EXPECT_EQ(value(QStringLiteral("select sumAll from porychka where idPor = 12")), 5);
}

TEST_P(OrderPartsDb, FailureHalfWayLeavesNothingWritten)
{
    const qint64 lcd = parts->part(QStringLiteral("LCD"), 1, 30, {QStringLiteral("SN-1")});
    // The movement and the replacement are written before the line, which cannot be.
    db().dropTable(QStringLiteral("PartsInPor"));
    EXPECT_THROW(issue({lcd, 1, QStringLiteral("SN-1"), FromShop, 0}), data::DbError);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Part_Moves")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from replaceSN")), 0);
    EXPECT_EQ(stock::SerialStock(db()).serialsOf(lcd), QStringList{QStringLiteral("SN-1")});
    EXPECT_EQ(count(QStringLiteral("select amnt from parts where id = ?"), {lcd}), 1);
    EXPECT_EQ(value(QStringLiteral("select sumAll from porychka where idPor = 12")), 5);
}

TEST_P(OrderPartsDb, ShopStockSearch)
{
    parts->part(QStringLiteral("Дисплей Nokia 3310"), 2, 1, {}, QStringLiteral("Дисплей"), 1,
                QStringLiteral("N-3310"));
    parts->part(QStringLiteral("дисплей Samsung"), 1, 1, {}, QStringLiteral("Дисплей"), 1,
                QStringLiteral("S-100%"));
    parts->part(QStringLiteral("Батерия 3310"), 4, 1, {}, QStringLiteral("Батерия"), 1,
                QStringLiteral("N-3310B"));
    parts->part(QStringLiteral("Дисплей изчерпан"), 0, 1);
    const struct {
        const char *part, *number;
        QStringList found;
    } cases[] = {
        {"",
         "",
         {QStringLiteral("Дисплей Nokia 3310"), QStringLiteral("дисплей Samsung"),
          QStringLiteral("Батерия 3310")}},
        {"  ДИСПЛЕЙ*  ", "", {QStringLiteral("Дисплей Nokia 3310"), QStringLiteral("дисплей Samsung")}},
        {"*3310", "", {QStringLiteral("Дисплей Nokia 3310"), QStringLiteral("Батерия 3310")}},
        {"*3310", "N-3310", {QStringLiteral("Дисплей Nokia 3310")}},
        {"", "S-100%", {QStringLiteral("дисплей Samsung")}},
        {"", "S-1%", {}},    // the user's % is a plain character
        {"Дисплей", "", {}}, // no wildcard typed: the whole designation
    };
    for (const auto &c : cases) {
        const stock::Statement s =
            shopStockStatement(db(), QString::fromUtf8(c.part), QString::fromUtf8(c.number));
        QSqlQuery q = db().exec(s.sql, s.params);
        QStringList found;
        while (q.next())
            found << q.value(QStringLiteral("Part")).toString();
        EXPECT_EQ(found, c.found) << c.part << " / " << c.number;
    }
}

MORLENTA_ON_BOTH_ENGINES(OrderPartsDb);
