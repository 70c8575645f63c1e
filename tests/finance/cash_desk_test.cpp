#include "finance/cash_desk.h"

#include "common/money.h"
#include "finance/cash_ledger.h"
#include "finance/finance_fixture.h"

#include <QSqlQuery>

using namespace morlenta;
using namespace morlenta::finance;
using morlenta::test::FinanceTest;

namespace {
const QDate kToday(2026, 6, 15);
const QDateTime kNow(kToday, QTime(10, 30));
} // namespace

TEST(KasaRange, OpensOnYesterdayToTodayAndKeepsItsEndsInOrder)
{
    const KasaRange start = initialKasaRange(kToday);
    EXPECT_EQ(start.from, kToday.addDays(-1));
    EXPECT_EQ(start.to, kToday);
    struct Case {
        bool fromChanged;
        QDate from, to, wantFrom, wantTo;
    };
    const QDate d1(2026, 6, 1), d10(2026, 6, 10);
    for (const Case c : {
             Case{true, kToday.addDays(3), kToday, kToday, kToday}, // from after today becomes today
             Case{true, d10, d1, d10, d10},                         // from after to pulls to along
             Case{false, d10, d1, d1, d1},                          // to before from pulls from back
             Case{false, d1, kToday.addDays(9), d1, kToday},        // to after today becomes today
             Case{true, d1, d10, d1, d10},                          // in order: unchanged
             Case{false, kToday.addDays(2), kToday.addDays(5), kToday, kToday},
         }) {
        const KasaRange r =
            c.fromChanged ? kasaFromChanged({c.from, c.to}, kToday) : kasaToChanged({c.from, c.to}, kToday);
        EXPECT_EQ(r.from, c.wantFrom)
            << c.from.toString().toStdString() << " " << c.to.toString().toStdString();
        EXPECT_EQ(r.to, c.wantTo) << c.from.toString().toStdString() << " " << c.to.toString().toStdString();
    }
}

TEST(KasaColumns, AboveZeroIsInEverythingElseIsOut)
{
    EXPECT_EQ(kasaInSum(12.5), QVariant(12.5));
    EXPECT_FALSE(kasaOutSum(12.5).isValid());
    EXPECT_FALSE(kasaInSum(-3).isValid());
    EXPECT_EQ(kasaOutSum(-3), QVariant(3.0));
    EXPECT_FALSE(kasaInSum(0).isValid()); // a row of 0 is listed as out
    EXPECT_EQ(kasaOutSum(0).toDouble(), 0.0);
    EXPECT_FALSE(std::signbit(kasaOutSum(0).toDouble()));
}

TEST(Amounts, OnlyPlainNumbersAreAmounts)
{
    struct Case {
        const char *text;
        std::optional<double> value;
    };
    for (const Case c :
         {Case{"12,50", 12.5}, Case{" 12.50 ", 12.5}, Case{"1 200", 1200.0}, Case{"-5", -5.0}, Case{"0", 0.0},
          Case{"", std::nullopt}, Case{"abc", std::nullopt}, Case{"12a", std::nullopt},
          Case{"1e5", std::nullopt}, Case{"inf", std::nullopt}, Case{"nan", std::nullopt},
          Case{"1.2.3", std::nullopt}, Case{"5-", std::nullopt}, Case{"0x10", std::nullopt}})
        EXPECT_EQ(parseAmount(QString::fromUtf8(c.text)), c.value) << c.text;
}

class CashDeskTest : public FinanceTest {
protected:
    int kasaRows() { return db().scalar(QStringLiteral("select count(*) from kasa")).toInt(); }
};

TEST_P(CashDeskTest, TheListShowsThePeriodInWritingOrderWithTheClerksNames)
{
    db().insert(QStringLiteral("clerks"),
                {{QStringLiteral("Name"), QStringLiteral("Иван")}, {QStringLiteral("Active"), true}});
    const int ivan =
        db().scalar(QStringLiteral("select id from clerks where Name = ?"), {QStringLiteral("Иван")}).toInt();
    postCash(db(), 1, {10, CurLeva, QStringLiteral("преди")}, QDateTime(kToday.addDays(-2), QTime(9, 0)));
    postCash(db(), ivan, {20, CurLeva, QStringLiteral("вчера")}, QDateTime(kToday.addDays(-1), QTime(18, 0)));
    postCash(db(), 1, {-5, CurEur, QStringLiteral("днес")}, QDateTime(kToday, QTime(8, 15, 30)));
    postCash(db(), 1, {7, CurLeva, QStringLiteral("утре")}, QDateTime(kToday.addDays(1), QTime(8, 0)));
    const std::vector<KasaRow> rows = loadKasa(session, initialKasaRange(kToday));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].notes, QStringLiteral("вчера"));
    EXPECT_EQ(rows[0].user, QStringLiteral("Иван"));
    EXPECT_EQ(rows[1].notes, QStringLiteral("днес"));
    EXPECT_EQ(rows[1].user, QStringLiteral("Администратор"));
    EXPECT_EQ(rows[1].time, QTime(8, 15, 30));
    EXPECT_EQ(rows[1].date, kToday);
    EXPECT_EQ(rows[1].currency, int(CurEur));
    EXPECT_DOUBLE_EQ(rows[1].amount, -5);
}

