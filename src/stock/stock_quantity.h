#pragma once

// The quantity in stock of an article (parts.amnt). A missing quantity counts
// as 0. Every posting that takes pieces out uses takeFromStock, a conditional
// update, so that two computers never take the same last piece.

#include <QtGlobal>

namespace morlenta::data {
class Database;
}

namespace morlenta::stock {

int inStock(data::Database &db, qint64 idPart);
// Takes `count` pieces (count > 0); false, and nothing changed, when fewer are in stock.
bool takeFromStock(data::Database &db, qint64 idPart, int count);
// Puts `count` pieces (count > 0) back or adds a delivery.
void addToStock(data::Database &db, qint64 idPart, int count);

} // namespace morlenta::stock
