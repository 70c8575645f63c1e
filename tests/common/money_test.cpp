#include "common/money.h"

#include <QDate>
#include <QTime>

#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace morlenta;

TEST(RoundCents, HalvesGoToTheEvenNeighbourOfTheDoubleProduct)
{
    const struct {
        double in;
        double out;
    } cases[] = {
        {0.125, 0.12}, {0.375, 0.38}, {12.345, 12.34}, {2.355, 2.36},  {-0.125, -0.12},
        {1.005, 1.0},  {10.0, 10.0},  {0.0, 0.0},      {19.999, 20.0}, {3.14159, 3.14},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(roundCents(c.in), c.out) << c.in;
}

TEST(AmountText, EightWideTwoDecimalsPointSeparator)
{
    EXPECT_EQ(amountText(3.5), QStringLiteral("    3.50"));
    EXPECT_EQ(amountText(-1.234), QStringLiteral("   -1.23"));
    EXPECT_EQ(amountText(12345678.9), QStringLiteral("12345678.90"));
    EXPECT_EQ(amountText(0), QStringLiteral("    0.00"));
}

TEST(DateText, ShortFormatsAndEmptyForMissing)
{
    EXPECT_EQ(dateText(QDate(2009, 3, 5)), QStringLiteral("05.03.2009"));
    EXPECT_EQ(dateText(QDate()), QString());
    EXPECT_EQ(timeText(QTime(7, 5, 9)), QStringLiteral("07:05:09"));
    EXPECT_EQ(timeText(QTime()), QString());
}

TEST(CurrencyLabel, KnownIdsAndEmptyOtherwise)
{
    EXPECT_EQ(currencyLabel(CurLeva), QStringLiteral("лв."));
    EXPECT_EQ(currencyLabel(CurUsd), QStringLiteral("USD"));
    EXPECT_EQ(currencyLabel(CurEur), QStringLiteral("EUR"));
    EXPECT_EQ(currencyLabel(0), QString());
    EXPECT_EQ(currencyLabel(4), QString());
}
