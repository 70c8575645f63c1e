#pragma once

// Loading a document's template, checking it and filling it.

#include "documents/placeholders.h"

#include <QString>

#include <functional>
#include <memory>

class QTextDocument;

namespace morlenta {
class Prompt;
class LocalSettings;
struct Session;
} // namespace morlenta

namespace morlenta::documents {

enum class DocumentKind { ServiceCard, Protocol, ReadyCard, Conditioners, ChangeSn };

// "Matrix" in the per-computer "Printer" value: plain-text templates and the dot-matrix printer.
bool matrixMode(const LocalSettings &settings);

QString templatePath(DocumentKind kind, const QString &folder, bool matrix);
// The output file of the dot-matrix printer: "order.prn", "protokol.prn", ...
QString prnFileName(DocumentKind kind);
// The footer of the air-conditioner card, which has its own.
QString conditionerFooter();

struct FilledDocument {
    bool ok = false;
    bool matrix = false;
    std::unique_ptr<QTextDocument> doc; // rich-text mode
    QString text;                       // dot-matrix mode
    QString prnFile;
    QString footer;
    FilledDocument();
    FilledDocument(FilledDocument &&) noexcept;
    FilledDocument &operator=(FilledDocument &&) noexcept;
    ~FilledDocument();
};

// The template of `kind` from `folder`, filled with `values`; a missing or
// unreadable template, or a card without "%servicename%", is reported
// through `prompt` and gives ok = false.
FilledDocument fillTemplate(DocumentKind kind, const QString &folder, bool matrix, const Placeholders &values,
                            Prompt &prompt, const QString &printFooter);
// The same for a session: its database's templates, this computer's printer
// mode (which `values` gets, as dot-matrix documents are laid out apart) and
// the print footer.
FilledDocument fillTemplate(DocumentKind kind, const Session &session,
                            const std::function<Placeholders(bool matrix)> &values);

} // namespace morlenta::documents
