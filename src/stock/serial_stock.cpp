#include "stock/serial_stock.h"

#include "data/database.h"
#include "data/transaction.h"
#include "stock/stock_quantity.h"

#include <QSqlQuery>

namespace morlenta::stock {

bool SerialStock::hasSerials(qint64 idPart)
{
    return !db_.scalar(QStringLiteral("select id from PartSN where idPart = ?"), {idPart}).isNull();
}

QStringList SerialStock::serialsOf(qint64 idPart)
{
    QStringList out;
    QSqlQuery q = db_.exec(QStringLiteral("select SN from PartSN where idPart = ? order by id"), {idPart});
    while (q.next())
        out << q.value(0).toString();
    return out;
}

std::optional<SerialPiece> SerialStock::find(const QString &sn)
{
    QSqlQuery q = db_.exec(QStringLiteral("select id, idPart, SN from PartSN where SN = ? order by id"),
                           {sn.trimmed()});
    if (!q.next())
        return std::nullopt;
    return SerialPiece{q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString()};
}

bool SerialStock::add(qint64 idPart, const QString &sn)
{
    const QString number = sn.trimmed();
    if (number.isEmpty())
        return false;
    try {
        data::Transaction tx(db_);
        if (find(number)) {
            tx.commit(); // nothing written: a larger action may go on
            return false;
        }
        db_.insert(QStringLiteral("PartSN"),
                   {{QStringLiteral("idPart"), idPart}, {QStringLiteral("SN"), number}});
        tx.commit();
        return true;
    } catch (const data::DbError &e) {
        // Another computer stored the same number in the meantime.
        if (e.isUniqueViolation() && db_.transactionDepth() == 0)
            return false;
        throw;
    }
}

bool SerialStock::remove(qint64 idPart, const QString &sn)
{
    // One row only, should an old file hold the number twice.
    const QVariant id = db_.scalar(QStringLiteral("select min(id) from PartSN where idPart = ? and SN = ?"),
                                   {idPart, sn.trimmed()});
    if (id.isNull())
        return false;
    return db_.execute(QStringLiteral("delete from PartSN where id = ?"), {id}) == 1;
}

bool SerialStock::takePiece(qint64 idPart, const QString &sn)
{
    data::Transaction tx(db_);
    if (!remove(idPart, sn)) {
        tx.commit(); // nothing written
        return false;
    }
    // Without a piece to take, the removed serial comes back with the rollback.
    if (!takeFromStock(db_, idPart, 1))
        return false;
    tx.commit();
    return true;
}

bool SerialStock::returnPiece(qint64 idPart, const QString &sn)
{
    data::Transaction tx(db_);
    if (!add(idPart, sn)) {
        tx.commit(); // nothing written
        return false;
    }
    addToStock(db_, idPart, 1);
    tx.commit();
    return true;
}

} // namespace morlenta::stock
