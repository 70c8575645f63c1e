#include "common/rights.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace morlenta;

TEST(Rights, OnlyTheDigitOneGrantsAndBeyondTheEndIsDenied)
{
    const QString rights = QStringLiteral("1232");
    EXPECT_TRUE(hasRight(rights, 1));
    EXPECT_FALSE(hasRight(rights, 2)); // "2" denies
    EXPECT_FALSE(hasRight(rights, 3)); // "3" is a partly checked group: grants nothing
    EXPECT_FALSE(hasRight(rights, 4));
    EXPECT_FALSE(hasRight(rights, 5)); // beyond the end
    EXPECT_FALSE(hasRight(rights, 0));
    EXPECT_FALSE(hasRight(QString(), 1));
}

TEST(Rights, NewClerkGetsExactlyFiveFunctions)
{
    QList<int> granted;
    for (int n = 1; n <= 60; ++n)
        if (hasRight(newClerkRights(), n))
            granted << n;
    EXPECT_EQ(granted, (QList<int>{13, 16, 17, 27, 34}));
    EXPECT_EQ(rightsPreset(2), newClerkRights());
    EXPECT_EQ(rightsPreset(9), newClerkRights()); // unknown levels get the narrowest
}

TEST(Rights, PresetsCoverEveryPositionAndNarrowWithTheLevel)
{
    for (int n = 1; n <= Right::Count; ++n)
        EXPECT_TRUE(hasRight(rightsPreset(0), n)) << n;
    EXPECT_TRUE(hasRight(rightsPreset(1), Right::NewOrder));
    EXPECT_FALSE(hasRight(rightsPreset(1), Right::Clerks));
    EXPECT_FALSE(hasRight(rightsPreset(1), Right::Profit));
    EXPECT_GE(rightsPreset(1).size(), Right::Count);
    EXPECT_EQ(administratorRights().size(), kRightsColumnLength);
    EXPECT_TRUE(hasRight(administratorRights(), kRightsColumnLength));
}
