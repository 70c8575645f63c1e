#include "finance/rates.h"

#include "common/money.h"
#include "finance/finance_fixture.h"

using namespace morlenta;
using namespace morlenta::finance;
using morlenta::test::FinanceTest;

namespace {
const QDate kDay(2026, 3, 10);
}

class RatesTest : public FinanceTest {};

TEST_P(RatesTest, ADayIsFoundByItsExactDateOnly)
{
    saveRates(db(), {kDay, 1.8, 1.95583});
    const auto same = storedRates(db(), kDay);
    ASSERT_TRUE(same.has_value());
    EXPECT_DOUBLE_EQ(same->usd, 1.8);
    EXPECT_DOUBLE_EQ(same->eur, 1.95583);
    EXPECT_FALSE(storedRates(db(), kDay.addDays(1)).has_value()); // never the day before
    EXPECT_FALSE(storedRates(db(), kDay.addDays(-1)).has_value());
}

TEST_P(RatesTest, ProposalIsTheLastDayOrTheDefaults)
{
    DayRates p = proposedRates(db(), kDay);
    EXPECT_EQ(p.day, kDay);
    EXPECT_DOUBLE_EQ(p.usd, 1.7);
    EXPECT_DOUBLE_EQ(p.eur, 1.956);
    saveRates(db(), {kDay.addDays(-5), 1.75, 1.95});
    saveRates(db(), {kDay.addDays(-30), 1.6, 1.9}); // entered later, but an older day
    p = proposedRates(db(), kDay);
    EXPECT_DOUBLE_EQ(p.usd, 1.75);
    EXPECT_DOUBLE_EQ(p.eur, 1.95);
}

TEST_P(RatesTest, OnlyPositiveRatesAreStoredAndTheFirstWrongFieldIsNamed)
{
    struct Case {
        double usd, eur;
        int field;
    };
    for (const Case c : {Case{1.8, 1.95, 0}, Case{0, 1.95, 1}, Case{-1, 0, 1}, Case{1.8, 0, 2},
                         Case{1.8, -0.5, 2}, Case{std::nan(""), 1.9, 1}})
        EXPECT_EQ(invalidRateField(c.usd, c.eur), c.field) << c.usd << " " << c.eur;
    EXPECT_THROW(saveRates(db(), {kDay, 0, 1.9}), std::invalid_argument);
    EXPECT_FALSE(storedRates(db(), kDay).has_value());
}

TEST_P(RatesTest, ASecondEntryForTheSameDayKeepsTheFirst)
{
    saveRates(db(), {kDay, 1.8, 1.95});
    const DayRates kept = saveRates(db(), {kDay, 2.0, 2.1});
    EXPECT_DOUBLE_EQ(kept.usd, 1.8);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from valcourse")).toInt(), 1);
}

TEST_P(RatesTest, MissingDayIsAskedOnceAndACancelIsReported)
{
    setMultiCurrency(true);
    int asked = 0;
    session.enterRates = [&](const QDate &day) {
        ++asked;
        EXPECT_EQ(day, kDay);
        return false; // the clerk closes the window
    };
    EXPECT_TRUE(ratesOfDay(session, kDay).cancelled());
    EXPECT_EQ(asked, 1);

    session.enterRates = [&](const QDate &day) {
        ++asked;
        saveRates(db(), {day, 1.8, 1.95583});
        return true;
    };
    RatesAnswer a = ratesOfDay(session, kDay);
    EXPECT_EQ(a.outcome, RatesAnswer::Entered);
    EXPECT_DOUBLE_EQ(a.rates.eur, 1.95583);
    a = ratesOfDay(session, kDay); // the second operation of the day finds the row
    EXPECT_EQ(a.outcome, RatesAnswer::Found);
    EXPECT_EQ(asked, 2);

    // A window that claims success without a stored row is no rate.
    session.enterRates = [](const QDate &) { return true; };
    EXPECT_TRUE(ratesOfDay(session, kDay.addDays(1)).cancelled());
}

TEST_P(RatesTest, LevaOnlyNeverAsks)
{
    setMultiCurrency(false);
    session.enterRates = [](const QDate &) -> bool {
        ADD_FAILURE() << "asked in leva-only mode";
        return false;
    };
    RatesAnswer a = ratesOfDay(session, kDay);
    EXPECT_EQ(a.outcome, RatesAnswer::NotNeeded);
    EXPECT_FALSE(a.hasRates());
    saveRates(db(), {kDay, 1.8, 1.95});
    a = ratesOfDay(session, kDay);
    EXPECT_EQ(a.outcome, RatesAnswer::NotNeeded);
    EXPECT_TRUE(a.hasRates());
}

MORLENTA_ON_BOTH_ENGINES(RatesTest);

TEST(Conversions, PricesGoThroughLevaAndAreRoundedToTheCent)
{
    const DayRates r{kDay, 1.8, 1.95583};
    struct Case {
        double amount;
        int from, to;
        double shown;
    };
    for (const Case c : {Case{10, CurUsd, CurEur, 9.20}, // 18 / 1.95583 = 9.2032...
                         Case{10, CurUsd, CurLeva, 18.00}, Case{18, CurLeva, CurUsd, 10.00},
                         Case{1, CurEur, CurUsd, 1.09}, // 1.95583 / 1.8 = 1.0865...
                         Case{12.345, CurLeva, CurLeva, 12.34}})
        EXPECT_DOUBLE_EQ(convertPrice(c.amount, c.from, c.to, r), c.shown)
            << c.amount << " " << c.from << "->" << c.to;
    EXPECT_DOUBLE_EQ(toLeva(10, CurEur, r), 19.5583); // not rounded
    EXPECT_DOUBLE_EQ(fromLeva(19.5583, CurEur, r), 10);
    EXPECT_THROW(toLeva(10, CurUsd, DayRates{kDay, 0, 1.9}), std::invalid_argument);
    EXPECT_THROW(fromLeva(10, 7, r), std::invalid_argument);
}
