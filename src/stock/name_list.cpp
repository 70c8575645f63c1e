#include "stock/name_list.h"

#include "common/prompt.h"
#include "data/database.h"
#include "data/transaction.h"

namespace morlenta::stock {

NameList::NameList(data::Database &db, Prompt &prompt, NameListKind kind) : db_(db), prompt_(prompt)
{
    switch (kind) {
    case NameListKind::PartTypes: table_ = "typeparts", key_ = "id", text_ = "Type"; break;
    case NameListKind::PartBrands: table_ = "partMarka", key_ = "id", text_ = "Marka", maxLength_ = 20; break;
    case NameListKind::DeviceArticles: table_ = "art", key_ = "idArt", text_ = "Art"; break;
    case NameListKind::DeviceBrands: table_ = "marka", key_ = "idMarka", text_ = "Marka"; break;
    }
}

QString NameList::duplicateMessage()
{
    return QStringLiteral("Такъв вид вече е въведен!");
}

std::optional<qint64> NameList::save(std::optional<qint64> id, const QString &name)
{
    QString text = name.trimmed();
    if (maxLength_ > 0)
        text = text.left(maxLength_).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QString table = QLatin1String(table_);
    const QString key = QLatin1String(key_);
    const QString column = QLatin1String(text_);
    bool duplicate = false;
    qint64 savedId = id.value_or(0);
    try {
        data::Transaction tx(db_);
        duplicate = !db_.scalar(QStringLiteral("select %1 from %2 where %3 and %1 <> ?")
                                    .arg(key, table, db_.likeCondition(column)),
                                {data::exactPattern(text), savedId})
                         .isNull();
        if (!duplicate) {
            if (id)
                db_.execute(QStringLiteral("update %1 set %2 = ? where %3 = ?").arg(table, column, key),
                            {text, *id});
            else
                savedId = db_.insert(table, {{column, text}});
            tx.commit();
        }
    } catch (const data::DbError &e) {
        if (!e.isUniqueViolation()) {
            prompt_.error(e.message());
            return std::nullopt;
        }
        duplicate = true;
    }
    if (duplicate) {
        prompt_.error(duplicateMessage());
        return std::nullopt;
    }
    return savedId;
}

QList<NamedItem> NameList::items()
{
    QList<NamedItem> out;
    QSqlQuery q = db_.exec(listStatement().sql);
    while (q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toString()});
    return out;
}

Statement NameList::listStatement() const
{
    return {QStringLiteral("select %1, %2 from %3 order by %1")
                .arg(QLatin1String(key_), QLatin1String(text_), QLatin1String(table_)),
            {}};
}

} // namespace morlenta::stock
