#include "common/password.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace morlenta;

TEST(Password, StoredAsASaltedHashThatVerifies)
{
    const QString pass = QStringLiteral("Тайна'парола 1");
    const QString h1 = hashPassword(pass);
    const QString h2 = hashPassword(pass);
    EXPECT_TRUE(isPasswordHash(h1));
    EXPECT_FALSE(h1.contains(pass));
    EXPECT_NE(h1, h2); // salted
    EXPECT_TRUE(checkPassword(h1, pass));
    EXPECT_FALSE(checkPassword(h1, QStringLiteral("тайна'парола 1")));
    EXPECT_FALSE(checkPassword(h1, QString()));
}

TEST(Password, PlainValueOfAnOlderFileComparesExactly)
{
    EXPECT_FALSE(isPasswordHash(QStringLiteral("1234")));
    EXPECT_TRUE(checkPassword(QStringLiteral("1234"), QStringLiteral("1234")));
    EXPECT_FALSE(checkPassword(QStringLiteral("1234"), QStringLiteral("1234 ")));
    EXPECT_FALSE(checkPassword(QStringLiteral("Abc"), QStringLiteral("abc")));
}
