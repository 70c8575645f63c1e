#include "platform/print_page.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTextDocument>

#include <memory>

namespace morlenta {

QFont printFont(double pointSize, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

void fitPreviewWindow(QWidget &dialog)
{
    const QScreen *screen = dialog.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    dialog.resize(area.width() * 4 / 5, area.height() * 9 / 10);
}

double pageFooterHeight(QPrinter *printer)
{
    return QFontMetricsF(printFont(8), printer).height() * 2.0;
}

void paintPageFooter(QPainter &painter, const QRectF &area, const QString &footer, const QString &pageText)
{
    painter.save();
    const QFont font = printFont(8);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0));
    const QFontMetricsF fm(font, painter.device());
    const double gap = fm.height() * 0.5;
    painter.drawLine(QPointF(area.left(), area.top() + gap * 0.5),
                     QPointF(area.right(), area.top() + gap * 0.5));
    const QRectF text(area.left(), area.top() + gap, area.width(), area.height() - gap);
    const double pageWidth = pageText.isEmpty() ? 0 : fm.horizontalAdvance(pageText) + fm.height();
    const QRectF left(text.left(), text.top(), text.width() - pageWidth, text.height());
    painter.drawText(left, Qt::AlignLeft | Qt::AlignTop, fm.elidedText(footer, Qt::ElideRight, left.width()));
    if (!pageText.isEmpty())
        painter.drawText(text, Qt::AlignRight | Qt::AlignTop, pageText);
    painter.restore();
}

namespace {

// A copy of the document laid out for the printer's pages less the footer.
std::unique_ptr<QTextDocument> layoutFor(QPrinter *printer, const QTextDocument &document, QRectF *body)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(printer);
    const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
    *body = QRectF(0, 0, page.width(), page.height() - pageFooterHeight(printer));
    copy->setPageSize(body->size());
    return copy;
}

} // namespace

int DocumentPrinter::pageCount(QPrinter *printer, const QTextDocument &document) const
{
    QRectF body;
    return layoutFor(printer, document, &body)->pageCount();
}

void DocumentPrinter::applyLayout(QPrinter *printer) const
{
    if (layout_)
        printer->setPageLayout(*layout_);
}

bool DocumentPrinter::render(QPrinter *printer, const QTextDocument &document) const
{
    QRectF body;
    const std::unique_ptr<QTextDocument> copy = layoutFor(printer, document, &body);
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    const int pages = copy->pageCount();
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            printer->newPage();
        painter.save();
        painter.setClipRect(body);
        painter.translate(0, -p * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, p * body.height(), body.width(), body.height());
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
        paintPageFooter(painter, QRectF(0, body.bottom(), body.width(), pageFooterHeight(printer)), footer_,
                        {});
    }
    return painter.end();
}

bool DocumentPrinter::writePdf(const QString &path, const QTextDocument &document) const
{
    QPrinter printer(QPrinter::HighResolution);
    applyLayout(&printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return render(&printer, document);
}

void DocumentPrinter::preview(QWidget *parent, const QTextDocument &document, const QString &title) const
{
    QPrinter printer(QPrinter::HighResolution);
    applyLayout(&printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("TfrmPreview"));
    fitPreviewWindow(dialog);
    dialog.setWindowTitle(title.isEmpty() ? QStringLiteral("Преглед преди печат") : title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter *p) { render(p, document); });
    dialog.exec();
}

bool DocumentPrinter::printWithDialog(QWidget *parent, const QTextDocument &document) const
{
    QPrinter printer(QPrinter::HighResolution);
    applyLayout(&printer);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    render(&printer, document);
    return true;
}

bool DocumentPrinter::printOn(const QString &printerName, const QTextDocument &document) const
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return false;
    QPrinter printer(info, QPrinter::HighResolution);
    applyLayout(&printer);
    render(&printer, document);
    return true;
}

} // namespace morlenta
