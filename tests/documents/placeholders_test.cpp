#include "documents/placeholders.h"

#include "support/qt_print.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace morlenta::documents;

TEST(Placeholders, EveryOccurrenceInOrderWithLaterWordsInsideEarlierValues)
{
    const Placeholders values{{QStringLiteral("%clientname%"), QStringLiteral("Иван %date% Петров")},
                              {QStringLiteral("%nomer%"), QStringLiteral("%nomer%-12")},
                              {QStringLiteral("%date%"), QStringLiteral("11.12.2026")},
                              {QStringLiteral("%defect%"), QString(300, QLatin1Char('x'))},
                              {QStringLiteral("%parts%"), QString(300, QLatin1Char('p')), true}};
    const QString filled = fillText(QStringLiteral("%nomer% / %nomer% / %nomer%\n%clientname%\n%defect%\n%parts%"), values);
    const QStringList lines = filled.split(QLatin1Char('\n'));
    EXPECT_EQ(lines[0], QStringLiteral("%nomer%-12 / %nomer%-12 / %nomer%-12"));  // not replaced again
    EXPECT_EQ(lines[1], QStringLiteral("Иван 11.12.2026 Петров"));
    EXPECT_EQ(lines[2], QString(255, QLatin1Char('x')));
    EXPECT_EQ(lines[3].size(), 300);  // a list of lines is never cut
}

TEST(Placeholders, FoundAcrossFormattingAndTakingTheFirstCharactersFormat)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat plain;
    c.insertText(QStringLiteral("Клиент: "), plain);
    c.insertText(QStringLiteral("%client"), bold);
    c.insertText(QStringLiteral("name%, отново %clientname%."), plain);
    fillDocument(doc, {{QStringLiteral("%clientname%"), QStringLiteral("Мария 'Софт' ООД")}});
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Клиент: Мария 'Софт' ООД, отново Мария 'Софт' ООД."));
    QTextCursor first(&doc);
    first.setPosition(9);  // inside the first value
    EXPECT_EQ(first.charFormat().fontWeight(), QFont::Bold);
    QTextCursor last(&doc);
    last.setPosition(static_cast<int>(doc.toPlainText().size()) - 3);
    EXPECT_NE(last.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(containsPlaceholder(doc, QStringLiteral("Мария")));
    EXPECT_FALSE(containsPlaceholder(doc, QStringLiteral("%clientname%")));
}
