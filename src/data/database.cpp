#include "data/database.h"

#include "data/schema.h"
#include "data/transaction.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <QUrlQuery>

#include <sqlite3.h>

#include <algorithm>

namespace morlenta::data {

namespace {

QAtomicInt connectionCounter;

QString newConnectionName()
{
    return QStringLiteral("morlenta-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
}

// The old-style variants of в, д, о, с, т, ъ (Cyrillic Extended-C) stay as
// they are: PostgreSQL and the trigram index do not fold them either, and a
// search must find the same rows with and without the index.
bool keptUnfolded(QChar ch)
{
    return ch.unicode() >= 0x1C80 && ch.unicode() <= 0x1C8F;
}

QString fold(const QString &text)
{
    if (std::none_of(text.begin(), text.end(), keptUnfolded))
        return text.toCaseFolded();
    QString out;
    qsizetype run = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !keptUnfolded(text[i]))
            continue;
        out += text.mid(run, i - run).toCaseFolded();
        if (i < text.size())
            out += text[i];
        run = i + 1;
    }
    return out;
}

// ufold(text): Unicode case folding, so that like ignores the case of
// Cyrillic letters as it does of Latin ones.
void sqliteFold(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto *text = static_cast<const char16_t *>(sqlite3_value_text16(argv[0]));
    const int bytes = sqlite3_value_bytes16(argv[0]);
    const QString folded = fold(QString::fromUtf16(text, bytes / 2));
    sqlite3_result_text16(ctx, folded.utf16(), static_cast<int>(folded.size() * 2), SQLITE_TRANSIENT);
}

sqlite3 *sqliteHandle(QSqlDatabase &db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(v.constData());
}

// A value for a libpq connection string, quoted.
QString conninfoValue(const QString &v)
{
    QString out = v;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

} // namespace

DbError::DbError(const QString &message, const QString &nativeCode, bool unique)
    : std::runtime_error(message.toStdString()), message_(message), nativeCode_(nativeCode), unique_(unique)
{
}

Database::Database(QSqlDatabase db, Engine engine, QString location)
    : db_(std::move(db)), connectionName_(db_.connectionName()), dialect_(Dialect::create(engine)),
      location_(std::move(location))
{
}

Database::~Database()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

bool Database::isServerLocation(const QString &location)
{
    return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           location.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

std::unique_ptr<Database> Database::open(const QString &location)
{
    return isServerLocation(location) ? openPostgres(location) : openSqlite(location);
}

std::unique_ptr<Database> Database::connect(const QString &connectionName, Engine engine,
                                            const QString &location)
{
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.open())
            return std::unique_ptr<Database>(new Database(db, engine, location));
        error = db.lastError().text();
    }
    // No handle may be left when the connection is removed.
    QSqlDatabase::removeDatabase(connectionName);
    throw DbError(QStringLiteral("Няма връзка с базата данни %1: %2").arg(location, error));
}

