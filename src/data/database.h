#pragma once

// One connection to the shop's database: a SQLite file (".sv") by default,
// or a PostgreSQL server named by a "postgresql://" connection string.
// Every value goes in as a bound parameter; every failure is a DbError.

#include "data/dialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

namespace morlenta::data {

struct TableDef;
struct ColumnDef;
struct IndexDef;
struct SearchIndexDef;

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &message, const QString &nativeCode = {}, bool unique = false);
    QString message() const { return message_; }
    QString nativeCode() const { return nativeCode_; }
    bool isUniqueViolation() const { return unique_; }

private:
    QString message_;
    QString nativeCode_;
    bool unique_;
};

// Column name and value pairs of one row.
using Row = QList<std::pair<QString, QVariant>>;

class Database {
public:
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    static bool isServerLocation(const QString &location);
    // A server connection string or an existing SQLite file.
    static std::unique_ptr<Database> open(const QString &location);
    // An existing file; with `create`, a new file that must not exist yet.
    static std::unique_ptr<Database> openSqlite(const QString &path, bool create = false);
    static std::unique_ptr<Database> openPostgres(const QString &url);

    Engine engine() const { return dialect_->engine(); }
    const Dialect &dialect() const { return *dialect_; }
    QString location() const { return location_; }
    QSqlDatabase &handle() { return db_; }

    // Runs one statement with its bound values; the query is positioned before the first row.
    QSqlQuery exec(const QString &sql, const QVariantList &params = {});
    // The first column of the first row, or a null value when there is no row.
    QVariant scalar(const QString &sql, const QVariantList &params = {});
    // Rows changed by an insert, update or delete.
    int execute(const QString &sql, const QVariantList &params = {});
    // Inserts one row; returns the new autoincrement key, or -1 when the table has none.
    qint64 insert(const QString &table, const Row &row);

    // "highest + 1" of a number column (1 for an empty table), taken inside
    // the current transaction so that two computers never get the same one.
    qint64 nextNumber(const QString &table, const QString &column);
    // column = column - amount where keyColumn = key and column >= amount;
    // false (and nothing changed) when there is not enough.
    bool decrementIfEnough(const QString &table, const QString &column, const QString &keyColumn,
                           const QVariant &key, int amount);
    QString likeCondition(const QString &column) const { return dialect_->likeCondition(column); }
    // `column` of `table` holds `text` anywhere, ignoring letter case; a "*"
    // typed inside the text stands for any run of characters.
    // Uses the table's search index when it has one over the column.
    SqlCondition containsCondition(const QString &table, const QString &column, const QString &text) const;

    // Engine operations on the schema.
    QStringList tables();
    bool hasTable(const QString &name);
    QStringList columns(const QString &table);
    bool hasColumn(const QString &table, const QString &column);
    void createTable(const TableDef &table);
    void addColumn(const QString &table, const ColumnDef &column);
    void dropTable(const QString &name);
    void ensurePrimaryKey(const QString &table, const QString &column);
    void createIndex(const IndexDef &index);
    // Creates or repairs a search index; false (and nothing changed) when
    // the engine cannot have it here: no trigram support or no rights for
    // it on a server, or a key that is not unique in an old file.
    bool createSearchIndex(const SearchIndexDef &index);
    bool hasSearchIndex(const SearchIndexDef &index);
    // Rebuilds the file to reclaim space; nothing to do on a server.
    void compact();

    int transactionDepth() const { return depth_; }

    // True when no other connection of the program uses this database now:
    // on a file, no one holds a lock on it; on a server, no other program
    // connection is open to the same schema. Used before a restore.
    bool aloneOnDatabase();

private:
    friend class Transaction;
    Database(QSqlDatabase db, Engine engine, QString location);
    static std::unique_ptr<Database> connect(const QString &connectionName, Engine engine,
                                             const QString &location);
    [[noreturn]] void fail(const QSqlError &error, const QString &sql) const;
    void begin();
    void commitLevel();
    void rollbackLevel();

    QSqlDatabase db_;
    QString connectionName_;
    std::unique_ptr<Dialect> dialect_;
    QString location_;
    int depth_ = 0;
    bool rollbackOnly_ = false;
    // Names of the search indexes known to exist, read once per connection.
    mutable std::optional<QStringList> searchIndexes_;
};

} // namespace morlenta::data
