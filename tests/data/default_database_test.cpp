#include "data/default_database.h"

#include "common/password.h"
#include "common/rights.h"
#include "data/database.h"
#include "data/schema_builder.h"
#include "support/db_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace morlenta;
using namespace morlenta::data;
using morlenta::test::DbTest;

class DefaultDatabaseTest : public DbTest {};

TEST_P(DefaultDatabaseTest, HasCurrenciesAndTheAdministrator)
{
    QSqlQuery q = db().exec(QStringLiteral("select idCur, Currency from currency order by idCur"));
    QStringList currencies;
    while (q.next())
        currencies << q.value(0).toString() + QLatin1Char(' ') + q.value(1).toString();
    EXPECT_EQ(currencies,
              (QStringList{QStringLiteral("1 лв."), QStringLiteral("2 USD"), QStringLiteral("3 EUR")}));

    QSqlQuery c = db().exec(QStringLiteral("select id, Nick, Password, Active, preferences from clerks"));
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.value(0).toInt(), 1);
    EXPECT_EQ(c.value(1).toString(), QStringLiteral("Administrator"));
    EXPECT_NE(c.value(2).toString(), administratorFirstPassword());
    EXPECT_TRUE(checkPassword(c.value(2).toString(), administratorFirstPassword()));
    EXPECT_TRUE(c.value(3).toBool());
    EXPECT_EQ(c.value(4).toString(), administratorRights());
    EXPECT_FALSE(c.next());
}

MORLENTA_ON_BOTH_ENGINES(DefaultDatabaseTest);

TEST(DefaultDatabaseFile, MadeWithItsFolderAndNeverOverAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DataBase/Morlenta.sv"));
    {
        auto db = createDefaultDatabase(path);
        EXPECT_EQ(missingSchemaParts(*db), QStringList());
    }
    ASSERT_TRUE(QFile::exists(path));
    const qint64 size = QFileInfo(path).size();
    EXPECT_THROW(createDefaultDatabase(path), DbError);
    EXPECT_EQ(QFileInfo(path).size(), size);
    EXPECT_EQ(Database::openSqlite(path)->scalar(QStringLiteral("select count(*) from clerks")).toInt(), 1);
}
