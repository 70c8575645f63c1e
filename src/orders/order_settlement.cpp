#include "orders/order_settlement.h"

#include "common/labels.h"
#include "common/money.h"
#include "data/database.h"
#include "data/transaction.h"
#include "finance/cash_ledger.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace morlenta::orders {

using data::Database;

std::optional<OrderRecord> loadOrderRecord(Database &db, qint64 idPor)
{
    QSqlQuery q = db.exec(QStringLiteral("select * from porychka where idPor = ?"), {idPor});
    if (!q.next())
        return std::nullopt;
    const QSqlRecord r = q.record();
    auto s = [&](const char *c) { return r.value(QLatin1String(c)).toString(); };
    auto d = [&](const char *c) { return r.value(QLatin1String(c)).toDouble(); };
    auto i = [&](const char *c) { return r.value(QLatin1String(c)).toInt(); };
    OrderRecord o;
    o.idPor = idPor;
    o.clientNames = s("clientNames");
    o.warName = s("WarName");
    o.serial = s("Serial");
    o.softVersion = s("SoftVersion");
    o.codeGet = s("codeGet");
    o.typeWarr = i("TypeWarr");
    o.idClerk = i("idClerk");
    o.porState = i("porState");
    o.ready = r.value(QStringLiteral("ready")).toBool();
    o.payed = r.value(QStringLiteral("payed")).toBool();
    o.taksa = d("taksa");
    o.sumTrud = d("sumTrud");
    o.sumParts = d("sumParts");
    o.sumAll = d("sumAll");
    o.transport = d("Transport");
    o.pech = d("Pech");
    return o;
}

QString noSuchOrderText(qint64 idPor)
{
    return QStringLiteral("Няма поръчка с номер %1!").arg(idPor);
}

std::optional<QString> orderEntryRefusal(Database &db, const OrderRecord &o, OrderMode mode)
{
    const QString number = QString::number(o.idPor);
    if (mode != OrderMode::Pay && o.ready)
        return QStringLiteral("Поръчка  №") + number + QStringLiteral(" вече е отчетена!");
    if (mode == OrderMode::Pay && !o.ready)
        return QStringLiteral("Поръчка  №") + number + QStringLiteral(" не е готова!");
    if (mode == OrderMode::Pay && o.payed)
        return QStringLiteral("Поръчка  №") + number + QStringLiteral(" вече е платена!");
    if (mode == OrderMode::Complete &&
        !db.scalar(QStringLiteral("select id from externals where back = ? and idPor = ?"), {false, o.idPor})
             .isNull())
        return QStringLiteral("Поръчка  №") + number +
               QStringLiteral(" e изпратена към външен сервиз и не е върната");
    return std::nullopt;
}

bool techniciansExist(Database &db)
{
    return !db.scalar(QStringLiteral("select id from clerks where Active = ? and worker = 0"), {true})
                .isNull();
}

QString noTechniciansText()
{
    return QStringLiteral(
        "Няма въведени сервизни техници!\nЗа да отчетете поръчка, трябва да сте ги въвели!");
}

FirmDiscounts firmDiscounts(Database &db, const QString &clientName)
{
    FirmDiscounts f;
    QSqlQuery q =
        db.exec(QStringLiteral("select ID, Reduction, ReductJobs from firms where Name = ? order by ID"),
                {clientName});
    if (!q.next())
        return f;
    f.firmId = q.value(0).toInt();
    f.parts = std::max(0.0, q.value(1).toDouble());
    f.jobs = std::max(0.0, q.value(2).toDouble());
    return f;
}

std::optional<ExternalPrice> externalRepair(Database &db, qint64 idPor)
{
    QSqlQuery q = db.exec(
        QStringLiteral("select Price, idVal from externals where success = ? and idPor = ? order by id"),
        {true, idPor});
    if (!q.next())
        return std::nullopt;
    return ExternalPrice{q.value(0).toDouble(), q.value(1).isNull() ? 1 : q.value(1).toInt()};
}

int completedState(int stateIndex)
{
    static const int kStates[] = {StateRepaired, StateRepairedReplaced, StateRefused, StateIrreparable};
    return stateIndex >= 0 && stateIndex < 4 ? kStates[stateIndex] : 0;
}

int stateIndexOf(int porState)
{
    for (int i = 0; i < 4; ++i)
        if (completedState(i) == porState)
            return i;
    return 0;
}

