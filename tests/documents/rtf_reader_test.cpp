#include "documents/rtf_reader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>

#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace morlenta::documents;

namespace {

QString templatesDir()
{
    return QStringLiteral(MORLENTA_FIXTURES "/templates/");
}

// The text as stored: no-break spaces and line separators kept, paragraphs as '\n'.
QString rawText(const QTextDocument &doc)
{
    return doc.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

int countOf(const QTextDocument &doc, const QString &needle)
{
    int n = 0;
    for (QTextCursor c = doc.find(needle); !c.isNull(); c = doc.find(needle, c))
        ++n;
    return n;
}

// The format of the last character of the first occurrence of `text`.
QTextCharFormat formatOf(const QTextDocument &doc, const QString &text)
{
    const QTextCursor c = doc.find(text);
    EXPECT_FALSE(c.isNull()) << text.toStdString();
    return c.charFormat();
}

QTextBlock blockWith(const QTextDocument &doc, const QString &text)
{
    const QTextCursor c = doc.find(text);
    EXPECT_FALSE(c.isNull()) << text.toStdString();
    return c.block();
}

QList<QTextImageFormat> images(const QTextDocument &doc)
{
    QList<QTextImageFormat> found;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                found.append(it.fragment().charFormat().toImageFormat());
        }
    }
    return found;
}

QTextTable *firstTable(const QTextDocument &doc)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (QTextTable *t = QTextCursor(b).currentTable())
            return t;
    }
    return nullptr;
}

QString cellText(QTextTable *t, int row, int col)
{
    const QTextTableCell cell = t->cellAt(row, col);
    QTextCursor c = cell.firstCursorPosition();
    c.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return c.selectedText();
}

QByteArray pngHex(int w, int h, const char *format = "PNG")
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toHex();
}

class RtfTemplate : public ::testing::Test {
protected:
    void load(const char *name)
    {
        const QString path = templatesDir() + QString::fromUtf8(name);
        if (!QFileInfo::exists(path))
            GTEST_SKIP() << "fixture folder missing: " << templatesDir().toStdString();
        const RtfResult r = readRtfFile(path, &doc);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        text = doc.toPlainText();
    }
    QTextDocument doc;
    QString text;
};

} // namespace

