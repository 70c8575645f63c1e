#include "data/upgrade.h"

#include "common/prompt.h"
#include "common/rights.h"
#include "data/database.h"
#include "data/schema.h"
#include "data/schema_builder.h"
#include "support/db_fixture.h"
#include "support/fake_prompt.h"

#include <QSqlQuery>

#include <vector>

using namespace morlenta;
using namespace morlenta::data;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

namespace {

const QString kRightsMessage =
    QStringLiteral("ВНИМЕНИЕ: Създадена е нова система за права на потребителите на програмата!\n\n"
                   "Moжете да задавате индивидуални права за всеки потребител!");

// A file as an earlier version left it: none of the tables and columns that
// later versions add at start.
void createOldSchema(Database &db, const QStringList &leaveOut = {})
{
    for (const TableDef &t : schemaTables()) {
        if (t.createdAtStart || leaveOut.contains(QString::fromLatin1(t.name)))
            continue;
        std::vector<ColumnDef> cols;
        for (const ColumnDef &c : t.columns)
            if (!c.addedAtStart)
                cols.push_back(c);
        db.createTable(TableDef{t.name, cols});
    }
}

} // namespace

class UpgradeTest : public DbTest {
protected:
    bool startInitialized() const override { return false; }

    void addOldRows()
    {
        for (auto [id, level] : {std::pair{1, 2}, std::pair{2, 1}, std::pair{3, 7}})
            db().insert(QStringLiteral("clerks"),
                        {{QStringLiteral("id"), id},
                         {QStringLiteral("Name"), QStringLiteral("Служител %1").arg(id)},
                         {QStringLiteral("Nivo"), level}});
        for (const char *name : {"Батерия", "Дисплей"})
            db().insert(QStringLiteral("parts"),
                        {{QStringLiteral("Part"), QString::fromUtf8(name)}, {QStringLiteral("amnt"), 1}});
        db().insert(QStringLiteral("FactData"), {{QStringLiteral("FactNo"), QStringLiteral("0000000001")},
                                                 {QStringLiteral("EndSum"), 120.0}});
    }
    QVariant value(const QString &sql) { return db().scalar(sql); }
};

