#include "finance/cash_ledger.h"

#include "common/money.h"
#include "data/transaction.h"
#include "finance/finance_fixture.h"

#include <QSqlQuery>
#include <QTime>

using namespace morlenta;
using namespace morlenta::finance;
using morlenta::test::FinanceTest;

class CashLedgerTest : public FinanceTest {
protected:
    double storedAmount(qint64 id)
    {
        return db().scalar(QStringLiteral("select Suma from kasa where id = ?"), {id}).toDouble();
    }
};

TEST_P(CashLedgerTest, PostingAppendsTheRowWithTheMachinesClockAndTheClerk)
{
    const QDateTime when(QDate(2026, 5, 4), QTime(14, 7, 9, 450));
    const qint64 id = postCash(
        db(), 7, {-25.5, CurUsd, QStringLiteral("Плащане на \"O'Brien\"\nдоставка"), CashRounding::Cents},
        when);
    QSqlQuery q = db().exec(
        QStringLiteral("select Data, Chas, Suma, idVal, Notes, UserID from kasa where id = ?"), {id});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toDate(), when.date());
    const QVariant t = q.value(1);
    EXPECT_EQ(t.typeId() == QMetaType::QTime ? t.toTime()
                                             : QTime::fromString(t.toString(), Qt::ISODateWithMs),
              QTime(14, 7, 9));
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), -25.5);
    EXPECT_EQ(q.value(3).toInt(), CurUsd);
    // Quotes are stored as typed; the notes stay one line.
    EXPECT_EQ(q.value(4).toString(), QStringLiteral("Плащане на \"O'Brien\" доставка"));
    EXPECT_EQ(q.value(5).toInt(), 7);
}

TEST_P(CashLedgerTest, StatementPostingsAreRoundedToTheCentCursorPostingsKeepEveryDigit)
{
    struct Case {
        double amount;
        CashRounding rounding;
        double stored;
    };
    for (const Case c :
         {Case{12.345678, CashRounding::Cents, 12.35}, Case{-3.14159, CashRounding::Cents, -3.14},
          Case{2.675, CashRounding::Cents, 2.67}, // as "%8.2f" writes the double
          Case{12.345678, CashRounding::Exact, 12.345678}, Case{-0.001, CashRounding::Exact, -0.001}}) {
        const qint64 id = postCash(db(), 1, {c.amount, CurLeva, QStringLiteral("x"), c.rounding});
        EXPECT_DOUBLE_EQ(storedAmount(id), c.stored) << c.amount;
    }
}

TEST_P(CashLedgerTest, PostingJoinsTheCallersTransaction)
{
    {
        data::Transaction tx(db());
        postCash(db(), 1, {100, CurLeva, QStringLiteral("Продажба")});
        // the caller's own work fails: no commit
    }
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from kasa")).toInt(), 0);
    data::inTransaction(db(), [&] { postCash(db(), 1, {100, CurLeva, QStringLiteral("Продажба")}); });
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from kasa")).toInt(), 1);
}

TEST_P(CashLedgerTest, BadPostingsAreRefusedBeforeAnythingIsWritten)
{
    EXPECT_THROW(postCash(db(), 1, {10, 4, QStringLiteral("x")}), std::invalid_argument);
    EXPECT_THROW(postCash(db(), 1, {10, 0, QStringLiteral("x")}), std::invalid_argument);
    EXPECT_THROW(postCash(db(), 1, {std::nan(""), CurLeva, QStringLiteral("x")}), std::invalid_argument);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from kasa")).toInt(), 0);
}

TEST_P(CashLedgerTest, BalancesSumEveryRowOfEachCurrencyWhateverItsDate)
{
    EXPECT_EQ(cashBalances(db()), (std::array<double, 3>{0, 0, 0}));
    const QDateTime old(QDate(2019, 1, 2), QTime(9, 0));
    postCash(db(), 1, {100, CurLeva, QStringLiteral("a")}, old);
    postCash(db(), 1, {-30.25, CurLeva, QStringLiteral("b")});
    postCash(db(), 1, {0, CurLeva, QStringLiteral("c")});
    postCash(db(), 1, {50, CurEur, QStringLiteral("d")}, old);
    const auto b = cashBalances(db());
    EXPECT_DOUBLE_EQ(b[0], 69.75);
    EXPECT_DOUBLE_EQ(b[1], 0); // no USD rows
    EXPECT_DOUBLE_EQ(b[2], 50);
}

MORLENTA_ON_BOTH_ENGINES(CashLedgerTest);
