#pragma once

// Reads the rich-text templates shops keep (WordPad, Word, LibreOffice Writer)
// into a QTextDocument: text runs with their character formats, paragraphs,
// tables and PNG/JPEG pictures. A run is inserted as one piece of text with
// its format, so a placeholder split between a bold and a plain run is still
// contiguous text of one block for QTextDocument::find.

#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <optional>

class QTextDocument;

namespace morlenta::documents {

struct RtfResult {
    bool ok = false;
    QString error; // Bulgarian, for the user
};

// Replaces the content of `doc`. A damaged file (cut short, unbalanced
// braces, data beyond its end, groups nested too deep) gives ok = false and
// leaves `doc` empty, so that half a template is never printed.
RtfResult readRtf(const QByteArray &rtf, QTextDocument *doc);
RtfResult readRtfFile(const QString &path, QTextDocument *doc);

// The page size and margins the file asked for, if it did. They are kept with
// the document rather than applied to its layout: the printing path sets them
// on the printer, so the margins are not counted twice (once by the printer,
// once by a root-frame margin).
std::optional<QPageLayout> rtfPageLayout(const QTextDocument &doc);

} // namespace morlenta::documents
