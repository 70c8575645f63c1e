#pragma once

// The small lists of names: part types, part brands, and the device articles
// and brands offered at order intake. A name is kept once, letter case aside.

#include "stock/parts_catalogue.h"

#include <optional>

namespace morlenta::stock {

enum class NameListKind { PartTypes, PartBrands, DeviceArticles, DeviceBrands };

class NameList {
public:
    NameList(data::Database &db, Prompt &prompt, NameListKind kind);

    // Writes the trimmed name as a new row (no id) or over row `id`; returns the
    // row's id. Nothing happens for an empty name; a name already in the list is
    // refused with "Такъв вид вече е въведен!".
    std::optional<qint64> save(std::optional<qint64> id, const QString &name);
    // id and name of every row, in the order they were entered.
    QList<NamedItem> items();
    Statement listStatement() const;

    QString keyColumn() const { return QLatin1String(key_); }
    QString textColumn() const { return QLatin1String(text_); }
    // The declared length of the name, 0 when it has none.
    int maxLength() const { return maxLength_; }

    static QString duplicateMessage();
    data::Database *db() const { return &db_; }

private:
    data::Database &db_;
    Prompt &prompt_;
    const char *table_;
    const char *key_;
    const char *text_;
    int maxLength_ = 0;
};

} // namespace morlenta::stock
