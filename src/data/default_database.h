#pragma once

// A new database: the full schema, the currency list and the administrator.

#include <QString>

#include <memory>

namespace morlenta::data {

class Database;

// The administrator's login name and first password (the README tells it).
QString administratorLogin();
QString administratorFirstPassword();

// Fills an empty database, all in one transaction.
void initializeNewDatabase(Database &db, const QString &adminPassword = administratorFirstPassword());

// Creates a new SQLite file (its folder too) and fills it. On any failure
// the half-made file is removed and DbError is thrown.
std::unique_ptr<Database> createDefaultDatabase(const QString &path,
                                                const QString &adminPassword = administratorFirstPassword());

} // namespace morlenta::data
