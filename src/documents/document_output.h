#pragma once

// Where a filled document goes: the print preview with the footer on
// every page, or the dot-matrix window.

#include <QString>

class QWidget;

namespace morlenta {
class Prompt;
class LocalSettings;
} // namespace morlenta

namespace morlenta::documents {

struct FilledDocument;

void outputDocument(const FilledDocument &document, Prompt &prompt, LocalSettings &settings, QWidget *parent,
                    const QString &title);

} // namespace morlenta::documents
