#include "stock/stock_quantity.h"

#include "data/database.h"

namespace morlenta::stock {

int inStock(data::Database &db, qint64 idPart)
{
    return db.scalar(QStringLiteral("select coalesce(amnt, 0) from parts where id = ?"), {idPart}).toInt();
}

bool takeFromStock(data::Database &db, qint64 idPart, int count)
{
    if (count <= 0)
        return false;
    return db.decrementIfEnough(QStringLiteral("parts"), QStringLiteral("amnt"), QStringLiteral("id"), idPart,
                                count);
}

void addToStock(data::Database &db, qint64 idPart, int count)
{
    if (count <= 0)
        return;
    db.execute(QStringLiteral("update parts set amnt = coalesce(amnt, 0) + ? where id = ?"), {count, idPart});
}

} // namespace morlenta::stock
