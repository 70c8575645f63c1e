#include "orders/order_work.h"

#include "common/money.h"
#include "data/database.h"
#include "data/transaction.h"

#include <QSqlQuery>

namespace morlenta::orders {

using data::Database;

QList<OrderTechnician> orderTechnicians(Database &db)
{
    QList<OrderTechnician> list;
    QSqlQuery q = db.exec(
        QStringLiteral("select id, Name, Percent from clerks where Active = ? and worker = 0 order by id"),
        {true});
    while (q.next())
        list.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toInt()});
    return list;
}

QList<WorkLine> workLines(Database &db, qint64 idPor)
{
    QList<WorkLine> list;
    QSqlQuery q = db.exec(
        QStringLiteral("select id, idOp, Trud, Pr1, Pr2 from Jobs_In_Por where idPor = ? order by id"),
        {idPor});
    while (q.next())
        list.append({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toString(),
                     q.value(3).toDouble(), q.value(4).toDouble()});
    return list;
}

QList<PartLine> partLines(Database &db, qint64 idPor)
{
    QList<PartLine> list;
    QSqlQuery q = db.exec(QStringLiteral("select pp.id, pp.idPart, p.Part, p.PartNo, pp.amnt, pp.priceLV "
                                         "from PartsInPor pp left join parts p on p.id = pp.idPart "
                                         "where pp.idPor = ? order by pp.id"),
                          {idPor});
    while (q.next())
        list.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(),
                     q.value(3).toString(), q.value(4).toInt(), q.value(5).toDouble()});
    return list;
}

std::optional<OperationPrices> operationPrices(Database &db, int idOp)
{
    QSqlQuery q = db.exec(
        QStringLiteral(
            "select clientPrice, warrantyPrice, workerPrice, fromGarant from Operations where id = ?"),
        {idOp});
    if (!q.next())
        return std::nullopt;
    return OperationPrices{q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toDouble(),
                           q.value(3).toDouble()};
}

QString workLineText(const QString &code, const QString &name)
{
    return code.isEmpty() ? name : QStringLiteral("код: ") + code + QStringLiteral(" - ") + name;
}

QString missingOperationsText()
{
    return QStringLiteral(
        "Има неоткрити операции в таблицата за работни операции!\nПрограмата ще изтрие всички "
        "въведени операции и трябва \nда въведете изцяло наново труда в тази поръчка!");
}

WorkLine addWorkLine(Database &db, qint64 idPor, const OperationChoice &op, Basis basis, const PayRule &rule,
                     int percent)
{
    WorkLine line;
    data::inTransaction(db, [&] {
        const bool first =
            db.scalar(QStringLiteral("select id from Jobs_In_Por where idPor = ? order by id"), {idPor})
                .isNull();
        line.idOp = op.id;
        line.trud = workLineText(op.code, op.name);
        line.pr1 = workPrice(basis, op.prices);
        line.pr2 = technicianShare(rule, basis, &op.prices, line.pr1, percent, first);
        line.id = db.insert(QStringLiteral("Jobs_In_Por"), {{QStringLiteral("idPor"), idPor},
                                                            {QStringLiteral("idOp"), op.id},
                                                            {QStringLiteral("Trud"), line.trud},
                                                            {QStringLiteral("Pr1"), line.pr1},
                                                            {QStringLiteral("Pr2"), line.pr2}});
    });
    return line;
}

void removeWorkLine(Database &db, qint64 idPor, qint64 lineId, Basis basis, const PayRule &rule)
{
    data::inTransaction(db, [&] {
        db.execute(QStringLiteral("delete from Jobs_In_Por where id = ? and idPor = ?"), {lineId, idPor});
        if (rule.mode != 3)
            return;
        const QVariant first =
            db.scalar(QStringLiteral("select id from Jobs_In_Por where idPor = ? order by id"), {idPor});
        if (!first.isNull())
            db.execute(QStringLiteral("update Jobs_In_Por set Pr2 = ? where id = ?"),
                       {fixedShare(rule, basis), first});
    });
}

LineSums lineSums(Database &db, qint64 idPor)
{
    LineSums s;
    s.trudClient =
        db.scalar(QStringLiteral("select sum(Pr1) from Jobs_In_Por where idPor = ?"), {idPor}).toDouble();
    s.trudClerk =
        db.scalar(QStringLiteral("select sum(Pr2) from Jobs_In_Por where idPor = ?"), {idPor}).toDouble();
    s.parts = db.scalar(QStringLiteral("select sum(amnt * priceLV) from PartsInPor where idPor = ?"), {idPor})
                  .toDouble();
    return s;
}

