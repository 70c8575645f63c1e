#include "orders/order_money.h"

#include <gtest/gtest.h>

using namespace morlenta::orders;

namespace {

OrderAmounts firmOrder()
{
    OrderAmounts a;
    a.parts = 40;
    a.trudClient = 30;
    a.taksa = 10;
    a.discParts = 10;
    a.discJobs = 20;
    return a;
}

} // namespace

TEST(OrderMoney, DiscountAndSurchargeOfAFirmsOrder)
{
    OrderAmounts a = firmOrder();
    a.recompute();
    EXPECT_DOUBLE_EQ(a.otst, 10.0);
    EXPECT_DOUBLE_EQ(a.suma, 70.0);
    EXPECT_TRUE(a.discountEnabled);
    a.suma = 75;
    a.discountFromTotal();
    EXPECT_DOUBLE_EQ(a.otst, 5.0);
    a.otst = -5;
    a.totalFromDiscount();
    EXPECT_DOUBLE_EQ(a.suma, 85.0);

    OrderAmounts w = firmOrder();
    w.warranty = true;
    w.recompute();
    EXPECT_DOUBLE_EQ(w.suma, 0.0);
    EXPECT_DOUBLE_EQ(w.otst, 0.0);
    EXPECT_FALSE(w.discountEnabled);

    OrderAmounts p = firmOrder();
    p.partsMode = true;
    p.recompute();
    EXPECT_DOUBLE_EQ(p.suma, 80.0); // no discount while parts are issued
    EXPECT_DOUBLE_EQ(p.otst, 0.0);
}

TEST(OrderMoney, PartAndWorkPricesByBasis)
{
    const CurrencyRates rates{1.8, 1.95583};
    const PartPrices dollarPart{10, 2, 12.345, 3};
    EXPECT_DOUBLE_EQ(partPrice(Basis::Paid, dollarPart, rates), 24.14); // 12.345 EUR
    EXPECT_DOUBLE_EQ(partPrice(Basis::Own, dollarPart, rates), 0.0);
    EXPECT_DOUBLE_EQ(partPrice(Basis::Giver, dollarPart, rates), 18.0); // 10 USD bought
    EXPECT_DOUBLE_EQ(partPrice(Basis::Paid, PartPrices{1, 0, 7.5, 0}, rates), 7.5);
    EXPECT_TRUE(partPriceNeedsRates(Basis::Paid, dollarPart));
    EXPECT_FALSE(partPriceNeedsRates(Basis::Own, dollarPart));
    EXPECT_FALSE(partPriceNeedsRates(Basis::Paid, PartPrices{1, 2, 5, 1}));

    const OperationPrices op{30, 8, 12, 25};
    EXPECT_DOUBLE_EQ(workPrice(Basis::Paid, op), 30.0);
    EXPECT_DOUBLE_EQ(workPrice(Basis::Own, op), 0.0);
    EXPECT_DOUBLE_EQ(workPrice(Basis::Giver, op), 25.0);
}

TEST(OrderMoney, TechniciansShareByPayMode)
{
    const OperationPrices op{30, 8, 12, 25};
    struct Case {
        int mode;
        Basis basis;
        double pr1;
        bool first;
        double share;
    };
    const Case cases[] = {
        {0, Basis::Paid, 30, true, 12}, {0, Basis::Own, 0, true, 8},    {0, Basis::Giver, 25, false, 8},
        {1, Basis::Paid, 30, false, 5}, {1, Basis::Giver, 25, true, 3}, {2, Basis::Paid, 30, true, 4.5},
        {2, Basis::Own, 0, true, 0},    {3, Basis::Paid, 30, true, 5},  {3, Basis::Paid, 30, false, 0},
        {3, Basis::Own, 0, true, 3},
    };
    for (const Case &c : cases) {
        const PayRule rule{c.mode, 5, 3};
        EXPECT_DOUBLE_EQ(technicianShare(rule, c.basis, &op, c.pr1, 15, c.first), c.share) << c.mode;
    }
    EXPECT_DOUBLE_EQ(technicianShare(PayRule{0, 5, 3}, Basis::Own, nullptr, 0, 15, true), 0.0);
}
