#pragma once

// Page parts shared by every printout: the print footer line at the foot of
// the page, and the document printing service (preview, printer, PDF).

#include <QPageLayout>
#include <QString>

#include <optional>
#include <utility>

class QFont;
class QPainter;
class QPrinter;
class QRectF;
class QTextDocument;
class QWidget;

namespace morlenta {

// Height the footer takes at the foot of a page on that device.
double pageFooterHeight(QPrinter *printer);
// The footer text on the left and, when `pageText` is given, the page number on the right,
// under a thin line at the top of `area`.
void paintPageFooter(QPainter &painter, const QRectF &area, const QString &footer, const QString &pageText);
QFont printFont(double pointSize, bool bold = false);
// Most of the screen for a print preview window, so that a page can be read.
void fitPreviewWindow(QWidget &dialog);

// Prints rich-text documents with the print footer on every page.
class DocumentPrinter {
public:
    explicit DocumentPrinter(QString footer) : footer_(std::move(footer)) {}
    // The page size and margins the template asks for; the printer's own otherwise.
    void setPageLayout(std::optional<QPageLayout> layout) { layout_ = std::move(layout); }

    // Every page of the document on a printer that is set up already; false when
    // the printer cannot be opened (a PDF file that cannot be written).
    bool render(QPrinter *printer, const QTextDocument &document) const;
    bool writePdf(const QString &path, const QTextDocument &document) const;
    // The print preview; printing from it goes to the printer chosen there.
    void preview(QWidget *parent, const QTextDocument &document, const QString &title = {}) const;
    // The print dialog, then the printer chosen there; false when cancelled.
    bool printWithDialog(QWidget *parent, const QTextDocument &document) const;
    // A printer by name; false when there is no such printer.
    bool printOn(const QString &printerName, const QTextDocument &document) const;
    // The number of pages the document takes on that printer.
    int pageCount(QPrinter *printer, const QTextDocument &document) const;

private:
    void applyLayout(QPrinter *printer) const;
    QString footer_;
    std::optional<QPageLayout> layout_;
};

} // namespace morlenta
