#include "data/dialect.h"

#include "data/schema.h"

#include <QSqlError>

#include <algorithm>

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

// Letters whose case the trigram index folds exactly as ufold() does: Latin
// without accents and the Cyrillic of Bulgarian and its neighbours. Other
// characters are not letters and are not folded at all.
bool foldsAlike(QChar ch)
{
    if (ch.isSurrogate())
        return false;
    if (!ch.isLetter())
        return true;
    const char16_t u = ch.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= 0x400 && u <= 0x45F);
}

// A fragment the trigram index can look up: three characters at least, all
// folded alike, so that every row the plain condition finds holds its trigrams.
bool usableFragment(const QString &fragment)
{
    return fragment.size() >= 3 && std::all_of(fragment.begin(), fragment.end(), foldsAlike);
}

QString ftsPhrase(QString text)
{
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString declaredColumn(const SearchIndexDef &index, const QString &column)
{
    for (const QString &c : index.columnList())
        if (c.compare(column, Qt::CaseInsensitive) == 0)
            return c;
    return {};
}

QString joinNames(const QStringList &names, const QString &prefix)
{
    QStringList out;
    for (const QString &n : names)
        out << prefix + n;
    return out.join(QStringLiteral(", "));
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

    // An FTS5 index with external content: the rows stay in the table, the
    // index holds their trigrams by key and triggers keep it current. The key
    // is the order number rather than the implicit rowid, which vacuum may
    // renumber.
    QStringList searchIndexStatements(const SearchIndexDef &index) const override
    {
        const QString name = QString::fromLatin1(index.name);
        const QString table = QString::fromLatin1(index.table);
        const QString key = QString::fromLatin1(index.key);
        const QStringList cols = index.columnList();
        const QString list = cols.join(QStringLiteral(", "));
        const QString oldRow = QStringLiteral("insert into %1 (%1, rowid, %2) select 'delete', old.%3, %4 "
                                              "where old.%3 is not null;")
                                   .arg(name, list, key, joinNames(cols, QStringLiteral("old.")));
        const QString newRow =
            QStringLiteral("insert into %1 (rowid, %2) select new.%3, %4 where new.%3 is not null;")
                .arg(name, list, key, joinNames(cols, QStringLiteral("new.")));
        return {
            QStringLiteral("create virtual table if not exists %1 using fts5(%2, content='%3', "
                           "content_rowid='%4', tokenize='trigram case_sensitive 0')")
                .arg(name, list, table, key),
            QStringLiteral("create trigger if not exists %1_ai after insert on %2 begin %3 end")
                .arg(name, table, newRow),
            QStringLiteral("create trigger if not exists %1_ad after delete on %2 begin %3 end")
                .arg(name, table, oldRow),
            QStringLiteral("create trigger if not exists %1_au after update of %2, %3 on %4 begin %5 %6 end")
                .arg(name, key, list, table, oldRow, newRow),
        };
    }
    QString searchIndexFillStatement(const SearchIndexDef &index) const override
    {
        return QStringLiteral("insert into %1 (%1) values ('rebuild')").arg(QString::fromLatin1(index.name));
    }
    QString searchIndexPresentStatement(const SearchIndexDef &index) const override
    {
        const QString name = QString::fromLatin1(index.name);
        return QStringLiteral("select count(*) = 4 from sqlite_master where name in ('%1', '%1_ai', "
                              "'%1_ad', '%1_au')")
            .arg(name);
    }
    bool searchIndexNeedsUniqueKey() const override { return true; }
    SqlCondition containsCondition(const SearchIndexDef *index, const QString &column,
                                   const QString &text) const override
    {
        SqlCondition plain = Dialect::containsCondition(index, column, text);
        const QString indexed = index ? declaredColumn(*index, column) : QString();
        if (indexed.isEmpty())
            return plain;
        QStringList phrases;
        for (const QString &fragment : text.split(QLatin1Char('*'), Qt::SkipEmptyParts))
            if (usableFragment(fragment))
                phrases << ftsPhrase(fragment);
        if (phrases.isEmpty())
            return plain;
        // The index names the candidates; the plain condition decides. A row
        // without a number is never in the index and is checked directly.
        const QString key = QString::fromLatin1(index->key);
        SqlCondition c;
        c.sql = QStringLiteral("(%1 in (select rowid from %2 where %3 match ?) or %1 is null) and ")
                    .arg(key, QString::fromLatin1(index->name), indexed) +
                plain.sql;
        c.params = QVariantList{phrases.join(QLatin1Char(' '))} + plain.params;
        return c;
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

    // pg_trgm's GIN indexes serve ilike by themselves. The extension lives in
    // public (shared by every schema of the database), never in the schema
    // the connection happens to work in.
    QStringList searchIndexStatements(const SearchIndexDef &index) const override
    {
        QStringList out{QStringLiteral("create extension if not exists pg_trgm with schema public")};
        for (const QString &c : index.columnList())
            out << QStringLiteral("create index if not exists %1_%2 on %3 using gin (%2 public.gin_trgm_ops)")
                       .arg(QString::fromLatin1(index.name), c, QString::fromLatin1(index.table));
        return out;
    }
    QString searchIndexFillStatement(const SearchIndexDef &) const override { return {}; }
    QString searchIndexPresentStatement(const SearchIndexDef &index) const override
    {
        QStringList names;
        for (const QString &c : index.columnList())
            names << QStringLiteral("'%1_%2'").arg(QString::fromLatin1(index.name), c).toLower();
        return QStringLiteral("select count(*) = %1 from pg_indexes where schemaname = current_schema() "
                              "and indexname in (%2)")
            .arg(names.size())
            .arg(names.join(QStringLiteral(", ")));
    }
    bool searchIndexNeedsUniqueKey() const override { return false; }
};

} // namespace

SqlCondition Dialect::containsCondition(const SearchIndexDef *, const QString &column,
                                        const QString &text) const
{
    return {likeCondition(column), {likePattern(QLatin1Char('*') + text + QLatin1Char('*'))}};
}

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
