#pragma once

// Consistent copies of a whole database: the archive's SQLite file of
// either engine, and loading such a file back into a server.

#include <QString>

namespace morlenta::data {

class Database;

// Writes a consistent SQLite copy of `db` to the new file `path`: the
// SQLite backup API for a file (safe while others write), every table
// copied inside one read transaction for a server.
void snapshotDatabase(Database &db, const QString &path);

// Replaces the rows of every declared table of `to` with those of `from`
// (the columns both have), in one transaction; key counters follow.
void copyAllTables(Database &from, Database &to);

// "pragma integrity_check" on SQLite; a server answers for itself.
bool integrityOk(Database &db);

} // namespace morlenta::data
