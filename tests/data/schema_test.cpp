#include "data/schema.h"
#include "data/schema_builder.h"
#include "support/db_fixture.h"

#include <QSet>

using namespace morlenta::data;
using morlenta::test::DbTest;

TEST(Schema, DeclarationIsConsistent)
{
    QSet<QString> tables;
    for (const TableDef &t : schemaTables()) {
        const QString name = QString::fromLatin1(t.name).toLower();
        EXPECT_FALSE(tables.contains(name)) << t.name;
        tables.insert(name);
        QSet<QString> cols;
        int keys = 0;
        for (const ColumnDef &c : t.columns) {
            EXPECT_FALSE(cols.contains(QString::fromLatin1(c.name).toLower())) << t.name << "." << c.name;
            cols.insert(QString::fromLatin1(c.name).toLower());
            keys += c.type == ColType::AutoKey;
            EXPECT_FALSE(c.addedAtStart && c.type == ColType::AutoKey) << t.name << "." << c.name;
        }
        EXPECT_LE(keys, 1) << t.name;
    }
    for (const IndexDef &i : schemaIndexes()) {
        const TableDef *t = findTable(QString::fromLatin1(i.table));
        ASSERT_NE(t, nullptr) << i.name;
        for (const QString &c : QString::fromLatin1(i.columns).split(QLatin1Char(',')))
            EXPECT_NE(t->find(c.trimmed()), nullptr) << i.name;
    }
    EXPECT_EQ(findTable(QStringLiteral("PORYCHKA")), findTable(QStringLiteral("porychka")));
    EXPECT_EQ(findTable(QStringLiteral("prefs")), nullptr);
}

class SchemaTest : public DbTest {};

TEST_P(SchemaTest, NewDatabaseHasEveryDeclaredTableAndColumn)
{
    EXPECT_EQ(missingSchemaParts(db()), QStringList());
    db().dropTable(QStringLiteral("banks"));
    db().execute(QStringLiteral("create table banks (id integer)"));
    const QStringList missing = missingSchemaParts(db());
    EXPECT_TRUE(missing.contains(QStringLiteral("banks.Smetka")))
        << missing.join(QLatin1Char(' ')).toStdString();
}

TEST_P(SchemaTest, DeclaredTextLengthsAreKept)
{
    // The rights string has room for sixty positions.
    db().insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), QStringLiteral("Иван")},
                                           {QStringLiteral("preferences"), QString(60, QLatin1Char('1'))}});
    if (engine() == Engine::Postgres) {
        EXPECT_THROW(db().insert(QStringLiteral("clerks"),
                                 {{QStringLiteral("Name"), QStringLiteral("Петър")},
                                  {QStringLiteral("preferences"), QString(61, QLatin1Char('1'))}}),
                     DbError);
    }
}

MORLENTA_ON_BOTH_ENGINES(SchemaTest);
