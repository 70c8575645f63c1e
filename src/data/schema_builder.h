#pragma once

// Creating the schema in an empty database and checking another database
// against it.

#include <QStringList>

namespace morlenta::data {

class Database;

// Every table and index, in one transaction.
void createSchema(Database &db);

// "table" or "table.column" for every declared table and column the
// database lacks; empty when it has them all. The search indexes are not
// asked for: a file without them is ours all the same and gets them at start.
QStringList missingSchemaParts(Database &db);

} // namespace morlenta::data