TEST_F(RtfTemplate, ServiceOrderFromWriter)
{
    load("serv_order_writer.rtf");
    if (IsSkipped() || HasFatalFailure())
        return;
    for (const char *words :
         {"СЕРВИЗНА КАРТА № %nomer% от %date%", "%serviceaddress%, тел. %servicephone%", "Адрес, телефон",
          "Гаранция / място", "%warranty% — %place%", "Допълнителна информация: %moreinfo%",
          "Поръчка № %nomer% (копие за клиента; № %nomer%)"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words;
    EXPECT_FALSE(text.contains(QLatin1Char('?'))) << "a \\u fallback was shown";
    EXPECT_EQ(countOf(doc, QStringLiteral("%nomer%")), 3);

    // The placeholder split between a bold and a plain run is one string of one block.
    const QTextCursor client = doc.find(QStringLiteral("%clientname%"));
    ASSERT_FALSE(client.isNull());
    QTextCursor first(client.block());
    first.setPosition(client.selectionStart() + 1);
    EXPECT_EQ(first.charFormat().fontWeight(), QFont::Bold);
    EXPECT_NE(client.charFormat().fontWeight(), QFont::Bold);

    QTextTable *table = firstTable(doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 6);
    EXPECT_EQ(table->columns(), 2);
    EXPECT_EQ(cellText(table, 0, 0), QStringLiteral("Клиент"));
    EXPECT_EQ(cellText(table, 0, 1), QStringLiteral("%clientname%"));
    EXPECT_EQ(cellText(table, 5, 0), QStringLiteral("Гаранция / място"));
    EXPECT_GE(table->format().border(), 1.0);
    EXPECT_EQ(table->format().alignment(), Qt::AlignHCenter);
    const auto widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 2);
    EXPECT_NEAR(widths[0].rawValue(), 2835 / 15.0, 0.01);
    EXPECT_NEAR(widths[1].rawValue(), (9638 - 2835) / 15.0, 0.01);
    EXPECT_EQ(QTextCursor(blockWith(doc, QStringLiteral("Допълнителна"))).currentTable(), nullptr);

    // One logo: the shape's picture, not its fill.
    const auto logos = images(doc);
    ASSERT_EQ(logos.size(), 1);
    const QImage logo = doc.resource(QTextDocument::ImageResource, QUrl(logos[0].name())).value<QImage>();
    EXPECT_EQ(logo.size(), QSize(64, 32));
    EXPECT_NEAR(logos[0].width(), 1699 / 15.0, 0.01);
    EXPECT_EQ(doc.begin().text(), QString(QChar::ObjectReplacementCharacter));
    EXPECT_EQ(doc.begin().blockFormat().alignment(), Qt::AlignLeft) << "the logo left its side of the page";

    const QTextCharFormat nomer = formatOf(doc, QStringLiteral("%nomer%"));
    EXPECT_EQ(nomer.fontWeight(), QFont::Bold);
    EXPECT_TRUE(nomer.fontItalic());
    EXPECT_EQ(nomer.foreground().color(), QColor(192, 0, 0));
    EXPECT_EQ(blockWith(doc, QStringLiteral("%servicename%")).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(blockWith(doc, QStringLiteral("СЕРВИЗНА")).blockFormat().alignment(), Qt::AlignRight);
    EXPECT_EQ(formatOf(doc, QStringLiteral("%servicename%")).fontPointSize(), 16.0);

    const auto page = rtfPageLayout(doc);
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->pageSize().id(), QPageSize::A4);
    EXPECT_EQ(page->orientation(), QPageLayout::Portrait);
    EXPECT_NEAR(page->margins(QPageLayout::Millimeter).left(), 20.0, 0.05);
}

TEST_F(RtfTemplate, ReadyCardFromWriter)
{
    load("ready_card_writer.rtf");
    if (IsSkipped() || HasFatalFailure())
        return;
    for (const char *words : {"РЕМОНТНА КАРТА към поръчка № %nomer%", "Клиент: %clientname%, %clientaddress%",
                              "Вложени части:", "Извършени операции:", "Обща цена: %price% лв."})
        EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words;
    EXPECT_FALSE(text.contains(QLatin1Char('?')));

    const QTextCharFormat parts = formatOf(doc, QStringLiteral("%parts%"));
    EXPECT_TRUE(parts.fontFixedPitch());
    EXPECT_EQ(parts.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Mono")});
    EXPECT_EQ(parts.fontPointSize(), 8.0);
    EXPECT_TRUE(formatOf(doc, QStringLiteral("%operations%")).fontFixedPitch());
    EXPECT_FALSE(formatOf(doc, QStringLiteral("%clerk%")).fontFixedPitch());
    EXPECT_TRUE(formatOf(doc, QStringLiteral("%type%")).fontUnderline());
    EXPECT_FALSE(formatOf(doc, QStringLiteral("Състояние")).fontUnderline());
    EXPECT_TRUE(text.contains(QStringLiteral("%taksa%\t%transport%\t%discount%")));
    EXPECT_NEAR(doc.defaultTextOption().tabStopDistance(), 709 / 15.0, 0.01);
}

TEST_F(RtfTemplate, ProtocolFromWordPad)
{
    load("protocol_wordpad.rtf");
    if (IsSkipped() || HasFatalFailure())
        return;
    for (const char *words :
         {"ПРОТОКОЛ № $nomer$", "за оставен в сервиз касов апарат", "фискална памет № $RAM$",
          "Данъчна служба: $taxadmin$", "Протокол № $nomer$ — екземпляр за данъчната служба"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words;
    EXPECT_EQ(text.count(QStringLiteral("№")), 4);

    const QTextBlock title = blockWith(doc, QStringLiteral("ПРОТОКОЛ"));
    EXPECT_EQ(title.blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(formatOf(doc, QStringLiteral("ПРОТОКОЛ")).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(doc, QStringLiteral("ПРОТОКОЛ")).fontPointSize(), 14.0);
    EXPECT_EQ(formatOf(doc, QStringLiteral("за оставен")).fontWeight(), QFont::Normal);

    // "{\b $servi}cename$": found whole, the bold part first; \pard keeps the italics.
    EXPECT_EQ(countOf(doc, QStringLiteral("$servicename$")), 2);
    const QTextBlock signature = blockWith(doc, QStringLiteral("Подпис на техника: $servicename$"));
    EXPECT_TRUE(formatOf(doc, QStringLiteral("Подпис")).fontItalic());
    EXPECT_EQ(signature.text(), QStringLiteral("Подпис на техника: $servicename$"));
    EXPECT_FALSE(rtfPageLayout(doc).has_value());
}

TEST(RtfReader, Text)
{
    const struct {
        const char *rtf;
        const char *text;
    } cases[] = {
        {"{\\rtf1 plain}", "plain"},
        {"{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e5\\'eb \\'b9 1}", "Приел № 1"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 \\'cf\\'b9}", "П№"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 \\'e9\\'80\\'97}", "é€—"},
        {"{\\rtf1 \\u1040\\'3f\\u-21504?\\u8470 ?}", "А가№"},
        {"{\\rtf1\\uc2 \\u1040\\'3f\\'3fX\\uc0\\u1041 Y}", "АXБY"},
        {"{\\rtf1{\\uc2 \\u1040??}\\u1041?}", "АБ"},
        {"{\\rtf1 \\u1040\\par b}", "А\nb"},
        {"{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\~\\_\\{\\}\\\\}",
         "\u2014\u2013\u2022\u2018\u2019\u201c\u201d\u00a0\u2011{}\\"},
        {"{\\rtf1 a\\tab b\\line c}", "a\tb\u2028c"},
        {"{\\rtf1 {\\*\\unknown x}{\\info{\\title t}}{\\stylesheet{\\s0 Normal;}}{\\header h}{\\footer f}"
         "{\\footnote n}{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}\\unknownword z}",
         "linkz"},
        {"{\\rtf1 {\\v hidden}shown}", "shown"},
        {"{\\rtf1 a{\\*\\blob\\bin4 {}}\\}b}", "ab"},
        {"{\\rtf1 a\\par b\\par}", "a\nb"},
        {"{\\rtf1 a\\par\\par b}", "a\n\nb"},
        {"{\\rtf1 a}\r\n", "a"},
        {"  {\\rtf1\\ansi\\deff0 x\\'zz y}", "xzz y"},
    };
    for (const auto &c : cases) {
        QTextDocument doc;
        const RtfResult r = readRtf(QByteArray(c.rtf), &doc);
        ASSERT_TRUE(r.ok) << c.rtf << ": " << r.error.toStdString();
        EXPECT_EQ(rawText(doc), QString::fromUtf8(c.text)) << c.rtf;
    }
}

TEST(RtfReader, CharacterFormats)
{
    QTextDocument doc;
    ASSERT_TRUE(readRtf("{\\rtf1{\\fonttbl{\\f0\\froman Times;}{\\f1\\fmodern\\fprq1 Courier New;}}"
                        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\f0\\fs20 "
                        "{\\b Bold}{\\i Ital}{\\ul Under\\ulnone None}{\\strike Gone}{\\cf1 Red}"
                        "{\\highlight2 Marked}{\\cb1 Backed}{\\f1\\fs40 Mono}\\b\\i\\plain Plain}",
                        &doc)
                    .ok);
    EXPECT_EQ(formatOf(doc, QStringLiteral("Bold")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf(doc, QStringLiteral("Ital")).fontItalic());
    EXPECT_EQ(formatOf(doc, QStringLiteral("Ital")).fontWeight(), QFont::Normal);
    EXPECT_TRUE(formatOf(doc, QStringLiteral("Under")).fontUnderline());
    EXPECT_FALSE(formatOf(doc, QStringLiteral("None")).fontUnderline());
    EXPECT_TRUE(formatOf(doc, QStringLiteral("Gone")).fontStrikeOut());
    EXPECT_EQ(formatOf(doc, QStringLiteral("Red")).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatOf(doc, QStringLiteral("Marked")).background().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(doc, QStringLiteral("Backed")).background().color(), QColor(255, 0, 0));
    const QTextCharFormat mono = formatOf(doc, QStringLiteral("Mono"));
    EXPECT_EQ(mono.fontFamilies().toStringList(), QStringList{QStringLiteral("Courier New")});
    EXPECT_TRUE(mono.fontFixedPitch());
    EXPECT_EQ(mono.fontPointSize(), 20.0);
    EXPECT_EQ(formatOf(doc, QStringLiteral("Bold")).fontPointSize(), 10.0);
    const QTextCharFormat plain = formatOf(doc, QStringLiteral("Plain"));
    EXPECT_EQ(plain.fontWeight(), QFont::Normal);
    EXPECT_FALSE(plain.fontItalic());
    EXPECT_EQ(plain.fontPointSize(), 12.0);
    EXPECT_EQ(plain.fontFamilies().toStringList(), QStringList{QStringLiteral("Times")});
}

TEST(RtfReader, Paragraphs)
{
    QTextDocument doc;
    ASSERT_TRUE(readRtf("{\\rtf1\\pard\\qc\\li720\\ri360\\fi-360\\sb120\\sa240 centred\\par"
                        "\\pard\\qj justified\\par\\pard\\qr right\\page\\pard next}",
                        &doc)
                    .ok);
    ASSERT_EQ(doc.blockCount(), 4);
    const QTextBlockFormat c = doc.findBlockByNumber(0).blockFormat();
    EXPECT_EQ(c.alignment(), Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(c.leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(c.rightMargin(), 24.0);
    EXPECT_DOUBLE_EQ(c.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(c.topMargin(), 8.0);
    EXPECT_DOUBLE_EQ(c.bottomMargin(), 16.0);
    EXPECT_EQ(doc.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(doc.findBlockByNumber(1).blockFormat().leftMargin(), 0.0);
    const QTextBlockFormat r = doc.findBlockByNumber(2).blockFormat();
    EXPECT_EQ(r.alignment(), Qt::AlignRight);
    EXPECT_EQ(r.pageBreakPolicy(), QTextFormat::PageBreak_AlwaysAfter);
    EXPECT_EQ(doc.findBlockByNumber(3).text(), QStringLiteral("next"));
}

TEST(RtfReader, TableWithoutBordersAndWithAnExtraCell)
{
    QTextDocument doc;
    ASSERT_TRUE(readRtf("{\\rtf1 before\\par\\trowd\\cellx1500\\cellx3000\\pard\\intbl a\\cell b\\cell\\row"
                        "\\trowd\\cellx1500\\cellx3000\\pard\\intbl c\\par d\\cell e\\cell f\\cell\\row"
                        "\\pard after}",
                        &doc)
                    .ok);
    QTextTable *table = firstTable(doc);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(table->format().border(), 0.0);
    EXPECT_EQ(cellText(table, 0, 1), QStringLiteral("b"));
    EXPECT_EQ(cellText(table, 1, 0), QStringLiteral("c\u2029d"));
    EXPECT_EQ(cellText(table, 1, 2), QStringLiteral("f"));
    EXPECT_EQ(doc.begin().text(), QStringLiteral("before"));
    EXPECT_EQ(doc.lastBlock().text(), QStringLiteral("after"));
    EXPECT_EQ(QTextCursor(doc.lastBlock()).currentTable(), nullptr);
}

TEST(RtfReader, MergedCells)
{
    QTextDocument doc;
    ASSERT_TRUE(
        readRtf("{\\rtf1\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\cellx3000\\intbl wide\\cell\\cell "
                "c\\cell\\row"
                "\\trowd\\clvmgf\\cellx1000\\cellx2000\\cellx3000\\intbl tall\\cell x\\cell y\\cell\\row"
                "\\trowd\\clvmrg\\cellx1000\\cellx2000\\cellx3000\\intbl\\cell z\\cell w\\cell\\row}",
                &doc)
            .ok);
    QTextTable *table = firstTable(doc);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows(), 3);
    ASSERT_EQ(table->columns(), 3);
    EXPECT_EQ(table->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(table, 0, 0), QStringLiteral("wide"));
    EXPECT_EQ(cellText(table, 0, 2), QStringLiteral("c"));
    EXPECT_EQ(table->cellAt(1, 0).rowSpan(), 2);
    EXPECT_EQ(cellText(table, 1, 0), QStringLiteral("tall"));
    EXPECT_EQ(cellText(table, 2, 1), QStringLiteral("z"));
    EXPECT_EQ(cellText(table, 2, 2), QStringLiteral("w"));
}

TEST(RtfReader, Pictures)
{
    const QByteArray png = pngHex(20, 10);
    const QByteArray jpeg = pngHex(8, 8, "JPG");
    QTextDocument doc;
    ASSERT_TRUE(
        readRtf("{\\rtf1 a{\\pict\\pngblip\\picw20\\pich10\\picwgoal1500\\pichgoal750\\picscalex50 " + png +
                    "}b{\\*\\shppict{\\pict\\jpegblip\\picw8\\pich8 " + jpeg +
                    "}}{\\nonshppict{\\pict\\wmetafile8 0102}}{\\pict\\emfblip 0102}{\\pict\\pngblip 0011}c"
                    "{\\pict\\pngblip\\picwgoal600 " +
                    png + "}}",
                &doc)
            .ok);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("a\ufffcb\ufffcc\ufffc"));
    const auto found = images(doc);
    ASSERT_EQ(found.size(), 3);
    const struct {
        double width, height;
    } sizes[] = {{50, 50}, {8, 8}, {40, 20}}; // goal and scale; the pixels; one goal, proportions kept
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(found[i].width(), sizes[i].width) << i;
        EXPECT_DOUBLE_EQ(found[i].height(), sizes[i].height) << i;
        EXPECT_FALSE(
            doc.resource(QTextDocument::ImageResource, QUrl(found[i].name())).value<QImage>().isNull());
    }
}

TEST(RtfReader, PageLayout)
{
    QTextDocument doc;
    ASSERT_TRUE(
        readRtf("{\\rtf1\\paperw16838\\paperh11906\\margl567\\margr567\\margt850\\margb850 x}", &doc).ok);
    const auto page = rtfPageLayout(doc);
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->pageSize().id(), QPageSize::A4);
    EXPECT_EQ(page->orientation(), QPageLayout::Landscape);
    EXPECT_NEAR(page->margins(QPageLayout::Point).left(), 28.35, 0.01);
    EXPECT_NEAR(page->margins(QPageLayout::Point).top(), 42.5, 0.01);

    ASSERT_TRUE(readRtf("{\\rtf1 y}", &doc).ok);
    EXPECT_FALSE(rtfPageLayout(doc).has_value()) << "a page of an earlier file was kept";
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("y"));
}

TEST(RtfReader, DamagedFilesAreRefused)
{
    const QString notRtf = QStringLiteral("Файлът не е във формат RTF.");
    const QString unclosed = QStringLiteral("Файлът RTF е повреден: незатворени групи (файлът е непълен).");
    const QString extra = QStringLiteral("Файлът RTF е повреден: излишни затварящи скоби.");
    const QString deep = QStringLiteral("Файлът RTF е повреден: твърде дълбоко вложени групи.");
    const QString binary =
        QStringLiteral("Файлът RTF е повреден: двоичните данни излизат извън края на файла.");
    QByteArray garbage;
    QRandomGenerator random(7);
    for (int i = 0; i < 4000; ++i)
        garbage.append(char(random.bounded(256)));

    const struct {
        QByteArray rtf;
        QString error;
    } cases[] = {
        {"", notRtf},
        {"hello, world", notRtf},
        {"{\\rtx1 a}", notRtf},
        {garbage, notRtf},
        {"{\\rtf1 {\\b bold", unclosed},
        {"{\\rtf1 a\\", unclosed},
        {"{\\rtf1 a\\'4", unclosed},
        {"{\\rtf1 a}}", extra},
        {"{\\rtf1 a}} {}", extra},
        {"{\\rtf1 \\bin99999999999 x}", binary},
        {"{\\rtf1 \\bin2147483648 x}", binary},
        {"{\\rtf1 {\\*\\x\\bin50 x}}", binary},
        {"{\\rtf1 " + QByteArray(5000, '{') + QByteArray(5000, '}') + "}", deep},
        {"{\\rtf1 " + QByteArray(garbage).replace('{', ' ').replace('}', ' ').replace('\\', ' '), unclosed},
    };
    for (const auto &c : cases) {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("earlier"));
        const RtfResult r = readRtf(c.rtf, &doc);
        EXPECT_FALSE(r.ok) << c.rtf.left(40).toStdString();
        EXPECT_EQ(r.error, c.error) << c.rtf.left(40).toStdString();
        EXPECT_TRUE(doc.isEmpty()) << "half a document was left";
    }

    // Depth just below the limit is fine.
    QTextDocument doc;
    EXPECT_TRUE(readRtf("{\\rtf1 " + QByteArray(998, '{') + "x" + QByteArray(998, '}') + "}", &doc).ok);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("x"));
}

TEST_F(RtfTemplate, EveryCutOfATemplateIsRefused)
{
    const QString path = templatesDir() + QStringLiteral("serv_order_writer.rtf");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "fixture folder missing: " << templatesDir().toStdString();
    const QByteArray whole = file.readAll();
    for (qsizetype cut = 0; cut < whole.size(); cut += 211) {
        const RtfResult r = readRtf(whole.left(cut), &doc);
        EXPECT_FALSE(r.ok) << cut;
        EXPECT_FALSE(r.error.isEmpty()) << cut;
    }
    // ...and the same document object reads the whole file afterwards.
    EXPECT_TRUE(readRtf(whole, &doc).ok);
    EXPECT_EQ(countOf(doc, QStringLiteral("%nomer%")), 3);
}

TEST(RtfReader, UnreadableFile)
{
    QTemporaryDir dir;
    QTextDocument doc;
    const RtfResult r = readRtfFile(dir.filePath(QStringLiteral("липсва.rtf")), &doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("Файлът липсва.rtf не може да бъде отворен."));
}