std::unique_ptr<Database> Database::openSqlite(const QString &path, bool create)
{
    const QFileInfo info(path);
    if (create) {
        if (info.exists())
            throw DbError(QStringLiteral("Файлът %1 вече съществува.").arg(path));
        if (!QDir().mkpath(info.absolutePath()))
            throw DbError(QStringLiteral("Папката %1 не може да бъде създадена.").arg(info.absolutePath()));
    } else {
        if (!info.exists() || !info.isFile())
            throw DbError(QStringLiteral("Файлът на базата данни %1 не съществува.").arg(path));
        if (!info.isWritable())
            throw DbError(QStringLiteral("Файлът на базата данни %1 е само за четене.").arg(path));
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw DbError(QStringLiteral("Липсва драйверът за SQLite."));

    const QString name = newConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(info.absoluteFilePath());
        // A second computer's writer waits for the lock instead of failing.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
    }
    auto result = connect(name, Engine::Sqlite, path);

    sqlite3 *handle = sqliteHandle(result->db_);
    if (!handle || sqlite3_create_function_v2(handle, "ufold", 1, SQLITE_UTF16 | SQLITE_DETERMINISTIC,
                                              nullptr, &sqliteFold, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DbError(QStringLiteral("Функцията за търсене не може да бъде регистрирана."));

    // SQLite opens any file lazily; read it now so that a foreign file is refused here.
    try {
        result->scalar(QStringLiteral("select count(*) from sqlite_master"));
    } catch (const DbError &) {
        throw DbError(QStringLiteral("Файлът %1 не е база данни.").arg(path));
    }
    return result;
}

std::unique_ptr<Database> Database::openPostgres(const QString &url)
{
    const QUrl u(url);
    if (!u.isValid() || u.host().isEmpty())
        throw DbError(QStringLiteral("Неправилен адрес на сървъра: %1").arg(url));
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw DbError(QStringLiteral("Липсва драйверът за PostgreSQL."));

    const QString name = newConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(u.host());
        db.setPort(u.port(5432));
        db.setDatabaseName(u.path().mid(1));
        db.setUserName(u.userName());
        db.setPassword(u.password());
        QStringList options{QStringLiteral("connect_timeout=5")};
        const auto items = QUrlQuery(u).queryItems(QUrl::FullyDecoded);
        for (const auto &[key, value] : items)
            options << key + QLatin1Char('=') + conninfoValue(value);
        db.setConnectOptions(options.join(QLatin1Char(';')));
    }
    // The location kept and shown never carries the password.
    const QString shown = u.password().isEmpty() ? url : u.adjusted(QUrl::RemovePassword).toString();
    auto result = connect(name, Engine::Postgres, shown);
    // Every program connection holds this shared lock, so that a restore can
    // tell whether another computer is working on the same data.
    result->scalar(QStringLiteral("select pg_advisory_lock_shared(hashtext(current_database() || '.' || "
                                  "current_schema()))"));
    return result;
}

void Database::fail(const QSqlError &error, const QString &sql) const
{
    const bool unique = dialect_->isUniqueViolation(error);
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text();
    throw DbError(text + QStringLiteral("\n") + sql, error.nativeErrorCode(), unique);
}

QSqlQuery Database::exec(const QString &sql, const QVariantList &params)
{
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (params.isEmpty()) {
        // Unprepared: PostgreSQL cannot prepare schema statements.
        if (!q.exec(sql))
            fail(q.lastError(), sql);
        return q;
    }
    if (!q.prepare(sql))
        fail(q.lastError(), sql);
    for (const QVariant &p : params)
        q.addBindValue(p);
    if (!q.exec())
        fail(q.lastError(), sql);
    return q;
}

QVariant Database::scalar(const QString &sql, const QVariantList &params)
{
    QSqlQuery q = exec(sql, params);
    QVariant v;
    if (q.next())
        v = q.value(0);
    q.finish();
    return v;
}

int Database::execute(const QString &sql, const QVariantList &params)
{
    QSqlQuery q = exec(sql, params);
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}

qint64 Database::insert(const QString &table, const Row &row)
{
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (const auto &[name, value] : row) {
        names << name;
        marks << QStringLiteral("?");
        values << value;
    }
    QString key;
    if (const TableDef *def = findTable(table)) {
        for (const ColumnDef &c : def->columns)
            if (c.type == ColType::AutoKey)
                key = QString::fromLatin1(c.name);
    }
    QString sql = QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    const QString returning = key.isEmpty() ? QString() : dialect_->returningClause(key);
    sql += returning;
    QSqlQuery q = exec(sql, values);
    qint64 id = -1;
    if (!key.isEmpty())
        id = returning.isEmpty() ? q.lastInsertId().toLongLong() : (q.next() ? q.value(0).toLongLong() : -1);
    q.finish();
    return id;
}

qint64 Database::nextNumber(const QString &table, const QString &column)
{
    if (depth_ == 0)
        throw DbError(QStringLiteral("Номер се взема само в транзакция."));
    const QString lock = dialect_->numberLockStatement();
    if (!lock.isEmpty())
        scalar(lock, {QString(table + QLatin1Char('.') + column).toLower()});
    const QVariant max = scalar(QStringLiteral("select max(%1) from %2").arg(column, table));
    return max.isNull() ? 1 : max.toLongLong() + 1;
}

bool Database::decrementIfEnough(const QString &table, const QString &column, const QString &keyColumn,
                                 const QVariant &key, int amount)
{
    const QString sql =
        QStringLiteral("update %1 set %2 = %2 - ? where %3 = ? and %2 >= ?").arg(table, column, keyColumn);
    return execute(sql, {amount, key, amount}) == 1;
}

QStringList Database::tables()
{
    QStringList names;
    QSqlQuery q = exec(dialect_->listTablesStatement());
    while (q.next())
        names << q.value(0).toString();
    return names;
}

bool Database::hasTable(const QString &name)
{
    return tables().contains(name, Qt::CaseInsensitive);
}

QStringList Database::columns(const QString &table)
{
    QStringList names;
    QSqlQuery q = engine() == Engine::Sqlite
                      ? exec(QStringLiteral("select name from pragma_table_info(?)"), {table})
                      : exec(QStringLiteral("select column_name from information_schema.columns "
                                            "where table_schema = current_schema() and table_name = ?"),
                             {table.toLower()});
    while (q.next())
        names << q.value(0).toString();
    return names;
}

bool Database::hasColumn(const QString &table, const QString &column)
{
    return columns(table).contains(column, Qt::CaseInsensitive);
}

void Database::createTable(const TableDef &table)
{
    QStringList cols;
    for (const ColumnDef &c : table.columns)
        cols << QString::fromLatin1(c.name) + QLatin1Char(' ') + dialect_->columnType(c);
    execute(QStringLiteral("create table %1 (%2)")
                .arg(QString::fromLatin1(table.name), cols.join(QStringLiteral(", "))));
}

void Database::addColumn(const QString &table, const ColumnDef &column)
{
    execute(QStringLiteral("alter table %1 add column %2 %3")
                .arg(table, QString::fromLatin1(column.name), dialect_->columnType(column)));
}

void Database::dropTable(const QString &name)
{
    execute(QStringLiteral("drop table %1").arg(name));
}

void Database::ensurePrimaryKey(const QString &table, const QString &column)
{
    if (engine() == Engine::Sqlite) {
        // SQLite cannot add a primary key to a table; a unique index serves the same purpose.
        QSqlQuery q = exec(QStringLiteral("select name, pk from pragma_table_info(?)"), {table});
        while (q.next())
            if (q.value(0).toString().compare(column, Qt::CaseInsensitive) == 0 && q.value(1).toInt() > 0)
                return;
        q.finish();
        execute(QStringLiteral("create unique index if not exists pk_%1 on %1 (%2)").arg(table, column));
        return;
    }
    const QVariant has = scalar(QStringLiteral("select 1 from pg_index i where i.indrelid = to_regclass(?) "
                                               "and i.indisprimary"),
                                {table.toLower()});
    if (has.isNull())
        execute(QStringLiteral("alter table %1 add primary key (%2)").arg(table, column));
}

void Database::createIndex(const IndexDef &index)
{
    QString sql =
        QStringLiteral("create %1index if not exists %2 on %3 (%4)")
            .arg(index.unique ? QStringLiteral("unique ") : QString(), QString::fromLatin1(index.name),
                 QString::fromLatin1(index.table), QString::fromLatin1(index.columns));
    if (index.where)
        sql += QStringLiteral(" where ") + QString::fromLatin1(index.where);
    execute(sql);
}

void Database::compact()
{
    if (engine() == Engine::Sqlite)
        execute(QStringLiteral("vacuum"));
}

bool Database::aloneOnDatabase()
{
    if (engine() == Engine::Sqlite) {
        execute(QStringLiteral("pragma busy_timeout = 200"));
        bool alone = true;
        try {
            execute(QStringLiteral("begin exclusive"));
            execute(QStringLiteral("rollback"));
        } catch (const DbError &) {
            alone = false;
        }
        execute(QStringLiteral("pragma busy_timeout = 15000"));
        return alone;
    }
    const QString key = QStringLiteral("hashtext(current_database() || '.' || current_schema())");
    scalar(QStringLiteral("select pg_advisory_unlock_shared(%1)").arg(key));
    const bool alone = scalar(QStringLiteral("select pg_try_advisory_lock(%1)").arg(key)).toBool();
    if (alone)
        scalar(QStringLiteral("select pg_advisory_unlock(%1)").arg(key));
    scalar(QStringLiteral("select pg_advisory_lock_shared(%1)").arg(key));
    return alone;
}

void Database::begin()
{
    if (depth_ == 0) {
        rollbackOnly_ = false;
        execute(dialect_->beginStatement());
    }
    ++depth_;
}

void Database::commitLevel()
{
    if (depth_ == 0)
        throw DbError(QStringLiteral("Няма започната транзакция."));
    if (--depth_ > 0)
        return;
    if (rollbackOnly_) {
        rollbackOnly_ = false;
        execute(QStringLiteral("rollback"));
        throw DbError(QStringLiteral("Действието е отменено: част от него не успя."));
    }
    try {
        execute(QStringLiteral("commit"));
    } catch (...) {
        // The engine may keep the failed transaction open; make sure it ends.
        QSqlQuery(db_).exec(QStringLiteral("rollback"));
        throw;
    }
}

void Database::rollbackLevel()
{
    if (depth_ == 0)
        return;
    if (--depth_ > 0) {
        rollbackOnly_ = true;
        return;
    }
    rollbackOnly_ = false;
    execute(QStringLiteral("rollback"));
}

bool Database::hasSearchIndex(const SearchIndexDef &index)
{
    return scalar(dialect_->searchIndexPresentStatement(index)).toBool();
}

bool Database::createSearchIndex(const SearchIndexDef &index)
{
    searchIndexes_.reset();
    if (hasSearchIndex(index))
        return true;
    if (dialect_->searchIndexNeedsUniqueKey() &&
        !scalar(
             QStringLiteral("select 1 from %1 where %2 is not null group by %2 having count(*) > 1 limit 1")
                 .arg(QString::fromLatin1(index.table), QString::fromLatin1(index.key)))
             .isNull())
        return false;
    // A savepoint, so that a refusal leaves an enclosing transaction usable.
    // Two connections creating the extension at once may collide; the
    // second attempt then finds it.
    const QString fill = dialect_->searchIndexFillStatement(index);
    Transaction tx(*this);
    bool done = false;
    for (int attempt = 0; attempt < 2 && !done; ++attempt) {
        execute(QStringLiteral("savepoint search_index"));
        try {
            for (const QString &sql : dialect_->searchIndexStatements(index))
                execute(sql);
            if (!fill.isEmpty())
                execute(fill);
            done = true;
        } catch (const DbError &) {
            execute(QStringLiteral("rollback to savepoint search_index"));
        }
        execute(QStringLiteral("release savepoint search_index"));
    }
    tx.commit();
    return done;
}

SqlCondition Database::containsCondition(const QString &table, const QString &column,
                                         const QString &text) const
{
    const SearchIndexDef *index = findSearchIndex(table, column);
    if (index) {
        if (!searchIndexes_) {
            QStringList present;
            QSqlQuery q(db_);
            for (const SearchIndexDef &s : schemaSearchIndexes())
                if (q.exec(dialect_->searchIndexPresentStatement(s)) && q.next() && q.value(0).toBool())
                    present << QString::fromLatin1(s.name);
            searchIndexes_ = present;
        }
        if (!searchIndexes_->contains(QString::fromLatin1(index->name)))
            index = nullptr;
    }
    return dialect_->containsCondition(index, column, text);
}

} // namespace morlenta::data