namespace {

// The id of an income or expense kind, created on first use.
qint64 kindId(Database &db, const QString &table, const QString &type)
{
    const QVariant id =
        db.scalar(QStringLiteral("select id from %1 where type = ? order by id").arg(table), {type});
    if (!id.isNull())
        return id.toLongLong();
    return db.insert(table, {{QStringLiteral("type"), type}});
}

void addIncome(Database &db, const QString &type, const QDate &day, double amount, const QString &notes)
{
    db.insert(QStringLiteral("prihodi"),
              {{QStringLiteral("typeid"), kindId(db, QStringLiteral("typepr"), type)},
               {QStringLiteral("data"), day},
               {QStringLiteral("suma"), amount},
               {QStringLiteral("notes"), notes}});
}

void addExpense(Database &db, const QString &type, const QDate &day, double amount, const QString &notes)
{
    db.insert(QStringLiteral("expenses"),
              {{QStringLiteral("typeid"), kindId(db, QStringLiteral("typeexpenses"), type)},
               {QStringLiteral("data"), day},
               {QStringLiteral("suma"), amount},
               {QStringLiteral("notes"), notes}});
}

QString clientNote(const QString &client, qint64 idPor)
{
    return client + QStringLiteral(" - поръчка ") + QString::number(idPor);
}

} // namespace

void addProfit(Database &db, const QDate &day, int idNote, int idVal, double amount)
{
    if (db.execute(
            QStringLiteral("update pech set Pech = Pech + ? where Data = ? and idNote = ? and idVal = ?"),
            {amount, day, idNote, idVal}) == 0)
        db.insert(QStringLiteral("pech"), {{QStringLiteral("Data"), day},
                                           {QStringLiteral("Pech"), amount},
                                           {QStringLiteral("idVal"), idVal},
                                           {QStringLiteral("idNote"), idNote}});
}

void completeOrder(Database &db, const CompletionInput &in)
{
    const OrderAmounts &a = in.amounts;
    const QString number = QString::number(in.idPor);
    data::inTransaction(db, [&] {
        QString sql = QStringLiteral("update porychka set ready = ?, readyDate = ?, idClerk = ?, taksa = ?, "
                                     "sumTrud = ?, sumParts = ?, sumAll = ?, Transport = ?, SoftVersion = ?");
        QVariantList params{true,    in.today, in.clerkId, a.taksa, a.trudClient,
                            a.parts, a.suma,   a.trans,    in.artNo};
        if (const int state = completedState(in.stateIndex)) {
            sql += QStringLiteral(", porState = ?");
            params << state;
        }
        db.execute(sql + QStringLiteral(" where idPor = ?"), params << in.idPor);
        if (a.trudClerk > 0)
            db.insert(QStringLiteral("paymClerks"),
                      {{QStringLiteral("idClerk"), in.clerkId},
                       {QStringLiteral("data"), in.today},
                       {QStringLiteral("mesec"), in.today.month()},
                       {QStringLiteral("godina"), in.today.year()},
                       {QStringLiteral("suma"), roundCents(a.trudClerk)},
                       {QStringLiteral("noPor"), in.idPor},
                       {QStringLiteral("payed"), false},
                       {QStringLiteral("notes"), QStringLiteral("От поръчка")}});
        const QString warName =
            db.scalar(QStringLiteral("select WarName from porychka where idPor = ?"), {in.idPor}).toString();
        if (!warName.isEmpty() && (a.parts > 0 || a.trudClerk > 0)) {
            const QVariant supplier =
                db.scalar(QStringLiteral("select id from delivers where Name = ? order by id"), {warName});
            // A warrantor that is no longer a supplier has no account to charge.
            if (!supplier.isNull()) {
                db.insert(QStringLiteral("payments"),
                          {{QStringLiteral("Data"), in.today},
                           {QStringLiteral("Chas"), in.now},
                           {QStringLiteral("Suma"), -roundCents(a.parts + a.trudClient + a.trans)},
                           {QStringLiteral("idVal"), 1},
                           {QStringLiteral("Notes"), QStringLiteral("От поръчка №") + number},
                           {QStringLiteral("idDost"), supplier}});
                db.insert(QStringLiteral("otchet_warranties"), {{QStringLiteral("idPor"), in.idPor},
                                                                {QStringLiteral("idDost"), supplier},
                                                                {QStringLiteral("sumParts"), a.parts},
                                                                {QStringLiteral("sumTrud"), a.trudClient},
                                                                {QStringLiteral("Transport"), a.trans},
                                                                {QStringLiteral("ready"), false}});
            }
        }
        const QVariant visit =
            db.scalar(QStringLiteral("select id from homevisit where field1 = ? order by id"), {number});
        if (!visit.isNull())
            db.execute(
                QStringLiteral("update homevisit set visited = ?, idClerk = ?, field2 = ? where id = ?"),
                {true, in.clerkId, dateText(in.today), visit});
        if (a.trans > 0)
            addIncome(db, QStringLiteral("Транспорт в поръчки"), in.today, a.trans,
                      clientNote(in.clientName, in.idPor));
    });
}

