#include "platform/grid_print.h"

#include "common/prompt.h"
#include "platform/print_page.h"

#include <QDate>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cmath>
#include <optional>

namespace morlenta {

namespace {

constexpr double kScreenDpi = 96.0;

// The screen width, but never narrower than the printed caption needs.
double printWidthPx(const GridTableColumn &c)
{
    const QFontMetricsF bold(printFont(9, true));
    const double dpi = QFontMetricsF(bold).fontDpi();
    const double caption =
        (bold.horizontalAdvance(c.caption) + bold.averageCharWidth() * 1.5) * kScreenDpi / dpi;
    return qMax(double(c.width), caption);
}

double naturalWidthPoints(const GridTable &table)
{
    double px = 0;
    for (const GridTableColumn &c : table.columns)
        px += printWidthPx(c);
    return px * 72.0 / kScreenDpi;
}

} // namespace

QList<GridPageRange> paginateGrid(int lineCount, const GridPageMetrics &m)
{
    const double room = m.pageHeight - m.headerHeight - m.captionHeight - m.footerHeight;
    const int perPage =
        m.lineHeight > 0 ? qMax(1, int(std::floor(room / m.lineHeight + 1e-9))) : qMax(1, lineCount);
    QList<GridPageRange> pages;
    for (int first = 0; first < lineCount; first += perPage)
        pages.append({first, qMin(perPage, lineCount - first)});
    if (pages.isEmpty())
        pages.append({0, 0});
    return pages;
}

QString pageNumberText(int page, int pageCount)
{
    return QStringLiteral("Страница %1 от %2").arg(page).arg(pageCount);
}

GridPrinter::GridPrinter(GridTable table, QString title, QStringList extraLines, QString footer)
    : table_(std::move(table)), title_(std::move(title)), extra_(std::move(extraLines)),
      footer_(std::move(footer))
{
}

bool GridPrinter::needsLandscape(const QPageLayout &portrait) const
{
    QPageLayout layout = portrait;
    layout.setOrientation(QPageLayout::Portrait);
    return naturalWidthPoints(table_) > layout.paintRect(QPageLayout::Point).width();
}

GridPageMetrics GridPrinter::metrics(QPrinter *printer) const
{
    const QFontMetricsF body(printFont(9), printer);
    const QFontMetricsF title(printFont(13, true), printer);
    GridPageMetrics m;
    m.pageHeight = printer->pageLayout().paintRectPixels(printer->resolution()).height();
    m.lineHeight = body.height() * 1.3;
    m.headerHeight =
        (title_.isEmpty() ? 0 : title.height() * 1.4) + extra_.size() * m.lineHeight + m.lineHeight * 0.5;
    m.captionHeight = m.lineHeight * 1.2;
    m.footerHeight = pageFooterHeight(printer);
    return m;
}

bool GridPrinter::render(QPrinter *printer) const
{
    QPainter p;
    if (!p.begin(printer))
        return false;
    const GridPageMetrics m = metrics(printer);
    const QRectF page(QPointF(0, 0), printer->pageLayout().paintRectPixels(printer->resolution()).size());
    const QList<GridPageRange> pages = paginateGrid(int(table_.lines.size()), m);

    // Columns at their screen width, narrowed together when they do not fit.
    const double dpiScale = printer->resolution() / kScreenDpi;
    double natural = 0;
    for (const GridTableColumn &c : table_.columns)
        natural += printWidthPx(c) * dpiScale;
    const double fit = natural > page.width() && natural > 0 ? page.width() / natural : 1.0;
    QList<double> xs;
    double x = 0;
    for (const GridTableColumn &c : table_.columns) {
        xs << x;
        x += printWidthPx(c) * dpiScale * fit;
    }
    xs << x;
    const double tableRight = x;

    const QFont bodyFont = printFont(9);
    const QFont boldFont = printFont(9, true);
    const QFont titleFont = printFont(13, true);
    const QFontMetricsF fm(bodyFont, printer);
    const double pad = fm.averageCharWidth() * 0.5;
    const double indent = fm.averageCharWidth() * 2;
    const QPen thin(Qt::black, 0);

    auto cellRect = [&](int c, double y) {
        return QRectF(xs[c] + pad, y, xs[c + 1] - xs[c] - 2 * pad, m.lineHeight);
    };
    auto drawCells = [&](const QStringList &cells, double y) {
        for (int c = 0; c < cells.size() && c < table_.columns.size(); ++c) {
            const QRectF r = cellRect(c, y);
            const Qt::Alignment a =
                (table_.columns[c].alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
            p.drawText(r, int(a),
                       QFontMetricsF(p.font(), printer).elidedText(cells[c], Qt::ElideRight, r.width()));
        }
    };

    for (int n = 0; n < pages.size(); ++n) {
        if (n > 0)
            printer->newPage();
        p.setPen(thin);
        double y = 0;
        if (!title_.isEmpty()) {
            p.setFont(titleFont);
            const double h = QFontMetricsF(titleFont, printer).height() * 1.4;
            p.drawText(QRectF(0, y, page.width(), h), Qt::AlignLeft | Qt::AlignVCenter, title_);
            y += h;
        }
        p.setFont(bodyFont);
        for (const QString &line : extra_) {
            p.drawText(QRectF(0, y, page.width(), m.lineHeight), Qt::AlignLeft | Qt::AlignVCenter, line);
            y += m.lineHeight;
        }
        y = m.headerHeight;

        // Column captions, repeated on every page.
        p.setFont(boldFont);
        p.fillRect(QRectF(0, y, tableRight, m.captionHeight), QColor(230, 230, 230));
        for (int c = 0; c < table_.columns.size(); ++c) {
            const QRectF r(xs[c] + pad, y, xs[c + 1] - xs[c] - 2 * pad, m.captionHeight);
            p.drawText(
                r, int((table_.columns[c].alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter),
                QFontMetricsF(boldFont, printer)
                    .elidedText(table_.columns[c].caption, Qt::ElideRight, r.width()));
        }
        p.drawLine(QPointF(0, y + m.captionHeight), QPointF(tableRight, y + m.captionHeight));
        y += m.captionHeight;

        const GridPageRange range = pages[n];
        for (int i = range.first; i < range.first + range.count; ++i) {
            const GridTableLine &line = table_.lines[i];
            if (line.kind == GridTableLine::Row) {
                p.setFont(bodyFont);
                drawCells(line.cells, y);
            } else {
                // Group and total rows: the caption runs up to the first sum.
                p.setFont(boldFont);
                const double left = line.kind == GridTableLine::Group ? line.level * indent : 0;
                if (line.kind == GridTableLine::Group)
                    p.fillRect(QRectF(left, y, tableRight - left, m.lineHeight), QColor(242, 242, 242));
                else
                    p.drawLine(QPointF(0, y), QPointF(tableRight, y));
                double right = tableRight;
                for (int c = 0; c < line.cells.size() && c < table_.columns.size(); ++c)
                    if (!line.cells[c].isEmpty() && xs[c] > left) {
                        right = xs[c];
                        break;
                    }
                const QRectF r(left + pad, y, right - left - 2 * pad, m.lineHeight);
                p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                           QFontMetricsF(boldFont, printer).elidedText(line.text, Qt::ElideRight, r.width()));
                drawCells(line.cells, y);
            }
            y += m.lineHeight;
        }
        paintPageFooter(p, QRectF(0, page.height() - m.footerHeight, page.width(), m.footerHeight), footer_,
                        pageNumberText(n + 1, int(pages.size())));
    }
    return p.end();
}

bool GridPrinter::writePdf(const QString &path) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(needsLandscape(printer.pageLayout()) ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait);
    return render(&printer);
}

void GridPrinter::preview(QWidget *parent, Prompt *prompt) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(needsLandscape(printer.pageLayout()) ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("TfrmPreview"));
    fitPreviewWindow(dialog);
    dialog.setWindowTitle(title_.isEmpty() ? QStringLiteral("Преглед преди печат") : title_);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this, prompt](QPrinter *p) {
        std::optional<WaitMessage> wait;
        if (prompt && table_.lines.size() > 2000)
            wait.emplace(*prompt, QStringLiteral("Подготовка за печат, моля изчакайте ..."));
        render(p);
    });
    dialog.exec();
}

} // namespace morlenta