TEST_P(CashDeskTest, BadInputGetsItsMessageAndWritesNothing)
{
    CashDesk desk(session);
    struct Case {
        const char *amount;
        const char *reason;
        CashDesk::Result result;
        QString message;
    };
    for (const Case &c : {Case{"abc", "Заем", CashDesk::Result::FixAmount, CashDesk::amountText()},
                          Case{"", "Заем", CashDesk::Result::FixAmount, CashDesk::amountText()},
                          Case{"0", "Заем", CashDesk::Result::FixAmount, CashDesk::amountText()},
                          Case{"-15", "Заем", CashDesk::Result::FixAmount, CashDesk::amountText()},
                          Case{"15", "", CashDesk::Result::FixReason, CashDesk::reasonText()},
                          Case{"15", "   ", CashDesk::Result::FixReason, CashDesk::reasonText()}}) {
        const qsizetype before = prompt.records().size();
        EXPECT_EQ(
            desk.record({QString::fromUtf8(c.amount), true, CurLeva, QString::fromUtf8(c.reason)}, kNow),
            c.result)
            << c.amount;
        ASSERT_EQ(prompt.records().size(), before + 1) << c.amount;
        EXPECT_EQ(prompt.records().last().text, c.message);
        EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Съобщение"));
        EXPECT_EQ(prompt.records().last().icon, PromptIcon::Warning);
    }
    prompt.expectQuestion(QStringLiteral("Желате ли да запишете въведените данни?"), PromptAnswer::No);
    EXPECT_EQ(desk.record({QStringLiteral("15"), true, CurLeva, QStringLiteral("Заем")}, kNow),
              CashDesk::Result::Declined);
    EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Транзакция"));
    EXPECT_EQ(kasaRows(), 0);
}

TEST_P(CashDeskTest, TheDirectionGivesTheSignAndLevaOnlyForcesLeva)
{
    CashDesk desk(session);
    EXPECT_FALSE(desk.currencyChoice());
    prompt.expectQuestion(QString(), PromptAnswer::Yes);
    EXPECT_EQ(desk.record({QStringLiteral("40,125"), true, CurUsd, QStringLiteral("  За куриер ")}, kNow),
              CashDesk::Result::Saved);
    setMultiCurrency(true);
    EXPECT_TRUE(desk.currencyChoice());
    prompt.expectQuestion(QString(), PromptAnswer::Yes);
    EXPECT_EQ(desk.record({QStringLiteral("100"), false, CurEur, QStringLiteral("Начална наличност")}, kNow),
              CashDesk::Result::Saved);

    QSqlQuery q = db().exec(QStringLiteral("select Data, Suma, idVal, Notes, UserID from kasa order by id"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toDate(), kToday);
    EXPECT_DOUBLE_EQ(q.value(1).toDouble(), -40.125); // typed by hand: kept unrounded
    EXPECT_EQ(q.value(2).toInt(), int(CurLeva));
    EXPECT_EQ(q.value(3).toString(), QStringLiteral("За куриер"));
    EXPECT_EQ(q.value(4).toInt(), 1);
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(1).toDouble(), 100);
    EXPECT_EQ(q.value(2).toInt(), int(CurEur));
    const auto b = cashBalances(db());
    EXPECT_DOUBLE_EQ(b[0], -40.125);
    EXPECT_DOUBLE_EQ(b[2], 100);
}

TEST_P(CashDeskTest, AClockBehindTheLastRowRefusesTheEntry)
{
    // A row written when the clock showed a later day, outside any period shown.
    postCash(db(), 1, {10, CurLeva, QStringLiteral("бъдеще")}, QDateTime(kToday.addDays(30), QTime(9, 0)));
    CashDesk desk(session);
    prompt.expectQuestion(QString(), PromptAnswer::Yes);
    EXPECT_EQ(desk.record({QStringLiteral("5"), false, CurLeva, QStringLiteral("Заем")}, kNow),
              CashDesk::Result::ClockGuard);
    EXPECT_EQ(prompt.records().last().text, CashDesk::clockText());
    EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Грешка"));
    EXPECT_EQ(kasaRows(), 1);
    // The same day as the last row is fine.
    prompt.expectQuestion(QString(), PromptAnswer::Yes);
    EXPECT_EQ(desk.record({QStringLiteral("5"), false, CurLeva, QStringLiteral("Заем")},
                          QDateTime(kToday.addDays(30), QTime(9, 5))),
              CashDesk::Result::Saved);
    EXPECT_EQ(kasaRows(), 2);
}

MORLENTA_ON_BOTH_ENGINES(CashDeskTest);
