#pragma once

// Printing of a grid as it is shown: the page header (title and the caller's
// extra lines) and the column captions on every page, group rows indented,
// the totals at the end, the print footer and the page number at the foot of
// every page. Landscape when the columns do not fit across a portrait page.

#include "platform/grid_table.h"

#include <QList>
#include <QString>
#include <QStringList>

class QPageLayout;
class QPrinter;
class QWidget;

namespace morlenta {

class Prompt;

// Heights on one page, all in the same unit.
struct GridPageMetrics {
    double pageHeight = 0;
    double headerHeight = 0; // title and extra lines
    double captionHeight = 0;
    double lineHeight = 0;
    double footerHeight = 0;
};

struct GridPageRange {
    int first = 0;
    int count = 0;
};

// How the lines fall on pages; at least one page, at least one line a page.
QList<GridPageRange> paginateGrid(int lineCount, const GridPageMetrics &metrics);
// The page's number as printed in its footer.
QString pageNumberText(int page, int pageCount);

class GridPrinter {
public:
    GridPrinter(GridTable table, QString title, QStringList extraLines, QString footer);

    // true when the columns are wider than the page is across in portrait.
    bool needsLandscape(const QPageLayout &portrait) const;
    // Paints every page on a printer that is set up already; false when it cannot be opened.
    bool render(QPrinter *printer) const;
    bool writePdf(const QString &path) const;
    // With a prompt, the wait message shows while the pages are made.
    void preview(QWidget *parent, Prompt *prompt = nullptr) const;
    // The page metrics render() uses on that printer.
    GridPageMetrics metrics(QPrinter *printer) const;

private:
    GridTable table_;
    QString title_;
    QStringList extra_;
    QString footer_;
};

} // namespace morlenta