namespace {

struct PartRow {
    qint64 line;
    PartPrices prices;
};

QList<PartRow> partPrices(Database &db, qint64 idPor)
{
    QList<PartRow> rows;
    QSqlQuery q =
        db.exec(QStringLiteral("select pp.id, p.inPrice, p.ipVal, p.outPrice, p.opVal from PartsInPor pp "
                               "left join parts p on p.id = pp.idPart where pp.idPor = ? order by pp.id"),
                {idPor});
    while (q.next())
        rows.append(
            PartRow{q.value(0).toLongLong(),
                    {q.value(1).toDouble(), q.value(2).toInt(), q.value(3).toDouble(), q.value(4).toInt()}});
    return rows;
}

void removeAllWork(Database &db, qint64 idPor)
{
    db.execute(QStringLiteral("delete from Jobs_In_Por where idPor = ?"), {idPor});
}

} // namespace

bool repriceNeedsRates(Database &db, qint64 idPor, Basis basis)
{
    for (const PartRow &r : partPrices(db, idPor))
        if (partPriceNeedsRates(basis, r.prices))
            return true;
    return false;
}

LineSums repriceLines(Database &db, qint64 idPor, Basis basis, const PayRule &rule, int percent,
                      const CurrencyRates &rates)
{
    LineSums s;
    data::inTransaction(db, [&] {
        s = LineSums{};
        bool first = true;
        for (const WorkLine &w : workLines(db, idPor)) {
            const auto op = operationPrices(db, w.idOp);
            if (!op && basis != Basis::Own)
                s.missingOperation = true;
            const double pr1 = op ? workPrice(basis, *op) : 0;
            const double pr2 = technicianShare(rule, basis, op ? &*op : nullptr, pr1, percent, first);
            first = false;
            db.execute(QStringLiteral("update Jobs_In_Por set Pr1 = ?, Pr2 = ? where id = ?"),
                       {pr1, pr2, w.id});
            s.trudClient += pr1;
            s.trudClerk += pr2;
        }
        if (s.missingOperation) {
            removeAllWork(db, idPor);
            s.trudClient = s.trudClerk = 0;
        }
        for (const PartRow &r : partPrices(db, idPor)) {
            const double price = partPrice(basis, r.prices, rates);
            db.execute(QStringLiteral("update PartsInPor set priceLV = ? where id = ?"), {price, r.line});
        }
        s.parts =
            db.scalar(QStringLiteral("select sum(amnt * priceLV) from PartsInPor where idPor = ?"), {idPor})
                .toDouble();
    });
    return s;
}

LineSums reshareLines(Database &db, qint64 idPor, Basis basis, int percent)
{
    LineSums s;
    data::inTransaction(db, [&] {
        s = LineSums{};
        for (const WorkLine &w : workLines(db, idPor)) {
            const auto op = operationPrices(db, w.idOp);
            if (!op) {
                s.missingOperation = true;
                continue;
            }
            const double base = basis == Basis::Paid    ? op->clientPrice
                                : basis == Basis::Giver ? op->fromGarant
                                                        : 0;
            const double pr2 = roundCents(base * percent / 100.0);
            db.execute(QStringLiteral("update Jobs_In_Por set Pr2 = ? where id = ?"), {pr2, w.id});
            s.trudClerk += pr2;
        }
        if (s.missingOperation)
            removeAllWork(db, idPor);
        const LineSums now = lineSums(db, idPor);
        s.parts = now.parts;
        s.trudClient = now.trudClient;
        s.trudClerk = now.trudClerk;
    });
    return s;
}

void writeOrderMoney(Database &db, qint64 idPor, const OrderAmounts &a, Basis basis, const QString &warName)
{
    db.execute(
        QStringLiteral("update porychka set taksa = ?, sumParts = ?, sumTrud = ?, sumAll = ?, TypeWarr = ?, "
                       "WarName = ? where idPor = ?"),
        {a.taksa, a.parts, a.trudClient, a.suma, int(basis),
         basis == Basis::Paid || basis == Basis::Own ? QString() : warName, idPor});
}

} // namespace morlenta::orders
