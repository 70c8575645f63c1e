#include "documents/document_output.h"

#include "documents/document_templates.h"
#include "documents/rtf_reader.h"
#include "documents/tlx300.h"
#include "platform/print_page.h"

#include <QTextDocument>

namespace morlenta::documents {

void outputDocument(const FilledDocument &document, Prompt &prompt, LocalSettings &settings, QWidget *parent,
                    const QString &title)
{
    if (!document.ok)
        return;
    if (document.matrix) {
        TLX300 w(prompt, settings, parent);
        w.setDocument(document.text, document.prnFile);
        w.exec();
        return;
    }
    if (document.doc) {
        DocumentPrinter printer(document.footer);
        printer.setPageLayout(rtfPageLayout(*document.doc));
        printer.preview(parent, *document.doc, title);
    }
}

} // namespace morlenta::documents
