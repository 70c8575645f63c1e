#include "data/snapshot.h"

#include "data/database.h"
#include "data/schema.h"
#include "data/schema_builder.h"
#include "data/transaction.h"

#include <QFile>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

namespace morlenta::data {

namespace {

sqlite3 *handleOf(Database &db)
{
    const QVariant v = db.handle().driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(v.constData());
}

void backupSqlite(Database &db, const QString &path)
{
    sqlite3 *src = handleOf(db);
    if (!src)
        throw DbError(QStringLiteral("Няма връзка с файла на базата данни."));
    sqlite3 *dst = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &dst, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString err = QString::fromUtf8(sqlite3_errmsg(dst));
        sqlite3_close(dst);
        throw DbError(QStringLiteral("Копието %1 не може да бъде създадено: %2").arg(path, err));
    }
    sqlite3_busy_timeout(dst, 15000);
    sqlite3_backup *b = sqlite3_backup_init(dst, "main", src, "main");
    int rc = SQLITE_ERROR;
    if (b) {
        // All pages in one step: the copy is one consistent state of the file.
        do {
            rc = sqlite3_backup_step(b, -1);
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                sqlite3_sleep(50);
        } while (rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
        sqlite3_backup_finish(b);
    }
    const QString err = QString::fromUtf8(sqlite3_errmsg(dst));
    sqlite3_close(dst);
    if (rc != SQLITE_DONE) {
        QFile::remove(path);
        throw DbError(QStringLiteral("Копието на базата данни не успя: %1").arg(err));
    }
}

// A value read from one engine in the form the other expects for the column.
QVariant asDeclared(const QVariant &v, ColType type)
{
    if (v.isNull())
        return v;
    switch (type) {
    case ColType::AutoKey:
    case ColType::Integer:
    case ColType::SmallInt: return v.toLongLong();
    case ColType::Float:
    case ColType::Single: return v.toDouble();
    case ColType::Boolean: return v.toBool();
    case ColType::Date: return v.toDate();
    case ColType::Time: return v.toTime();
    case ColType::DateTime: return v.toDateTime();
    case ColType::Text:
    case ColType::Memo: return v.toString();
    }
    return v;
}

void copyTable(Database &from, Database &to, const TableDef &t)
{
    const QString name = QString::fromLatin1(t.name);
    const QStringList fromCols = from.columns(name);
    QStringList cols;
    QList<ColType> types;
    for (const ColumnDef &c : t.columns) {
        if (fromCols.contains(QString::fromLatin1(c.name), Qt::CaseInsensitive)) {
            cols << QString::fromLatin1(c.name);
            types << c.type;
        }
    }
    to.execute(QStringLiteral("delete from ") + name);
    if (cols.isEmpty())
        return;
    QStringList marks;
    for (qsizetype i = 0; i < cols.size(); ++i)
        marks << QStringLiteral("?");
    const QString insert = QStringLiteral("insert into %1 (%2) values (%3)")
                               .arg(name, cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    QSqlQuery rows =
        from.exec(QStringLiteral("select %1 from %2").arg(cols.join(QStringLiteral(", ")), name));
    QSqlQuery ins(to.handle());
    if (!ins.prepare(insert))
        throw DbError(ins.lastError().text() + QStringLiteral("\n") + insert);
    while (rows.next()) {
        for (int i = 0; i < cols.size(); ++i)
            ins.bindValue(i, asDeclared(rows.value(i), types[i]));
        if (!ins.exec())
            throw DbError(ins.lastError().text() + QStringLiteral("\n") + insert);
    }
    if (to.engine() == Engine::Postgres) {
        for (const ColumnDef &c : t.columns) {
            if (c.type != ColType::AutoKey)
                continue;
            const QString key = QString::fromLatin1(c.name);
            to.scalar(
                QStringLiteral(
                    "select setval(pg_get_serial_sequence(?, ?), coalesce((select max(%1) from %2), 0) + 1, "
                    "false)")
                    .arg(key, name),
                {name.toLower(), key.toLower()});
        }
    }
}

} // namespace

void snapshotDatabase(Database &db, const QString &path)
{
    QFile::remove(path);
    if (db.engine() == Engine::Sqlite) {
        backupSqlite(db, path);
        return;
    }
    auto copy = Database::openSqlite(path, true);
    try {
        createSchema(*copy);
        // One read transaction on the server: every table as of the same moment.
        db.execute(QStringLiteral("begin transaction isolation level repeatable read read only"));
        try {
            copyAllTables(db, *copy);
        } catch (...) {
            db.execute(QStringLiteral("rollback"));
            throw;
        }
        db.execute(QStringLiteral("commit"));
    } catch (...) {
        copy.reset();
        QFile::remove(path);
        throw;
    }
}

void copyAllTables(Database &from, Database &to)
{
    const QStringList present = from.tables();
    const QStringList targets = to.tables();
    Transaction tx(to);
    for (const TableDef &t : schemaTables()) {
        const QString name = QString::fromLatin1(t.name);
        if (present.contains(name, Qt::CaseInsensitive))
            copyTable(from, to, t);
        else if (targets.contains(name, Qt::CaseInsensitive))
            to.execute(QStringLiteral("delete from ") + name); // the copy had none
    }
    tx.commit();
}

bool integrityOk(Database &db)
{
    if (db.engine() != Engine::Sqlite)
        return true;
    try {
        return db.scalar(QStringLiteral("pragma integrity_check")).toString() == QLatin1String("ok");
    } catch (const DbError &) {
        return false;
    }
}

} // namespace morlenta::data
