#include "orders/order_parts.h"

#include "common/money.h"
#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "data/dialect.h"
#include "data/transaction.h"
#include "finance/rates.h"
#include "orders/order_money.h"
#include "stock/serial_stock.h"
#include "stock/stock_quantity.h"

#include <QSqlQuery>

#include <stdexcept>

namespace morlenta::orders {

namespace {

// Thrown inside the posting when the stock refuses it: the transaction rolls back.
struct NotInStock {};

struct PartRow {
    PartPrices prices;
    QString replacementText; // type + ";  " + designation, as replaceSN.part holds it
};

std::optional<PartRow> loadPart(data::Database &db, qint64 idPart)
{
    QSqlQuery q =
        db.exec(QStringLiteral("select p.inPrice, p.ipVal, p.outPrice, p.opVal, p.Part, t.Type "
                               "from parts p left join typeparts t on t.id = p.TypeID where p.id = ?"),
                {idPart});
    if (!q.next())
        return std::nullopt;
    PartRow r;
    r.prices.inPrice = q.value(QStringLiteral("inPrice")).toDouble();
    r.prices.ipVal = q.value(QStringLiteral("ipVal")).toInt();
    r.prices.outPrice = q.value(QStringLiteral("outPrice")).toDouble();
    r.prices.opVal = q.value(QStringLiteral("opVal")).toInt();
    r.replacementText = q.value(QStringLiteral("Type")).toString() + QStringLiteral(";  ") +
                        q.value(QStringLiteral("Part")).toString();
    return r;
}

struct LineRow {
    qint64 id = 0;
    int amnt = 0;
    double priceLV = 0;
};

std::optional<LineRow> existingLine(data::Database &db, qint64 idPor, qint64 idPart)
{
    QSqlQuery q = db.exec(
        QStringLiteral("select id, amnt, priceLV from PartsInPor where idPor = ? and idPart = ? order by id"),
        {idPor, idPart});
    if (!q.next())
        return std::nullopt;
    return LineRow{q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toDouble()};
}

// The rates of the day whenever a price in a foreign currency is to be
// converted, in leva-only mode as well: such a price cannot be guessed.
std::optional<CurrencyRates> ratesForPrice(Session &session, const QDate &day)
{
    auto stored = finance::storedRates(*session.db, day);
    if (!stored) {
        if (!session.enterRates || !session.enterRates(day))
            return std::nullopt;
        stored = finance::storedRates(*session.db, day);
        if (!stored)
            return std::nullopt;
    }
    return CurrencyRates{stored->usd, stored->eur};
}

void addMove(data::Database &db, int clerkId, qint64 idPart, int amnt, const QString &serial, qint64 idPor,
             const QDateTime &when)
{
    db.insert(QStringLiteral("Part_Moves"),
              {{QStringLiteral("idPart"), idPart},
               {QStringLiteral("idClerk"), clerkId},
               {QStringLiteral("amnt"), amnt},
               // The log's column holds 25 characters; the whole number stays in replaceSN.
               {QStringLiteral("serial"),
                serial.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(serial.left(25))},
               {QStringLiteral("data"), QDateTime(when.date(), QTime(0, 0))},
               {QStringLiteral("chas"), QDateTime(when.date(), QTime(when.time().hour(), when.time().minute(),
                                                                     when.time().second()))},
               {QStringLiteral("idPor"), idPor}});
}

// Adds `delta` to the order's parts and total; returns both as stored now.
std::pair<double, double> addToOrderSums(data::Database &db, qint64 idPor, double delta)
{
    db.execute(QStringLiteral("update porychka set sumParts = coalesce(sumParts, 0) + ?, "
                              "sumAll = coalesce(sumAll, 0) + ? where idPor = ?"),
               {delta, delta, idPor});
    QSqlQuery q = db.exec(QStringLiteral("select sumParts, sumAll from porychka where idPor = ?"), {idPor});
    if (!q.next())
        return {0, 0};
    return {roundCents(q.value(0).toDouble()), roundCents(q.value(1).toDouble())};
}

} // namespace

QString partNotInStockText()
{
    return QStringLiteral("Артикулът не е намерен в наличността!");
}

QString amountAboveStockText()
{
    return QStringLiteral("Не може да въведете по-голямо количество от наличното!");
}

IssueResult issuePart(Session &session, qint64 idPor, const QString &orderSerial, const PartPick &pick,
                      const QDateTime &when)
{
    data::Database &db = *session.db;
    IssueResult result;
    if (pick.amount <= 0)
        throw std::invalid_argument("issuePart: the amount must be above 0");
    if (!pick.serial.isEmpty() && pick.amount != 1)
        throw std::invalid_argument("issuePart: a serial-numbered piece goes one at a time");

    const std::optional<PartRow> part = loadPart(db, pick.idPart);
    auto refuse = [&] {
        result.refusal = partNotInStockText();
        session.prompt->warning(result.refusal);
        return result;
    };
    if (!part)
        return refuse();

    // The price and the rates come first: nothing may wait for the clerk inside the transaction.
    if (const auto line = existingLine(db, idPor, pick.idPart)) {
        result.price = line->priceLV;
    } else {
        CurrencyRates rates;
        if (partPriceNeedsRates(Basis::Paid, part->prices)) {
            const auto dayRates = ratesForPrice(session, when.date());
            if (!dayRates)
                return result; // the clerk gave up: nothing written
            rates = *dayRates;
        }
        result.price = partPrice(Basis::Paid, part->prices, rates);
    }
    result.delta = roundCents(pick.amount * result.price);

    try {
        data::Transaction tx(db);
        // The technician's row as it is now: another computer may have used it.
        QString holdingSerial;
        if (pick.source == FromTechnician) {
            QSqlQuery q =
                db.exec(QStringLiteral("select idPart, amnt, notes from PartsInClerks where id = ?"),
                        {pick.clerkStockRow});
            if (!q.next() || q.value(0).toLongLong() != pick.idPart || q.value(1).toInt() < pick.amount)
                throw NotInStock{};
            holdingSerial = q.value(2).toString().trimmed();
        }
        const QString serial = pick.source == FromTechnician ? holdingSerial : pick.serial;

        addMove(db, session.clerkId, pick.idPart, -pick.amount, serial, idPor, when);

        if (!serial.isEmpty()) {
            db.insert(QStringLiteral("replaceSN"), {{QStringLiteral("idPor"), idPor},
                                                    {QStringLiteral("oldSN"), orderSerial},
                                                    {QStringLiteral("newSN"), serial},
                                                    {QStringLiteral("part"), part->replacementText}});
            result.serialReplaced = true;
        }

        // Read again inside the write: another computer may have added the line meanwhile.
        if (const auto line = existingLine(db, idPor, pick.idPart)) {
            db.execute(QStringLiteral("update PartsInPor set amnt = coalesce(amnt, 0) + ? where id = ?"),
                       {pick.amount, line->id});
        } else {
            db.insert(QStringLiteral("PartsInPor"), {{QStringLiteral("idPor"), idPor},
                                                     {QStringLiteral("idPart"), pick.idPart},
                                                     {QStringLiteral("priceLV"), result.price},
                                                     {QStringLiteral("amnt"), pick.amount},
                                                     {QStringLiteral("closed"), false}});
        }

        const auto [sumParts, sumAll] = addToOrderSums(db, idPor, result.delta);
        result.sumParts = sumParts;
        result.sumAll = sumAll;

        if (pick.source == FromTechnician) {
            if (!db.decrementIfEnough(QStringLiteral("PartsInClerks"), QStringLiteral("amnt"),
                                      QStringLiteral("id"), pick.clerkStockRow, pick.amount))
                throw NotInStock{};
            db.execute(QStringLiteral("delete from PartsInClerks where id = ? and amnt <= 0"),
                       {pick.clerkStockRow});
        } else if (!pick.serial.isEmpty()) {
            if (!stock::SerialStock(db).takePiece(pick.idPart, pick.serial))
                throw NotInStock{};
        } else if (stock::SerialStock(db).hasSerials(pick.idPart) ||
                   !stock::takeFromStock(db, pick.idPart, pick.amount)) {
            // A serial-numbered article leaves by its serial only.
            throw NotInStock{};
        }
        tx.commit();
    } catch (const NotInStock &) {
        result = IssueResult{};
        return refuse();
    }
    result.ok = true;
    return result;
}

TakeBackResult takeBackPart(Session &session, qint64 idPor, qint64 lineId, const QString &orderSerial,
                            const QDateTime &when)
{
    data::Database &db = *session.db;
    TakeBackResult result;
    data::Transaction tx(db);
    QSqlQuery q =
        db.exec(QStringLiteral("select idPart, amnt, priceLV from PartsInPor where id = ? and idPor = ?"),
                {lineId, idPor});
    if (!q.next()) {
        tx.commit(); // nothing written: another computer took it back already
        return result;
    }
    const qint64 idPart = q.value(0).toLongLong();
    const int amnt = q.value(1).toInt();
    const double priceLV = q.value(2).toDouble();

    // Only the replacements of this very part go back: the order may hold
    // serial-numbered pieces of other parts too. The issue movements name the
    // serials this part brought to this order, whatever the order's serial
    // became since; lines without movements (older files) are matched by the
    // order's serial and the part's text.
    if (const auto part = loadPart(db, idPart); part && amnt > 0) {
        const bool moved =
            !db.scalar(QStringLiteral("select id from Part_Moves where idPor = ? and idPart = ? "
                                      "and amnt < 0"),
                       {idPor, idPart})
                 .isNull();
        QSqlQuery r =
            moved
                ? db.exec(
                      QStringLiteral("select r.id, r.newSN from replaceSN r where r.idPor = ? and exists "
                                     "(select 1 from Part_Moves m where m.idPor = r.idPor and m.idPart = ? "
                                     "and m.amnt < 0 and m.serial = substr(r.newSN, 1, 25)) order by r.id"),
                      {idPor, idPart})
                : db.exec(QStringLiteral("select id, newSN from replaceSN where idPor = ? and oldSN = ? and "
                                         "part = ? order by id"),
                          {idPor, orderSerial, part->replacementText});
        QList<std::pair<qint64, QString>> replacements;
        while (r.next() && replacements.size() < amnt)
            replacements.append({r.value(0).toLongLong(), r.value(1).toString()});
        stock::SerialStock serials(db);
        for (const auto &[id, sn] : replacements) {
            serials.add(idPart, sn); // a number in stock already stays once
            db.execute(QStringLiteral("delete from replaceSN where id = ?"), {id});
        }
    }
    stock::addToStock(db, idPart, amnt);
    addMove(db, session.clerkId, idPart, amnt, QString(), idPor, when);
    db.execute(QStringLiteral("delete from PartsInPor where id = ?"), {lineId});
    result.delta = roundCents(amnt * priceLV);
    const auto [sumParts, sumAll] = addToOrderSums(db, idPor, -result.delta);
    result.sumParts = sumParts;
    result.sumAll = sumAll;
    tx.commit();
    result.done = true;
    return result;
}

stock::Statement shopStockStatement(const data::Database &db, const QString &partText,
                                    const QString &numberText)
{
    stock::Statement s;
    s.sql =
        QStringLiteral("select p.*, t.Type, m.Marka from parts p left join typeparts t on t.id = p.TypeID "
                       "left join partMarka m on m.id = p.idMarka where p.amnt > 0");
    if (const QString t = partText.trimmed(); !t.isEmpty()) {
        s.sql += QStringLiteral(" and ") + db.likeCondition(QStringLiteral("p.Part"));
        s.params << data::likePattern(t);
    }
    if (const QString t = numberText.trimmed(); !t.isEmpty()) {
        s.sql += QStringLiteral(" and ") + db.likeCondition(QStringLiteral("p.PartNo"));
        s.params << data::likePattern(t);
    }
    s.sql += QStringLiteral(" order by p.id");
    return s;
}

stock::Statement technicianStockStatement(qint64 idClerk)
{
    return {QStringLiteral("select c.id, c.idPart, k.Name as technician, t.Type, p.Part, p.PartNo, p.Opis, "
                           "c.notes, c.amnt, m.Marka, p.barcode from PartsInClerks c "
                           "join parts p on p.id = c.idPart left join typeparts t on t.id = p.TypeID "
                           "left join partMarka m on m.id = p.idMarka left join clerks k on k.id = c.idClerk "
                           "where c.idClerk = ? order by c.id"),
            {idClerk}};
}

std::optional<qint64> technicianByName(data::Database &db, const QString &name)
{
    const QVariant id = db.scalar(QStringLiteral("select id from clerks where Name = ? order by id"), {name});
    if (id.isNull())
        return std::nullopt;
    return id.toLongLong();
}

bool holdsParts(data::Database &db, qint64 idClerk)
{
    return !db.scalar(QStringLiteral("select id from PartsInClerks where idClerk = ?"), {idClerk}).isNull();
}

QString latestReplacementSerial(data::Database &db, qint64 idPor)
{
    return db.scalar(QStringLiteral("select newSN from replaceSN where idPor = ? order by id desc"), {idPor})
        .toString();
}

bool stillInStock(data::Database &db, const PartPick &pick)
{
    if (stock::inStock(db, pick.idPart) < pick.amount)
        return false;
    if (pick.serial.isEmpty())
        return true;
    const auto piece = stock::SerialStock(db).find(pick.serial);
    return piece && piece->idPart == pick.idPart;
}

} // namespace morlenta::orders
