#include "common/labels.h"

#include <QVariant>

#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace morlenta;

TEST(Labels, OrderStates)
{
    const struct {
        QVariant state;
        const char *line;
    } cases[] = {
        {1, "Статус: Регистрирана за ремонт"},
        {2, "Статус: Чака за части"},
        {3, "Статус: Поправена"},
        {4, "Статус: Поправена със замяна"},
        {5, "Статус: Изпратена в друг сервиз"},
        {6, "Статус: Отказан ремонт"},
        {7, "Статус: Непоправима"},
        {8, "Статус: Отказана гаранция"},
        {0, ""},
        {9, ""},
        {QVariant(), ""},
        {QStringLiteral("x"), ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(orderStateLine(c.state), QString::fromUtf8(c.line)) << c.state.toString().toStdString();
}

TEST(Labels, WarrantyBasisNullShowsNothing)
{
    EXPECT_EQ(warrantyText(0), QStringLiteral("Негаранционен ремонт"));
    EXPECT_EQ(warrantyText(1), QStringLiteral("Собствена гаранция"));
    EXPECT_EQ(warrantyText(2), QStringLiteral("Външна гаранция"));
    EXPECT_EQ(warrantyText(QVariant()), QString());
    EXPECT_EQ(warrantyText(3), QString());
}

TEST(Labels, OrderKindOnlyForTheThreeCodes)
{
    EXPECT_EQ(orderKindText(QStringLiteral("REP")), QStringLiteral("Ремонт"));
    EXPECT_EQ(orderKindText(QStringLiteral("PRO")), QStringLiteral("Профилактика"));
    EXPECT_EQ(orderKindText(QStringLiteral("MON")), QStringLiteral("Монтаж"));
    EXPECT_EQ(orderKindText(QStringLiteral("rep")), QString());
    EXPECT_EQ(orderKindText(QVariant()), QString());
}

TEST(Labels, ProfitSourcesFiveAndAboveSixHaveNoText)
{
    EXPECT_EQ(profitSourceText(0), QStringLiteral("От продажба части"));
    EXPECT_EQ(profitSourceText(1), QStringLiteral("От части в поръчка"));
    EXPECT_EQ(profitSourceText(2), QStringLiteral("От труд в поръчка"));
    EXPECT_EQ(profitSourceText(3), QStringLiteral("От такса в поръчка"));
    EXPECT_EQ(profitSourceText(4), QStringLiteral("От гаранционни поръчки"));
    EXPECT_EQ(profitSourceText(6), QStringLiteral("От абонаментни договори"));
    for (int n : {5, 7, 100, -1})
        EXPECT_EQ(profitSourceText(n), QString()) << n;
    EXPECT_EQ(profitSourceText(QVariant()), QString());
}
