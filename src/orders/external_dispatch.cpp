#include "orders/external_dispatch.h"

#include "common/labels.h"
#include "data/database.h"
#include "data/transaction.h"

#include <QSqlQuery>
#include <QVariant>

namespace morlenta::orders {

DispatchTarget dispatchTarget(data::Database &db, int typeWarr, const QString &warName)
{
    if (typeWarr != WarrGiver)
        return {};
    QSqlQuery q =
        db.exec(QStringLiteral("select Name, Info from delivers where Name = ? order by id"), {warName});
    if (q.next())
        return {q.value(0).toString(), q.value(1).toString(), false, false};
    return {QString(), QString(), true, false};
}

QStringList otherServices(data::Database &db)
{
    QStringList names;
    QSqlQuery q = db.exec(QStringLiteral("select Name from OtherServices order by id"));
    while (q.next())
        names << q.value(0).toString();
    return names;
}

QString otherServiceAddress(data::Database &db, const QString &name)
{
    return db.scalar(QStringLiteral("select Address from OtherServices where Name = ? order by id"), {name})
        .toString();
}

std::optional<QString> dispatchRefusal(data::Database &db, qint64 idPor)
{
    QSqlQuery q = db.exec(
        QStringLiteral("select Contragent, back, success from externals where idPor = ? order by id desc"),
        {idPor});
    if (!q.next())
        return std::nullopt;
    const QString service = q.value(0).toString();
    if (!q.value(1).toBool())
        return QStringLiteral("Тази поръчка е изпратена в ") + service + QStringLiteral(" и не е върната!");
    if (q.value(2).toBool())
        return service + QStringLiteral(" е върнал уреда в изправност!");
    return std::nullopt;
}

void releaseIdleTechnician(data::Database &db, qint64 idPor)
{
    db.execute(QStringLiteral("update porychka set idClerk = 0 where idPor = ? and idClerk > 0 "
                              "and not exists (select 1 from Jobs_In_Por j where j.idPor = porychka.idPor) "
                              "and not exists (select 1 from PartsInPor p where p.idPor = porychka.idPor)"),
               {idPor});
}

std::optional<QString> recordDispatch(data::Database &db, qint64 idPor, const DispatchTarget &target,
                                      const QDate &today)
{
    const QString name = target.name.trimmed();
    if (name.isEmpty())
        return QStringLiteral("Въведете името на сервиза!");
    const QString address = target.address.trimmed();
    data::inTransaction(db, [&] {
        if (target.editable &&
            db.scalar(QStringLiteral("select id from OtherServices where Name = ?"), {name}).isNull())
            db.insert(QStringLiteral("OtherServices"),
                      {{QStringLiteral("Name"), name}, {QStringLiteral("Address"), address}});
        db.insert(QStringLiteral("externals"), {
                                                   {QStringLiteral("idPor"), idPor},
                                                   {QStringLiteral("DateSend"), today},
                                                   {QStringLiteral("back"), false},
                                                   {QStringLiteral("payed"), false},
                                                   {QStringLiteral("Contragent"), name},
                                                   {QStringLiteral("Adres"), address},
                                               });
        const QString sent = QStringLiteral("Изпратена към ") + name;
        const QString trud =
            db.scalar(QStringLiteral("select Trud from porychka where idPor = ?"), {idPor}).toString();
        db.execute(QStringLiteral("update porychka set Trud = ?, porState = ? where idPor = ?"),
                   {trud.isEmpty() ? sent : trud + QStringLiteral("\r\n") + sent, int(StateExternal), idPor});
    });
    return std::nullopt;
}

} // namespace morlenta::orders
