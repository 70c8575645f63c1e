#pragma once

// Placeholder words in templates, replaced in a fixed order by their values.

#include <QList>
#include <QString>

class QTextDocument;

namespace morlenta::documents {

struct Placeholder {
    QString key;    // with its delimiters: "%nomer%", "$nomer$"
    QString value;  // cut to 255 characters when filled
    bool whole = false;  // a list of lines (parts, operations): never cut
};
using Placeholders = QList<Placeholder>;

inline constexpr int kMaxValueLength = 255;

// Every occurrence of every placeholder in the visible text, in list order.
// A value takes the character format of its placeholder's first character;
// a value that contains its own placeholder is not replaced again, while
// later placeholders are replaced inside earlier values.
void fillDocument(QTextDocument &doc, const Placeholders &values);
QString fillText(QString text, const Placeholders &values);

// Whether the visible text holds `key`.
bool containsPlaceholder(const QTextDocument &doc, const QString &key);

} // namespace morlenta::documents
