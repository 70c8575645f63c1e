#include "data/dialect.h"

#include "data/schema.h"

#include <QSqlError>

namespace morlenta::data {

namespace {

QString commonType(const ColumnDef &c)
{
    switch (c.type) {
    case ColType::Integer: return QStringLiteral("integer");
    case ColType::SmallInt: return QStringLiteral("smallint");
    case ColType::Float:
    case ColType::Single: return QStringLiteral("double precision");
    case ColType::Boolean: return QStringLiteral("boolean");
    case ColType::Date: return QStringLiteral("date");
    case ColType::Time: return QStringLiteral("time");
    case ColType::Text:
        return c.length > 0 ? QStringLiteral("varchar(%1)").arg(c.length) : QStringLiteral("text");
    case ColType::Memo: return QStringLiteral("text");
    case ColType::AutoKey:
    case ColType::DateTime: break;
    }
    return {};
}

QString escapeLike(const QString &text, bool starIsWildcard)
{
    QString out;
    out.reserve(text.size() + 8);
    for (QChar ch : text) {
        if (ch == QLatin1Char('%') || ch == QLatin1Char('_') || ch == QChar(kLikeEscape)) {
            out += QChar(kLikeEscape);
            out += ch;
        } else if (starIsWildcard && ch == QLatin1Char('*')) {
            out += QLatin1Char('%');
        } else {
            out += ch;
        }
    }
    return out;
}

class SqliteDialect final : public Dialect {
public:
    Engine engine() const override { return Engine::Sqlite; }
    QString columnType(const ColumnDef &c) const override
    {
        if (c.type == ColType::AutoKey)
            return QStringLiteral("integer primary key autoincrement");
        if (c.type == ColType::DateTime)
            return QStringLiteral("datetime");
        return commonType(c);
    }
    QString beginStatement() const override { return QStringLiteral("begin immediate"); }
    QString likeCondition(const QString &column) const override
    {
        // ufold() is registered on every connection: SQLite's own like folds ASCII only.
        return QStringLiteral("ufold(%1) like ufold(?) escape '\\'").arg(column);
    }
    QString numberLockStatement() const override { return {}; }
    QString returningClause(const QString &) const override { return {}; }
    QString listTablesStatement() const override
    {
        return QStringLiteral(
            "select name from sqlite_master where type = 'table' and name not like 'sqlite\\_%' escape '\\'");
    }
    bool isUniqueViolation(const QSqlError &e) const override
    {
        return e.nativeErrorCode() == QLatin1String("2067") ||
               e.databaseText().contains(QLatin1String("UNIQUE constraint failed"));
    }
};

class PostgresDialect final : public Dialect {
public:
    Engine engine() const override { return Engine::Postgres; }
    QString columnType(const ColumnDef &c) const override
    {
        if (c.type == ColType::AutoKey)
            return QStringLiteral("serial primary key");
        if (c.type == ColType::DateTime)
            return QStringLiteral("timestamp");
        return commonType(c);
    }
    QString beginStatement() const override { return QStringLiteral("begin"); }
    QString likeCondition(const QString &column) const override
    {
        return QStringLiteral("%1 ilike ? escape '\\'").arg(column);
    }
    QString numberLockStatement() const override
    {
        return QStringLiteral("select pg_advisory_xact_lock(hashtext(?))");
    }
    QString returningClause(const QString &keyColumn) const override
    {
        return QStringLiteral(" returning ") + keyColumn;
    }
    QString listTablesStatement() const override
    {
        return QStringLiteral("select table_name from information_schema.tables "
                              "where table_schema = current_schema() and table_type = 'BASE TABLE'");
    }
    bool isUniqueViolation(const QSqlError &e) const override
    {
        return e.nativeErrorCode() == QLatin1String("23505");
    }
};

} // namespace

std::unique_ptr<Dialect> Dialect::create(Engine engine)
{
    if (engine == Engine::Postgres)
        return std::make_unique<PostgresDialect>();
    return std::make_unique<SqliteDialect>();
}

QString likePattern(const QString &userPattern)
{
    return escapeLike(userPattern, true);
}

QString containsPattern(const QString &text)
{
    return QLatin1Char('%') + escapeLike(text, false) + QLatin1Char('%');
}

QString exactPattern(const QString &text)
{
    return escapeLike(text, false);
}

QString prefixPattern(const QString &text)
{
    return escapeLike(text, false) + QLatin1Char('%');
}

} // namespace morlenta::data
