#include "documents/placeholders.h"

#include <QTextCursor>
#include <QTextDocument>

namespace morlenta::documents {

namespace {

QString cut(const Placeholder &p)
{
    return p.whole ? p.value : p.value.left(kMaxValueLength);
}

} // namespace

void fillDocument(QTextDocument &doc, const Placeholders &values)
{
    for (const Placeholder &p : values) {
        if (p.key.isEmpty())
            continue;
        // Line breaks of a value become paragraphs, as typed text would.
        QString value = cut(p);
        value.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        int from = 0;
        for (;;) {
            QTextCursor found = doc.find(p.key, from, QTextDocument::FindCaseSensitively);
            if (found.isNull())
                break;
            const int start = found.selectionStart();
            QTextCursor first(&doc);
            first.setPosition(start);
            first.setPosition(start + 1, QTextCursor::KeepAnchor);
            const QTextCharFormat format = first.charFormat();
            found.insertText(value, format);
            from = start + static_cast<int>(value.size());
        }
    }
}

QString fillText(QString text, const Placeholders &values)
{
    for (const Placeholder &p : values) {
        if (p.key.isEmpty())
            continue;
        const QString value = cut(p);
        qsizetype from = 0;
        for (;;) {
            const qsizetype at = text.indexOf(p.key, from);
            if (at < 0)
                break;
            text.replace(at, p.key.size(), value);
            from = at + value.size();
        }
    }
    return text;
}

bool containsPlaceholder(const QTextDocument &doc, const QString &key)
{
    return !doc.find(key, 0, QTextDocument::FindCaseSensitively).isNull();
}

} // namespace morlenta::documents
