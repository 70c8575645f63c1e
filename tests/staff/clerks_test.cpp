#include "staff/clerks.h"

#include "common/password.h"
#include "common/rights.h"
#include "staff/rights_tree.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

#include <QSqlQuery>

using namespace morlenta;
using namespace morlenta::staff;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

TEST(RightsTree, OneNodePerPositionInOrderWithGroupsBeforeTheirMembers)
{
    const auto nodes = rightsTree();
    ASSERT_GE(nodes.size(), size_t(Right::Count));
    for (size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes[i].position, int(i) + 1);
        EXPECT_LT(nodes[i].parent, nodes[i].position);
        EXPECT_NE(QString::fromUtf8(nodes[i].caption), QString());
    }
    // Positions that guard something are never groups; the others are.
    for (int p : {1, 2, 4, 11, 17, 28, 32, 43})
        EXPECT_TRUE(isRightsGroup(p)) << p;
    for (int p : {Right::Restore, Right::Clerks, Right::Sales, Right::CashDesk, Right::SalaryReport})
        EXPECT_FALSE(isRightsGroup(p)) << p;
}

TEST(RightsTree, GroupsFollowTheirMembers)
{
    // Everything granted: every node "1".
    EXPECT_EQ(treeRights(rightsPreset(0)), QString(Right::Count, QLatin1Char('1')));
    // The new clerk's string grants deliveries, parts to technicians, protocols and the
    // parts-per-order report; its "1" at the group of the orders means nothing by itself.
    const QString fresh = treeRights(newClerkRights());
    ASSERT_EQ(fresh.size(), Right::Count);
    for (int p = 1; p <= Right::Count; ++p) {
        const QChar want = (p == 11 || p == 17 || p == 32) ? QLatin1Char('3')
                           : (p == Right::Deliveries || p == Right::PartsToTechnicians ||
                              p == Right::Protocols || p == Right::PartsPerOrder)
                               ? QLatin1Char('1')
                               : QLatin1Char('2');
        EXPECT_EQ(fresh.at(p - 1), want) << p;
    }
    // A short string denies what is missing; a chain of groups settles from the bottom.
    const QString shortOne = treeRights(QStringLiteral("221"));
    EXPECT_EQ(shortOne.left(4), QStringLiteral("1112"));
    QList<int> bad;
    const QString damaged = treeRights(QStringLiteral("22x21"), &bad);
    EXPECT_EQ(bad, QList<int>{3});
    EXPECT_EQ(damaged.left(5), QStringLiteral("22231"));
}

class ClerksTest : public DbTest {
protected:
    FakePrompt prompt;
    QString storedPassword(int id)
    {
        return db().scalar(QStringLiteral("select Password from clerks where id = ?"), {id}).toString();
    }
};

TEST_P(ClerksTest, NewClerkIsStoredTrimmedWithAHashedPassword)
{
    ClerkStore store(db(), prompt);
    Clerk c = newClerk();
    EXPECT_TRUE(c.active);
    EXPECT_EQ(c.nivo, 2);
    EXPECT_EQ(c.rights, QStringLiteral("222222222322123112222222231222222122222222"));
    c.name = QStringLiteral("  Петър Иванов ");
    c.nick = QStringLiteral(" petar ");
    c.pay = 1200;
    c.percent = 30;
    c.rights = treeRights(c.rights);
    ASSERT_TRUE(store.save(c, QStringLiteral(" тайна ")));
    EXPECT_GT(c.id, 1);
    EXPECT_EQ(c.name, QStringLiteral("Петър Иванов"));
    const auto back = loadClerk(db(), c.id);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->name, QStringLiteral("Петър Иванов"));
    EXPECT_EQ(back->nick, QStringLiteral("petar"));
    EXPECT_EQ(back->percent, 30);
    EXPECT_EQ(back->rights, c.rights);
    const QString hash = storedPassword(c.id);
    EXPECT_TRUE(isPasswordHash(hash));
    EXPECT_TRUE(checkPassword(hash, QStringLiteral("тайна")));

    // Editing without a password keeps the stored one; a new one replaces it.
    c.info = QStringLiteral("смяна");
    ASSERT_TRUE(store.save(c, QString()));
    EXPECT_EQ(storedPassword(c.id), hash);
    ASSERT_TRUE(store.save(c, QStringLiteral("нова")));
    EXPECT_TRUE(checkPassword(storedPassword(c.id), QStringLiteral("нова")));
    EXPECT_FALSE(checkPassword(storedPassword(c.id), QStringLiteral("тайна")));
    EXPECT_TRUE(prompt.records().isEmpty());
}

TEST_P(ClerksTest, AnEmployeeHasNoPercent)
{
    ClerkStore store(db(), prompt);
    Clerk c = newClerk();
    c.name = QStringLiteral("Мария");
    c.percent = 25;
    c.worker = KindEmployee;
    ASSERT_TRUE(store.save(c, QString()));
    EXPECT_EQ(loadClerk(db(), c.id)->percent, 0);
}

TEST_P(ClerksTest, ATakenOrEmptyNameIsRefused)
{
    ClerkStore store(db(), prompt);
    Clerk a = newClerk();
    a.name = QStringLiteral("Иван");
    ASSERT_TRUE(store.save(a, QString()));
    Clerk b = newClerk();
    b.name = QStringLiteral(" Иван ");
    EXPECT_FALSE(store.save(b, QStringLiteral("x")));
    EXPECT_EQ(b.id, 0);
    EXPECT_EQ(prompt.records().last().text, QStringLiteral("Служител с такова име вече е въведен!"));
    EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Грешка"));
    EXPECT_EQ(prompt.records().last().icon, PromptIcon::Error);
    // Renaming another clerk to a taken name fails the same way and changes nothing.
    b.name = QStringLiteral("Георги");
    ASSERT_TRUE(store.save(b, QString()));
    b.name = QStringLiteral("Иван");
    b.pay = 999;
    EXPECT_FALSE(store.save(b, QString()));
    EXPECT_EQ(loadClerk(db(), b.id)->name, QStringLiteral("Георги"));
    EXPECT_DOUBLE_EQ(loadClerk(db(), b.id)->pay, 0);
    b.name = QStringLiteral("   ");
    EXPECT_FALSE(store.save(b, QString()));
    EXPECT_EQ(prompt.records().last().text, ClerkStore::emptyNameText());
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from clerks")).toInt(), 3);
}

TEST_P(ClerksTest, TheAdministratorKeepsStatusKindLevelAndRights)
{
    ClerkStore store(db(), prompt);
    Clerk admin = *loadClerk(db(), kAdministratorId);
    const Clerk stored = admin;
    admin.active = false;
    admin.worker = KindTechnician;
    admin.nivo = 2;
    admin.rights = newClerkRights();
    admin.name = QStringLiteral("Шефът");
    ASSERT_TRUE(store.save(admin, QString()));
    const Clerk back = *loadClerk(db(), kAdministratorId);
    EXPECT_EQ(back.name, QStringLiteral("Шефът"));
    EXPECT_TRUE(back.active);
    EXPECT_EQ(back.worker, stored.worker);
    EXPECT_EQ(back.nivo, stored.nivo);
    EXPECT_EQ(back.rights, stored.rights);
}

MORLENTA_ON_BOTH_ENGINES(ClerksTest);
