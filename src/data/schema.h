#pragma once

// The database schema, declared once. Creation of a new file, the upgrade of
// an older one and the check that another file has the same tables and
// columns all read these declarations.

#include <QString>

#include <span>

namespace morlenta::data {

enum class ColType {
    AutoKey,  // 32-bit counter assigned by the engine, the table's key
    Integer,  // 32-bit signed
    SmallInt, // 16-bit signed
    Float,    // double precision
    Single,   // declared single precision; stored as double precision on both engines
    Boolean,
    Date, // a date-time column holding a date
    Time, // a date-time column holding a time of day
    DateTime,
    Text, // length 0: no declared length
    Memo,
};

struct ColumnDef {
    const char *name;
    ColType type;
    int length = 0;            // declared length of a Text column, 0 when none
    bool addedAtStart = false; // added to an older file when missing
};

struct TableDef {
    const char *name;
    std::span<const ColumnDef> columns;
    bool createdAtStart = false;                        // created in an older file when missing
    const ColumnDef *find(const QString &column) const; // case-insensitive
};

// Indexes; unique ones keep numbers and names unique under concurrency.
struct IndexDef {
    const char *name;
    const char *table;
    const char *columns; // comma separated
    bool unique = false;
    const char *where = nullptr; // partial index condition, e.g. "barcode <> ''"
};

std::span<const TableDef> schemaTables();
std::span<const IndexDef> schemaIndexes();
const TableDef *findTable(const QString &name); // case-insensitive

} // namespace morlenta::data
