#pragma once

// What a grid shows, as plain data: the printout and the spreadsheet export
// are made from it, so they can be checked without a window.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace morlenta {

struct GridTableColumn {
    QString caption;
    int width = 100; // pixels on screen, the share of the page a column gets
    bool alignRight = false;
};

struct GridTableLine {
    enum Kind { Row, Group, Total };
    Kind kind = Row;
    int level = 0;       // depth of a group row, 0 for the outermost groups
    QString text;        // the group row's caption
    QStringList cells;   // the texts as shown, one per column (sums on group and total lines)
    QVariantList values; // the stored values of a data row, for the spreadsheet
};

struct GridTable {
    QList<GridTableColumn> columns;
    QList<GridTableLine> lines;
};

} // namespace morlenta
