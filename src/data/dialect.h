#pragma once

// The few places where SQLite and PostgreSQL differ. Everything else is the
// same SQL on both engines.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class QSqlError;

namespace morlenta::data {

struct ColumnDef;
struct SearchIndexDef;

enum class Engine { Sqlite, Postgres };

// A piece of a where clause with the values of its placeholders.
struct SqlCondition {
    QString sql;
    QVariantList params;
};

class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;
    virtual QString columnType(const ColumnDef &column) const = 0;
    // Starts a write transaction; SQLite takes the write lock at once so that
    // two writers queue on the busy timeout instead of failing mid-way.
    virtual QString beginStatement() const = 0;
    // Case-insensitive (Unicode) "like" of `column` against one bound pattern
    // made by likePattern() or containsPattern().
    virtual QString likeCondition(const QString &column) const = 0;
    // Statement with one bound text parameter that serialises the takers of
    // "highest + 1" numbers until the transaction ends; empty when the
    // transaction's own lock already does.
    virtual QString numberLockStatement() const = 0;
    // Appended to an insert to read the new key; empty when the driver's
    // last insert id is used instead.
    virtual QString returningClause(const QString &keyColumn) const = 0;
    virtual QString listTablesStatement() const = 0;
    virtual bool isUniqueViolation(const QSqlError &error) const = 0;

    // Search indexes (schema.h). The statements create every part that is
    // missing, each safe to run again; the fill statement (empty when the
    // creation already indexes the rows) brings a new or repaired index up
    // to date with the table.
    virtual QStringList searchIndexStatements(const SearchIndexDef &index) const = 0;
    virtual QString searchIndexFillStatement(const SearchIndexDef &index) const = 0;
    // One row with a true value when every part of the index exists.
    virtual QString searchIndexPresentStatement(const SearchIndexDef &index) const = 0;
    // True when the index refers to rows by its key, which must then be unique.
    virtual bool searchIndexNeedsUniqueKey() const = 0;
    // `column` holds `text` anywhere, ignoring letter case, "*" inside the
    // text standing for any run of characters. `index` is the search index
    // over the column when the database has it; it may only narrow the rows
    // the plain condition is checked on, never change which rows match.
    virtual SqlCondition containsCondition(const SearchIndexDef *index, const QString &column,
                                           const QString &text) const;

    static std::unique_ptr<Dialect> create(Engine engine);
};

// The escape character of every like pattern.
inline constexpr char16_t kLikeEscape = u'\\';

// A user's search pattern, where "*" stands for any run of characters, as a
// like pattern; the engine's own special characters match themselves.
QString likePattern(const QString &userPattern);
// A pattern that finds `text` anywhere in a value (text taken literally,
// "*" included).
QString containsPattern(const QString &text);
// A pattern that matches `text` alone, letter case aside (names that must not repeat).
QString exactPattern(const QString &text);
// A pattern that finds the values beginning with `text` (taken literally).
QString prefixPattern(const QString &text);

} // namespace morlenta::data
