#include "common/preferences.h"

#include "data/database.h"
#include "support/db_fixture.h"

using namespace morlenta;
using morlenta::data::Engine;
using morlenta::test::DbTest;

class PreferencesTest : public DbTest {
protected:
    QString memo()
    {
        return db().scalar(QStringLiteral("select Special from connect where id = 1")).toString();
    }
};

TEST_P(PreferencesTest, EmptyStoreGetsTheDefaultsWrittenAtOnce)
{
    Preferences p(db());
    p.loadAtStart(QDate(2026, 3, 9));
    QStringList keys;
    for (const PreferenceRow &r : p.rows())
        keys << r.key;
    EXPECT_EQ(keys,
              (QStringList{QStringLiteral("FirstTimeMonth"), QStringLiteral("FirstTimeYear"),
                           QStringLiteral("PrintSize"), QStringLiteral("AutoArchive"),
                           QStringLiteral("Printer"), QStringLiteral("PrintFont"), QStringLiteral("Taksa"),
                           QStringLiteral("Prices"), QStringLiteral("Currency")}));
    Preferences reread(db());
    reread.load();
    EXPECT_EQ(reread.intValue(QStringLiteral("FirstTimeMonth")), 3);
    EXPECT_EQ(reread.intValue(QStringLiteral("FirstTimeYear")), 2026);
    EXPECT_EQ(reread.intValue(QStringLiteral("PrintSize")), 9);
    EXPECT_EQ(reread.str(QStringLiteral("Printer")), QStringLiteral("Windows Printer"));
    EXPECT_EQ(reread.str(QStringLiteral("PrintFont")), QStringLiteral("Arial"));
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from connect")).toInt(), 1);
}

TEST_P(PreferencesTest, OldPrefsTableIsMovedIntoTheStoreAndDropped)
{
    // "int" is a reserved word on PostgreSQL; old tables only ever came from files.
    db().execute(
        engine() == Engine::Postgres
            ? QStringLiteral("create table prefs (id serial, key text, str text, num double precision, "
                             "\"int\" integer, reg text)")
            : QStringLiteral("create table prefs (id integer primary key autoincrement, key text, str "
                             "text, num double precision, int integer, reg text)"));
    db().execute(QStringLiteral("insert into prefs (key, str, num, reg) values (?, ?, ?, ?)"),
                 {QStringLiteral("Taksa"), QString(), 12.5, QString()});
    db().execute(QStringLiteral("insert into prefs (key, str, num, reg) values (?, ?, ?, ?)"),
                 {QStringLiteral("PrintFont"), QStringLiteral("Times, \"New\""), 0.0, QString()});
    Preferences p(db());
    p.loadAtStart(QDate(2026, 1, 1));
    EXPECT_FALSE(db().hasTable(QStringLiteral("prefs")));
    Preferences reread(db());
    reread.load();
    EXPECT_EQ(reread.rows().size(), 2); // not empty, so no defaults
    EXPECT_DOUBLE_EQ(reread.num(QStringLiteral("Taksa")), 12.5);
    EXPECT_EQ(reread.str(QStringLiteral("PrintFont")), QStringLiteral("Times, \"New\""));
}

TEST_P(PreferencesTest, OneChangeRewritesTheWholeMemo)
{
    Preferences first(db());
    first.loadAtStart(QDate(2026, 1, 1));
    Preferences second(db());
    second.load();
    second.setStr(QStringLiteral("Printer"), QStringLiteral("Matrix,\nнов"));
    EXPECT_EQ(memo(), Preferences::toText(second.rows()));
    // The last computer to save leaves its whole list.
    first.setInt(QStringLiteral("UseSN"), 1);
    Preferences reread(db());
    reread.load();
    EXPECT_EQ(reread.str(QStringLiteral("Printer")), QStringLiteral("Windows Printer"));
    EXPECT_EQ(reread.intValue(QStringLiteral("UseSN")), 1);
    EXPECT_EQ(Preferences::fromText(Preferences::toText(second.rows())).size(), second.rows().size());
    EXPECT_EQ(Preferences::fromText(Preferences::toText(second.rows()))[4].str,
              QStringLiteral("Matrix,\nнов"));
}

MORLENTA_ON_BOTH_ENGINES(PreferencesTest);
