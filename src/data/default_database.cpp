#include "data/default_database.h"

#include "common/money.h"
#include "common/password.h"
#include "common/rights.h"
#include "data/database.h"
#include "data/schema_builder.h"
#include "data/transaction.h"

#include <QFile>

namespace morlenta::data {

QString administratorLogin()
{
    return QStringLiteral("Administrator");
}

QString administratorFirstPassword()
{
    return QStringLiteral("admin");
}

void initializeNewDatabase(Database &db, const QString &adminPassword)
{
    const QString hash = hashPassword(adminPassword); // before the transaction: it takes a moment
    Transaction tx(db);
    createSchema(db);
    for (int id : {CurLeva, CurUsd, CurEur})
        db.insert(QStringLiteral("currency"),
                  {{QStringLiteral("idCur"), id}, {QStringLiteral("Currency"), currencyLabel(id)}});
    db.insert(QStringLiteral("clerks"), {{QStringLiteral("id"), 1},
                                         {QStringLiteral("Name"), QStringLiteral("Администратор")},
                                         {QStringLiteral("Info"), QString()},
                                         {QStringLiteral("Nick"), administratorLogin()},
                                         {QStringLiteral("Password"), hash},
                                         {QStringLiteral("Pay"), 0.0},
                                         {QStringLiteral("Percent"), 0},
                                         {QStringLiteral("Active"), true},
                                         {QStringLiteral("Nivo"), 0},
                                         {QStringLiteral("worker"), 1},
                                         {QStringLiteral("preferences"), administratorRights()}});
    if (db.engine() == Engine::Postgres)
        // The key was given explicitly; move the counter past it.
        db.scalar(QStringLiteral("select setval(pg_get_serial_sequence('clerks', 'id'), 1)"));
    tx.commit();
}

std::unique_ptr<Database> createDefaultDatabase(const QString &path, const QString &adminPassword)
{
    std::unique_ptr<Database> db = Database::openSqlite(path, true);
    try {
        initializeNewDatabase(*db, adminPassword);
    } catch (...) {
        db.reset();
        QFile::remove(path);
        throw;
    }
    return db;
}

} // namespace morlenta::data
