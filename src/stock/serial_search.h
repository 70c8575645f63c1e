#pragma once

// The list of serial numbers in stock and its search.

#include "stock/parts_catalogue.h"

namespace morlenta::stock {

// Every serial in stock with its article's type and designation; a text of
// three or more characters finds the serial numbers that contain it (a "*"
// typed anywhere is a wildcard); a shorter text lists them all. Only SN is searched.
Statement serialListStatement(const data::Database &db, const QString &text);

} // namespace morlenta::stock
