#include "invoicing/firms.h"

#include "data/database.h"

#include <QSqlQuery>

namespace morlenta::invoicing {

namespace {

const QString kSelect =
    QStringLiteral("select ID, Name, Adres, phones, DN, BStat, MOL, Contact, Reduction from firms ");

Firm read(const QSqlQuery &q)
{
    return Firm{q.value(0).toInt(),    q.value(1).toString(), q.value(2).toString(),
                q.value(3).toString(), q.value(4).toString(), q.value(5).toString(),
                q.value(6).toString(), q.value(7).toString(), q.value(8).toDouble()};
}

std::optional<Firm> first(data::Database &db, const QString &where, const QVariant &value)
{
    QSqlQuery q = db.exec(kSelect + where, {value});
    if (!q.next())
        return std::nullopt;
    return read(q);
}

} // namespace

QList<Firm> allFirms(data::Database &db)
{
    QList<Firm> list;
    QSqlQuery q = db.exec(kSelect + QStringLiteral("order by Name, ID"));
    while (q.next())
        list.append(read(q));
    return list;
}

std::optional<Firm> firmByName(data::Database &db, const QString &name)
{
    return first(db, QStringLiteral("where Name = ? order by ID"), name);
}

std::optional<Firm> firmById(data::Database &db, int id)
{
    return first(db, QStringLiteral("where ID = ?"), id);
}

} // namespace morlenta::invoicing