PaymentResult payOrder(Database &db, const PaymentInput &in)
{
    const OrderAmounts &a = in.amounts;
    const QString number = QString::number(in.idPor);
    PaymentResult result;
    data::inTransaction(db, [&] {
        db.execute(
            QStringLiteral("update porychka set payed = ?, payDate = ?, idClerk = ?, taksa = ?, sumTrud = ?, "
                           "sumParts = ?, sumAll = ? where idPor = ?"),
            {true, in.today, in.clerkId, a.taksa, a.trudClient, a.parts, a.suma, in.idPor});
        const QVariant protocol =
            db.scalar(QStringLiteral("select id from protokol_ka where closed = ? and idPor = ? order by id"),
                      {false, in.idPor});
        if (!protocol.isNull())
            db.execute(QStringLiteral("update protokol_ka set closed = ? where id = ?"), {true, protocol});

        const double earned =
            db.scalar(QStringLiteral("select sum(suma) from paymClerks where noPor = ?"), {in.idPor})
                .toDouble();
        const double labour = a.trudClient - earned;
        if (a.trudClient > 0)
            addProfit(db, in.today, ProfitOrderLabour, 1, labour);
        if (a.taksa > 0)
            addProfit(db, in.today, ProfitOrderFee, 1, a.taksa);
        double pl = 0, pu = 0, pe = 0;
        QSqlQuery lines =
            db.exec(QStringLiteral("select pp.priceLV, pp.amnt, p.inPrice, p.ipVal from PartsInPor pp "
                                   "left join parts p on p.id = pp.idPart where pp.idPor = ? "
                                   "order by pp.id"),
                    {in.idPor});
        while (lines.next()) {
            const double priceLV = lines.value(0).toDouble();
            const int amnt = lines.value(1).toInt();
            const double inPrice = lines.value(2).toDouble();
            // With leva only, every price is in leva.
            const int ipVal = in.multiCurrency ? std::max(1, lines.value(3).toInt()) : 1;
            const double lineProfit = (priceLV - inPrice * in.rates.of(ipVal)) * amnt;
            if (ipVal == 1)
                pl += lineProfit;
            else if (ipVal == 2)
                pu += lineProfit / in.rates.usd;
            else
                pe += lineProfit / in.rates.eur;
        }
        pl = roundCents(pl);
        pu = roundCents(pu);
        pe = roundCents(pe);
        double profit = labour + a.taksa + pl;
        if (in.multiCurrency)
            profit += pu * in.rates.usd + pe * in.rates.eur;
        result.profit = roundCents(profit);
        if (pl != 0)
            addProfit(db, in.today, ProfitOrderParts, 1, pl);
        if (pu != 0)
            addProfit(db, in.today, ProfitOrderParts, 2, pu);
        if (pe != 0)
            addProfit(db, in.today, ProfitOrderParts, 3, pe);
        if (in.warranty)
            return;

        if (a.suma > 0) {
            if (in.onAccount && in.firmId > 0)
                db.insert(QStringLiteral("payClient"),
                          {{QStringLiteral("Data"), in.today},
                           {QStringLiteral("Chas"), in.now},
                           {QStringLiteral("Suma"), roundCents(a.suma)},
                           {QStringLiteral("idVal"), 1},
                           {QStringLiteral("Notes"), QStringLiteral("От поръчка №") + number},
                           {QStringLiteral("idName"), in.firmId}});
            else
                finance::postCash(
                    db, in.userId,
                    {a.suma, 1, QStringLiteral("Плащане поръчка №") + number, finance::CashRounding::Cents},
                    QDateTime(in.today, in.now));
            if (in.firmId > 0)
                db.insert(QStringLiteral("payNoFact"),
                          {{QStringLiteral("idClient"), in.firmId},
                           {QStringLiteral("data"), in.today},
                           {QStringLiteral("opis"), QStringLiteral("Ремонт - сервизна поръчка № ") + number},
                           {QStringLiteral("suma"), a.suma}});
        }
        if (a.otst > 0)
            addExpense(db, QStringLiteral("Отстъпки в поръчки"), in.today, a.otst,
                       clientNote(in.clientName, in.idPor));
        else if (a.otst < 0)
            addIncome(db, QStringLiteral("Корекции в поръчки"), in.today, -a.otst,
                      clientNote(in.clientName, in.idPor));
        db.execute(QStringLiteral("update porychka set Pech = ? where idPor = ?"),
                   {roundCents(result.profit - a.otst), in.idPor});
    });
    return result;
}

} // namespace morlenta::orders