TEST_P(UpgradeTest, OlderFileIsBroughtUpToDateWithEveryFill)
{
    createOldSchema(db());
    addOldRows();
    ASSERT_FALSE(missingSchemaParts(db()).isEmpty());

    FakePrompt prompt;
    const UpgradeResult r = upgradeDatabase(db(), prompt);
    EXPECT_TRUE(r.rightsFilled);
    EXPECT_TRUE(r.makersFilled);
    EXPECT_EQ(missingSchemaParts(db()), QStringList());

    // Rights from each clerk's level; the administrator keeps every right.
    EXPECT_EQ(value(QStringLiteral("select preferences from clerks where id = 1")).toString(),
              administratorRights());
    EXPECT_EQ(value(QStringLiteral("select preferences from clerks where id = 2")).toString(),
              rightsPreset(1));
    EXPECT_EQ(value(QStringLiteral("select preferences from clerks where id = 3")).toString(),
              newClerkRights());

    // Every part gets the maker "---".
    EXPECT_EQ(value(QStringLiteral("select count(*) from partMarka")).toInt(), 1);
    const int maker = value(QStringLiteral("select id from partMarka where Marka = '---'")).toInt();
    EXPECT_EQ(value(QStringLiteral("select count(*) from parts where idMarka = %1").arg(maker)).toInt(), 2);

    // Earlier invoices count as paid in cash.
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select sumBank from FactData")).toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(value(QStringLiteral("select sumBroy from FactData")).toDouble(), 120.0);

    ASSERT_EQ(prompt.records().size(), 1);
    EXPECT_EQ(prompt.records()[0].caption, QStringLiteral("Съобщение"));
    EXPECT_EQ(prompt.records()[0].text, kRightsMessage);
    EXPECT_EQ(prompt.records()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(prompt.waits(),
              QStringList{QStringLiteral("Създадава се ново поле за ПРОИЗВОДИТЕЛ на резервните части")});
    EXPECT_FALSE(prompt.waitShown());

    // A second start changes nothing and shows nothing.
    FakePrompt again;
    const UpgradeResult second = upgradeDatabase(db(), again);
    EXPECT_FALSE(second.changed());
    EXPECT_TRUE(again.records().isEmpty());
    EXPECT_TRUE(again.waits().isEmpty());
    EXPECT_EQ(value(QStringLiteral("select count(*) from partMarka")).toInt(), 1);
}

TEST_P(UpgradeTest, EmptyPartsTableGetsTheColumnButNoMaker)
{
    createOldSchema(db());
    FakePrompt prompt;
    upgradeDatabase(db(), prompt);
    EXPECT_TRUE(db().hasColumn(QStringLiteral("parts"), QStringLiteral("idMarka")));
    EXPECT_EQ(value(QStringLiteral("select count(*) from partMarka")).toInt(), 0);
    EXPECT_TRUE(prompt.waits().isEmpty());
    EXPECT_EQ(prompt.texts(), QStringList{kRightsMessage}); // the columns were added, even with no clerks
}

TEST_P(UpgradeTest, CurrentFileIsLeftAsItIs)
{
    createSchema(db());
    FakePrompt prompt;
    const UpgradeResult r = upgradeDatabase(db(), prompt);
    EXPECT_FALSE(r.changed());
    EXPECT_TRUE(prompt.records().isEmpty());
}

TEST_P(UpgradeTest, FailingColumnStepIsReportedToTheCaller)
{
    createOldSchema(db(), {QStringLiteral("externals")});
    FakePrompt prompt;
    EXPECT_THROW(upgradeDatabase(db(), prompt), DbError);
}

TEST_P(UpgradeTest, OlderFileGetsTheSearchIndexOverItsOrders)
{
    createOldSchema(db());
    const QString names = QStringLiteral("clientNames");
    for (auto [id, name] : {std::pair{7, "Иван Петров"}, std::pair{8, "Мария Колева"}})
        db().insert(QStringLiteral("porychka"),
                    {{QStringLiteral("idPor"), id}, {names, QString::fromUtf8(name)}});
    const SearchIndexDef &index = schemaSearchIndexes()[0];
    ASSERT_FALSE(db().hasSearchIndex(index));

    FakePrompt prompt;
    upgradeDatabase(db(), prompt);
    ASSERT_TRUE(db().hasSearchIndex(index));
    EXPECT_TRUE(prompt.waits().contains(
        QStringLiteral("Създава се индекс за търсене в поръчките, моля изчакайте ...")));
    const SqlCondition c =
        db().containsCondition(QStringLiteral("porychka"), names, QStringLiteral("петров"));
    EXPECT_EQ(db().scalar(QStringLiteral("select idPor from porychka where ") + c.sql, c.params).toInt(), 7);
    if (engine() == Engine::Sqlite) {
        // The orders of the old file are in the index, not only found by the plain check.
        EXPECT_EQ(
            value(QStringLiteral("select rowid from porychka_search where clientNames match '\"колева\"'"))
                .toInt(),
            8);
    }
}

// A file whose tables are complete is ours, with or without the search index.
TEST_P(UpgradeTest, FileWithoutSearchIndexIsNotForeign)
{
    for (const TableDef &t : schemaTables())
        db().createTable(t);
    EXPECT_EQ(missingSchemaParts(db()), QStringList());
}

// An old file with two orders of one number keeps working without the index
// (which refers to orders by number) and still finds both.
TEST_P(UpgradeTest, DuplicateOrderNumbersKeepThePlainSearch)
{
    createOldSchema(db());
    const QString names = QStringLiteral("clientNames");
    for (const char *name : {"Иван Петров", "Петър Петров"})
        db().insert(QStringLiteral("porychka"),
                    {{QStringLiteral("idPor"), 5}, {names, QString::fromUtf8(name)}});
    FakePrompt prompt;
    upgradeDatabase(db(), prompt);
    if (engine() == Engine::Sqlite) {
        EXPECT_FALSE(db().hasSearchIndex(schemaSearchIndexes()[0]));
    }
    const SqlCondition c =
        db().containsCondition(QStringLiteral("porychka"), names, QStringLiteral("петров"));
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from porychka where ") + c.sql, c.params).toInt(),
              2);
    db().insert(QStringLiteral("porychka"),
                {{QStringLiteral("idPor"), 6}, {names, QStringLiteral("Нов Петров")}});
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from porychka where ") + c.sql, c.params).toInt(),
              3);
}

MORLENTA_ON_BOTH_ENGINES(UpgradeTest);
