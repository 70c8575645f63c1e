#pragma once

// The database schema, declared once. Creation of a new file, the upgrade of
// an older one and the check that another file has the same tables and
// columns all read these declarations.

#include <QString>
#include <QStringList>

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

// A trigram index behind the "contains" searches on some text columns of a
// table. It refers to rows by `key`, an integer column that is unique and
// survives compaction. Only a pre-filter: the plain condition still decides,
// so a file without the index finds exactly the same rows, only slower.
struct SearchIndexDef {
    const char *name;
    const char *table;
    const char *key;
    const char *columns; // comma separated
    QStringList columnList() const;
};

std::span<const TableDef> schemaTables();
std::span<const IndexDef> schemaIndexes();
std::span<const SearchIndexDef> schemaSearchIndexes();
const TableDef *findTable(const QString &name); // case-insensitive
// The search index that covers `column` of `table` (case-insensitive), or nullptr.
const SearchIndexDef *findSearchIndex(const QString &table, const QString &column);

} // namespace morlenta::data
