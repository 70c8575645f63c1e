#include "documents/rtf_reader.h"

#include "documents/cp1251.h"
#include "documents/rtf_words.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace morlenta::documents {

namespace {

using rtf::Kw;

constexpr int kMaxDepth = 1000;
constexpr int kMaxColumns = 63;
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
constexpr const char *kPageLayoutProperty = "morlentaRtfPageLayout";

// QTextDocument lengths are pixels at 96 dpi; RTF lengths are twips (1/1440 inch).
constexpr double kTwipsPerPixel = 15.0;

double px(int twips)
{
    return twips / kTwipsPerPixel;
}

QString errNotRtf()
{
    return QStringLiteral("Файлът не е във формат RTF.");
}
QString errUnclosed()
{
    return QStringLiteral("Файлът RTF е повреден: незатворени групи (файлът е непълен).");
}
QString errExtraClose()
{
    return QStringLiteral("Файлът RTF е повреден: излишни затварящи скоби.");
}
QString errTooDeep()
{
    return QStringLiteral("Файлът RTF е повреден: твърде дълбоко вложени групи.");
}
QString errBinary()
{
    return QStringLiteral("Файлът RTF е повреден: двоичните данни излизат извън края на файла.");
}

enum class Dest { Text, Skip, FontTable, ColorTable, Picture, ShapeName };

struct CharState {
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int foreground = 0; // colour table index; 0 is "auto"
    int background = 0;
    int vertical = 0; // 1 superscript, -1 subscript
    bool operator==(const CharState &) const = default;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0;
    int right = 0;
    int firstLine = 0;
    int before = 0;
    int after = 0;
    int lineSpacing = 0;
    bool lineMultiple = false;
    bool inTable = false;
    QList<int> tabs;
};

struct Group {
    Dest dest = Dest::Text;
    CharState chr;
    ParaState para;
    int uc = 1;
    bool inShape = false;
};

struct FontInfo {
    QString name;
    int charset = -1;
    int pitch = 0;
    QFont::StyleHint hint = QFont::AnyStyle;
    bool nameDone = false;
};

enum class Merge { None, First, Next };

struct CellDef {
    int right = 0;
    bool bordered = false;
    Merge across = Merge::None; // with the cells to its right
    Merge down = Merge::None;   // with the cells below
};

struct RowDef {
    QList<CellDef> cells;
    Qt::Alignment align = Qt::AlignLeft;
    int left = 0;
    int padding = -1;
    bool bordered = false;
    int borderColor = 0;
};

struct Picture {
    QByteArray hex;
    QByteArray binary;
    const char *format = nullptr;
    int goalW = 0, goalH = 0, scaleX = 100, scaleY = 100;
    bool inShape = false;
};

enum class BorderTarget { None, Cell, Row, Para };

class Reader {
public:
    Reader(const QByteArray &data, QTextDocument *doc) : m_data(data), m_doc(doc), m_cursor(doc) {}

    QString run(); // empty when the file was read

private:
    Group &top() { return m_groups.back(); }
    const Group &top() const { return m_groups.back(); }
    QString controlWord();
    void controlSymbol(char c);
    void word(Kw kw, bool hasParam, int param);
    void textByte(uchar b);
    void appendChar(QChar c);
    void appendFontChar(QChar c);
    QChar decodeByte(uchar b) const;
    bool closeGroup();

    void flushText();
    void ensureParagraph(bool forceTable = false);
    void ensureInTable();
    void leaveTable();
    void mergeCells();
    void endParagraph(bool pageBreak = false);
    void setBlockFormat(QTextBlockFormat f);
    QTextCharFormat charFormat(const CharState &s) const;
    QTextBlockFormat blockFormat(const ParaState &p) const;
    QTextTableFormat tableFormat() const;
    QColor color(int index) const;
    void finishPicture();
    void storePageLayout();

    const QByteArray &m_data;
    qsizetype m_pos = 0;
    QTextDocument *m_doc;
    QTextCursor m_cursor;
    std::vector<Group> m_groups;
    bool m_ignorable = false; // "\*" seen, the next control word names the destination
    int m_skipFallback = 0;   // characters of a \u fallback still to drop

    int m_codePage = 1252;
    int m_defaultFont = 0;
    int m_defaultTab = 720;
    QHash<int, FontInfo> m_fonts;
    int m_fontInTable = -1;
    QList<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;

    QString m_pending;
    CharState m_pendingState;
    bool m_needBlock = false; // the paragraph mark was seen; the next content starts a new block

    RowDef m_row;
    CellDef m_cell; // the cell being defined, until its \cellx
    BorderTarget m_borderTarget = BorderTarget::None;
    QTextTable *m_table = nullptr;
    bool m_tableBordered = false;
    int m_tableRow = 0;
    int m_tableCol = 0;
    bool m_rowEnded = false;
    QList<int> m_mergeDownFrom; // per column, the row a vertical merge started in
    bool m_cellEnded = false;

    Picture m_pict;
    QString m_shapeProperty;
    int m_shapeLeft = 0, m_shapeTop = 0, m_shapeRight = 0, m_shapeBottom = 0;
    int m_imageCount = 0;
    std::optional<Qt::Alignment> m_shapeAlign; // of the floating picture in the current block

    int m_paperW = 12240, m_paperH = 15840;
    int m_margL = 1800, m_margR = 1800, m_margT = 1440, m_margB = 1440;
    bool m_landscape = false;
    bool m_pageGiven = false;
};

QString Reader::run()
{
    qsizetype start = 0;
    while (start < m_data.size() &&
           (m_data[start] == ' ' || m_data[start] == '\r' || m_data[start] == '\n' || m_data[start] == '\t'))
        ++start;
    if (!m_data.mid(start, 5).startsWith("{\\rtf"))
        return errNotRtf();
    m_pos = start;
    m_colors.append(QColor());
    QTextOption option = m_doc->defaultTextOption();
    option.setTabStopDistance(px(m_defaultTab));
    m_doc->setDefaultTextOption(option);

    const qsizetype size = m_data.size();
    while (m_pos < size) {
        const char c = m_data[m_pos++];
        switch (c) {
        case '{':
            if (m_groups.size() >= size_t(kMaxDepth))
                return errTooDeep();
            m_groups.push_back(m_groups.empty() ? Group{} : Group(top()));
            m_ignorable = false;
            m_skipFallback = 0;
            break;
        case '}':
            if (m_groups.empty())
                return errExtraClose();
            m_ignorable = false;
            m_skipFallback = 0;
            if (!closeGroup()) {
                // The document's own group is closed. What follows is ignored,
                // but a closing brace there means the braces do not match.
                for (; m_pos < size; ++m_pos) {
                    if (m_data[m_pos] == '}')
                        return errExtraClose();
                }
                flushText();
                if (!m_needBlock && !m_table)
                    setBlockFormat(blockFormat(top().para));
                storePageLayout();
                return {};
            }
            break;
        case '\\': {
            if (m_groups.empty())
                return errNotRtf();
            const QString error = controlWord();
            if (!error.isEmpty())
                return error;
            break;
        }
        case '\r':
        case '\n':
        case '\0': break;
        default:
            if (m_groups.empty())
                return errNotRtf();
            m_ignorable = false;
            textByte(uchar(c));
        }
    }
    return errUnclosed();
}

// Pops a group; false when it was the document's own.
bool Reader::closeGroup()
{
    const Dest closed = top().dest;
    if (m_groups.size() == 1)
        return false;
    m_groups.pop_back();
    const Dest parent = top().dest;
    if (closed == Dest::Picture && parent != Dest::Picture)
        finishPicture();
    if (closed == Dest::FontTable && m_fontInTable >= 0 && parent == Dest::FontTable) {
        // a font entry in braces ends here even without its ';'
        m_fonts[m_fontInTable].nameDone = true;
    }
    return true;
}

QString Reader::controlWord()
{
    const qsizetype size = m_data.size();
    if (m_pos >= size)
        return errUnclosed();
    const char first = m_data[m_pos];
    const bool letter = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
    if (!letter) {
        ++m_pos;
        controlSymbol(first);
        return {};
    }
    const qsizetype nameStart = m_pos;
    while (m_pos < size &&
           ((m_data[m_pos] >= 'a' && m_data[m_pos] <= 'z') || (m_data[m_pos] >= 'A' && m_data[m_pos] <= 'Z')))
        ++m_pos;
    const std::string_view name(m_data.constData() + nameStart, size_t(m_pos - nameStart));
    bool hasParam = false;
    bool negative = false;
    qint64 value = 0;
    if (m_pos < size && m_data[m_pos] == '-') {
        negative = true;
        ++m_pos;
    }
    while (m_pos < size && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
        hasParam = true;
        // cap the value, keep reading the digits
        if (value < (qint64(1) << 31))
            value = value * 10 + (m_data[m_pos] - '0');
        ++m_pos;
    }
    if (m_pos < size && m_data[m_pos] == ' ')
        ++m_pos;
    const int param = int(std::clamp<qint64>(negative ? -value : value, -(qint64(1) << 30), qint64(1) << 30));
    const Kw kw = name.size() > 32 ? Kw::Unknown : rtf::keyword(name);

    if (kw == Kw::Bin) {
        // The real count, not the capped parameter: it must stay inside the file.
        const qint64 count = negative ? 0 : value;
        if (count > size - m_pos)
            return errBinary();
        if (top().dest == Dest::Picture)
            m_pict.binary.append(m_data.mid(m_pos, count));
        m_pos += count;
        if (m_skipFallback > 0)
            --m_skipFallback;
        return {};
    }
    if (m_ignorable) {
        m_ignorable = false;
        if (kw != Kw::ShpInst && kw != Kw::ShpPict) {
            top().dest = Dest::Skip;
            return {};
        }
    }
    if (top().dest == Dest::Skip)
        return {};
    // A fallback is made of characters; a control word ends it.
    m_skipFallback = 0;
    word(kw, hasParam, param);
    return {};
}

void Reader::controlSymbol(char c)
{
    if (c == '*') {
        m_ignorable = true;
        return;
    }
    m_ignorable = false;
    if (top().dest == Dest::Skip)
        return;
    switch (c) {
    case '\'': {
        const auto digit = [this](qsizetype at) {
            if (at >= m_data.size())
                return -1;
            const char d = m_data[at];
            if (d >= '0' && d <= '9')
                return d - '0';
            if (d >= 'a' && d <= 'f')
                return d - 'a' + 10;
            if (d >= 'A' && d <= 'F')
                return d - 'A' + 10;
            return -1;
        };
        const int high = digit(m_pos);
        const int low = digit(m_pos + 1);
        if (high < 0 || low < 0)
            return; // the broken escape itself shows nothing
        m_pos += 2;
        textByte(uchar(high * 16 + low));
        return;
    }
    case '~': appendChar(QChar(0x00A0)); return;
    case '-': appendChar(QChar(0x00AD)); return;
    case '_': appendChar(QChar(0x2011)); return;
    case '{':
    case '}':
    case '\\': textByte(uchar(c)); return;
    case '\r':
    case '\n':
        if (top().dest == Dest::Text)
            endParagraph();
        return;
    case '\t': appendChar(QLatin1Char('\t')); return;
    default: return;
    }
}

QChar Reader::decodeByte(uchar b) const
{
    int font = top().chr.font;
    if (top().dest == Dest::FontTable)
        font = m_fontInTable;
    if (font < 0)
        font = m_defaultFont;
    const auto it = m_fonts.constFind(font);
    const int charset = it == m_fonts.cend() ? -1 : it->charset;
    if (charset == 204 || m_codePage == 1251)
        return cp1251ToUnicode(b);
    return rtf::cp1252ToUnicode(b);
}

void Reader::textByte(uchar b)
{
    const Dest dest = top().dest;
    if ((dest == Dest::Text || dest == Dest::FontTable) && m_skipFallback > 0) {
        --m_skipFallback;
        return;
    }
    switch (dest) {
    case Dest::Skip: return;
    case Dest::FontTable:
        if (m_fontInTable < 0)
            return;
        if (b == ';')
            m_fonts[m_fontInTable].nameDone = true;
        else
            appendFontChar(decodeByte(b));
        return;
    case Dest::ColorTable:
        if (b == ';') {
            const bool given = m_red >= 0 || m_green >= 0 || m_blue >= 0;
            m_colors.append(given ? QColor(std::clamp(m_red, 0, 255), std::clamp(m_green, 0, 255),
                                           std::clamp(m_blue, 0, 255))
                                  : QColor());
            m_red = m_green = m_blue = -1;
        }
        return;
    case Dest::Picture: {
        const bool hex = (b >= '0' && b <= '9') || (b >= 'a' && b <= 'f') || (b >= 'A' && b <= 'F');
        if (hex)
            m_pict.hex.append(char(b));
        return;
    }
    case Dest::ShapeName: m_shapeProperty.append(QLatin1Char(char(b))); return;
    case Dest::Text: break;
    }
    if (b == '\t') {
        appendChar(QLatin1Char('\t'));
        return;
    }
    appendChar(b < 0x80 ? QLatin1Char(char(b)) : decodeByte(b));
}

void Reader::appendFontChar(QChar c)
{
    FontInfo &font = m_fonts[m_fontInTable];
    if (!font.nameDone)
        font.name.append(c);
}

void Reader::appendChar(QChar c)
{
    const Dest dest = top().dest;
    if (dest == Dest::FontTable) {
        if (m_fontInTable >= 0)
            appendFontChar(c);
        return;
    }
    if (dest != Dest::Text)
        return;
    if (m_skipFallback > 0) {
        --m_skipFallback;
        return;
    }
    if (top().chr.hidden)
        return;
    ensureParagraph();
    if (!m_pending.isEmpty() && !(m_pendingState == top().chr))
        flushText();
    if (m_pending.isEmpty())
        m_pendingState = top().chr;
    m_pending.append(c);
}

void Reader::flushText()
{
    if (m_pending.isEmpty())
        return;
    m_cursor.insertText(m_pending, charFormat(m_pendingState));
    m_pending.clear();
}

QColor Reader::color(int index) const
{
    return index > 0 && index < m_colors.size() ? m_colors.at(index) : QColor();
}

QTextCharFormat Reader::charFormat(const CharState &s) const
{
    QTextCharFormat f;
    const auto font = m_fonts.constFind(s.font < 0 ? m_defaultFont : s.font);
    if (font != m_fonts.cend() && !font->name.trimmed().isEmpty()) {
        f.setFontFamilies(QStringList{font->name.trimmed()});
        if (font->pitch == 1) {
            f.setFontFixedPitch(true);
            f.setFontStyleHint(QFont::TypeWriter);
        } else if (font->hint != QFont::AnyStyle) {
            f.setFontStyleHint(font->hint);
        }
    }
    f.setFontPointSize(std::clamp(s.halfPoints, 2, 3276) / 2.0);
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    f.setFontStrikeOut(s.strike);
    if (const QColor c = color(s.foreground); c.isValid())
        f.setForeground(c);
    if (const QColor c = color(s.background); c.isValid())
        f.setBackground(c);
    if (s.vertical != 0)
        f.setVerticalAlignment(s.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                              : QTextCharFormat::AlignSubScript);
    return f;
}

QTextBlockFormat Reader::blockFormat(const ParaState &p) const
{
    QTextBlockFormat f;
    f.setAlignment(p.align);
    f.setLeftMargin(px(p.left));
    f.setRightMargin(px(p.right));
    f.setTextIndent(px(p.firstLine));
    f.setTopMargin(px(p.before));
    f.setBottomMargin(px(p.after));
    if (p.lineSpacing != 0) {
        if (p.lineMultiple)
            f.setLineHeight(std::abs(p.lineSpacing) * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (p.lineSpacing > 0)
            f.setLineHeight(px(p.lineSpacing), QTextBlockFormat::MinimumHeight);
        else
            f.setLineHeight(px(-p.lineSpacing), QTextBlockFormat::FixedHeight);
    }
    if (!p.tabs.isEmpty()) {
        QList<QTextOption::Tab> tabs;
        for (const int t : p.tabs)
            tabs.append(QTextOption::Tab(px(t), QTextOption::LeftTab));
        f.setTabPositions(tabs);
    }
    return f;
}

QTextTableFormat Reader::tableFormat() const
{
    QTextTableFormat f;
    f.setCellSpacing(0);
    f.setCellPadding(px(m_row.padding >= 0 ? m_row.padding : 108));
    f.setAlignment(m_row.align);
    f.setBorderCollapse(true);
    f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    const QColor border = color(m_row.borderColor);
    f.setBorderBrush(border.isValid() ? border : QColor(Qt::black));
    f.setBorder(m_tableBordered ? 1 : 0);
    QList<QTextLength> widths;
    int left = m_row.left;
    for (const CellDef &cell : m_row.cells) {
        if (widths.size() == kMaxColumns)
            break;
        widths.append(QTextLength(QTextLength::FixedLength, px(std::max(cell.right - left, 15))));
        left = std::max(left, cell.right);
    }
    f.setColumnWidthConstraints(widths);
    return f;
}

void Reader::ensureParagraph(bool forceTable)
{
    if (forceTable || top().para.inTable)
        ensureInTable();
    else if (m_table)
        leaveTable();
    if (m_needBlock) {
        flushText();
        m_cursor.insertBlock();
        m_needBlock = false;
        m_shapeAlign.reset();
    }
}

void Reader::ensureInTable()
{
    const auto rowBordered = [this] {
        return m_row.bordered || std::any_of(m_row.cells.cbegin(), m_row.cells.cend(),
                                             [](const CellDef &c) { return c.bordered; });
    };
    if (!m_table) {
        flushText();
        // The paragraph before stays as it is: inserting the table starts a block of its own.
        m_needBlock = false;
        m_tableBordered = rowBordered();
        const int columns = std::clamp(int(m_row.cells.size()), 1, kMaxColumns);
        m_table = m_cursor.insertTable(1, columns, tableFormat());
        m_mergeDownFrom.clear();
        m_tableRow = m_tableCol = 0;
        m_rowEnded = m_cellEnded = false;
        m_cursor = m_table->cellAt(0, 0).firstCursorPosition();
        return;
    }
    if (m_rowEnded) {
        flushText();
        m_table->appendRows(1);
        m_tableRow = m_table->rows() - 1;
        m_tableCol = 0;
        m_rowEnded = m_cellEnded = false;
        const int wanted = std::min(int(m_row.cells.size()), kMaxColumns);
        if (wanted > m_table->columns())
            m_table->appendColumns(wanted - m_table->columns());
        if (!m_tableBordered && rowBordered()) {
            m_tableBordered = true;
            QTextTableFormat f = m_table->format();
            f.setBorder(1);
            m_table->setFormat(f);
        }
        m_cursor = m_table->cellAt(m_tableRow, 0).firstCursorPosition();
        m_needBlock = false;
    } else if (m_cellEnded) {
        flushText();
        m_cellEnded = false;
        if (m_tableCol + 1 >= m_table->columns() && m_table->columns() < kMaxColumns)
            m_table->appendColumns(1);
        // Beyond the last column the text joins the last cell rather than being lost.
        m_tableCol = std::min(m_tableCol + 1, m_table->columns() - 1);
        m_cursor = m_table->cellAt(m_tableRow, m_tableCol).lastCursorPosition();
        m_needBlock = m_cursor.block().length() > 1;
    }
}

// Merges the row just ended as its cell definitions ask.
void Reader::mergeCells()
{
    const int columns = std::min(int(m_row.cells.size()), m_table->columns());
    int from = -1;
    for (int i = 0; i <= columns; ++i) {
        const Merge across = i < columns ? m_row.cells[i].across : Merge::None;
        if (across == Merge::Next && from >= 0)
            continue;
        if (from >= 0 && i - from > 1)
            m_table->mergeCells(m_tableRow, from, 1, i - from);
        from = across == Merge::First ? i : -1;
    }
    m_mergeDownFrom.resize(m_table->columns(), -1);
    for (int i = 0; i < columns; ++i) {
        const Merge down = m_row.cells[i].down;
        if (down == Merge::First) {
            m_mergeDownFrom[i] = m_tableRow;
        } else if (down == Merge::Next && m_mergeDownFrom[i] >= 0) {
            const int start = m_mergeDownFrom[i];
            m_table->mergeCells(start, i, m_tableRow - start + 1, m_table->cellAt(start, i).columnSpan());
        } else {
            m_mergeDownFrom[i] = -1;
        }
    }
}

void Reader::leaveTable()
{
    flushText();
    m_cursor.setPosition(m_table->lastPosition() + 1);
    m_table = nullptr;
    m_needBlock = false;
}

void Reader::endParagraph(bool pageBreak)
{
    ensureParagraph();
    flushText();
    QTextBlockFormat f = blockFormat(top().para);
    if (pageBreak)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysAfter);
    setBlockFormat(f);
    if (m_cursor.block().length() <= 1)
        m_cursor.setBlockCharFormat(charFormat(top().chr));
    m_needBlock = true;
}

void Reader::setBlockFormat(QTextBlockFormat f)
{
    // A floating picture alone in its paragraph keeps its side of the page,
    // as far as an inline picture can.
    if (m_shapeAlign) {
        const QString text = m_cursor.block().text();
        if (std::all_of(text.cbegin(), text.cend(),
                        [](QChar c) { return c == QChar::ObjectReplacementCharacter; }))
            f.setAlignment(*m_shapeAlign);
        m_shapeAlign.reset();
    }
    m_cursor.setBlockFormat(f);
}

void Reader::finishPicture()
{
    const Picture p = std::exchange(m_pict, Picture{});
    if (!p.format)
        return;
    QByteArray bytes = p.binary;
    if (bytes.isEmpty()) {
        QByteArray hex = p.hex;
        if (hex.size() % 2)
            hex.chop(1);
        bytes = QByteArray::fromHex(hex);
    }
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes, p.format))
        return;
    // The shown size: the goal size, else the shape's box, else the pixels at
    // 96 dpi; a missing side keeps the picture's proportions.
    double w = p.goalW > 0 ? px(p.goalW) : 0;
    double h = p.goalH > 0 ? px(p.goalH) : 0;
    if (p.inShape && m_shapeRight > m_shapeLeft && m_shapeBottom > m_shapeTop) {
        if (w <= 0)
            w = px(m_shapeRight - m_shapeLeft);
        if (h <= 0)
            h = px(m_shapeBottom - m_shapeTop);
    }
    if (w <= 0 && h <= 0) {
        w = image.width();
        h = image.height();
    } else if (w <= 0) {
        w = h * image.width() / image.height();
    } else if (h <= 0) {
        h = w * image.height() / image.width();
    }
    w = std::clamp(w * std::clamp(p.scaleX, 1, 1000) / 100.0, 1.0, 10000.0);
    h = std::clamp(h * std::clamp(p.scaleY, 1, 1000) / 100.0, 1.0, 10000.0);

    const QString name = QStringLiteral("rtfimage:%1").arg(++m_imageCount);
    m_doc->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat f;
    f.setName(name);
    f.setWidth(w);
    f.setHeight(h);
    ensureParagraph();
    flushText();
    m_cursor.insertImage(f);
    if (p.inShape) {
        const int textWidth = std::max(m_paperW - m_margL - m_margR, 1);
        const double centre = (m_shapeLeft + m_shapeRight) / 2.0 / textWidth;
        m_shapeAlign = centre < 1 / 3.0   ? Qt::AlignLeft
                       : centre > 2 / 3.0 ? Qt::AlignRight
                                          : Qt::AlignHCenter;
    }
}

void Reader::storePageLayout()
{
    m_doc->setProperty(kPageLayoutProperty, QVariant());
    if (!m_pageGiven)
        return;
    int w = m_paperW, h = m_paperH;
    const bool landscape = m_landscape || w > h;
    if (w > h)
        std::swap(w, h);
    if (w < 1440 || h > 31680 * 2)
        return;
    QMarginsF margins(std::max(m_margL, 0) / 20.0, std::max(m_margT, 0) / 20.0, std::max(m_margR, 0) / 20.0,
                      std::max(m_margB, 0) / 20.0);
    const double pageW = (landscape ? h : w) / 20.0;
    const double pageH = (landscape ? w : h) / 20.0;
    if (margins.left() + margins.right() >= pageW || margins.top() + margins.bottom() >= pageH)
        margins = QMarginsF();
    const QPageLayout layout(QPageSize(QSizeF(w / 20.0, h / 20.0), QPageSize::Point),
                             landscape ? QPageLayout::Landscape : QPageLayout::Portrait, margins,
                             QPageLayout::Point);
    m_doc->setProperty(kPageLayoutProperty, QVariant::fromValue(layout));
}

void Reader::word(Kw kw, bool hasParam, int param)
{
    Group &g = top();
    CharState &c = g.chr;
    ParaState &p = g.para;
    const bool on = !hasParam || param != 0;

    if (g.dest == Dest::FontTable) {
        switch (kw) {
        case Kw::F:
            m_fontInTable = param;
            m_fonts[param] = FontInfo{};
            return;
        case Kw::Fcharset:
            if (m_fontInTable >= 0)
                m_fonts[m_fontInTable].charset = param;
            return;
        case Kw::Fprq:
            if (m_fontInTable >= 0)
                m_fonts[m_fontInTable].pitch = param;
            return;
        case Kw::Froman:
        case Kw::Fswiss:
        case Kw::Fmodern:
        case Kw::Fscript:
        case Kw::Fdecor:
            if (m_fontInTable >= 0) {
                static const QHash<int, QFont::StyleHint> hints = {{int(Kw::Froman), QFont::Serif},
                                                                   {int(Kw::Fswiss), QFont::SansSerif},
                                                                   {int(Kw::Fmodern), QFont::TypeWriter},
                                                                   {int(Kw::Fscript), QFont::Cursive},
                                                                   {int(Kw::Fdecor), QFont::Decorative}};
                m_fonts[m_fontInTable].hint = hints.value(int(kw));
            }
            return;
        case Kw::U:
        case Kw::Uc:
        case Kw::SkipDest: break;
        default: return;
        }
    }
    if (g.dest == Dest::ColorTable) {
        switch (kw) {
        case Kw::Red: m_red = param; return;
        case Kw::Green: m_green = param; return;
        case Kw::Blue: m_blue = param; return;
        default: return;
        }
    }
    if (g.dest == Dest::Picture) {
        switch (kw) {
        case Kw::PngBlip: m_pict.format = "PNG"; return;
        case Kw::JpegBlip: m_pict.format = "JPG"; return;
        case Kw::OtherBlip: m_pict.format = nullptr; return;
        case Kw::PicWGoal: m_pict.goalW = param; return;
        case Kw::PicHGoal: m_pict.goalH = param; return;
        case Kw::PicScaleX: m_pict.scaleX = param; return;
        case Kw::PicScaleY: m_pict.scaleY = param; return;
        default: return;
        }
    }

    switch (kw) {
    case Kw::Unknown: return;
    case Kw::SkipDest: g.dest = Dest::Skip; return;
    case Kw::FontTable:
        g.dest = Dest::FontTable;
        m_fontInTable = -1;
        return;
    case Kw::ColorTable:
        g.dest = Dest::ColorTable;
        m_colors.clear();
        return;
    case Kw::Pict:
        flushText();
        m_pict = Picture{};
        m_pict.inShape = g.inShape;
        g.dest = Dest::Picture;
        return;
    case Kw::Shp:
        g.inShape = true;
        m_shapeLeft = m_shapeTop = m_shapeRight = m_shapeBottom = 0;
        return;
    case Kw::ShpInst:
    case Kw::ShpPict: return;
    case Kw::Sp: m_shapeProperty.clear(); return;
    case Kw::Sn:
        m_shapeProperty.clear();
        g.dest = Dest::ShapeName;
        return;
    case Kw::Sv:
        // Only the shape's own picture is shown; fills, lines and the like are not.
        g.dest = m_shapeProperty.trimmed() == QStringLiteral("pib") ? Dest::Text : Dest::Skip;
        return;
    case Kw::ShpLeft: m_shapeLeft = param; return;
    case Kw::ShpTop: m_shapeTop = param; return;
    case Kw::ShpRight: m_shapeRight = param; return;
    case Kw::ShpBottom: m_shapeBottom = param; return;

    case Kw::Ansicpg: m_codePage = param; return;
    case Kw::Deff: m_defaultFont = param; return;
    case Kw::Deftab:
        if (param > 0) {
            m_defaultTab = std::min(param, 31680);
            QTextOption option = m_doc->defaultTextOption();
            option.setTabStopDistance(px(m_defaultTab));
            m_doc->setDefaultTextOption(option);
        }
        return;
    case Kw::PaperW: m_paperW = param, m_pageGiven = true; return;
    case Kw::PaperH: m_paperH = param, m_pageGiven = true; return;
    case Kw::MargL: m_margL = param, m_pageGiven = true; return;
    case Kw::MargR: m_margR = param, m_pageGiven = true; return;
    case Kw::MargT: m_margT = param, m_pageGiven = true; return;
    case Kw::MargB: m_margB = param, m_pageGiven = true; return;
    case Kw::Landscape: m_landscape = true; return;
    case Kw::U: {
        const int code = param < 0 ? param + 65536 : param;
        if (code > 0 && code <= 0xFFFF)
            appendChar(QChar(char16_t(code)));
        m_skipFallback = g.uc;
        return;
    }
    case Kw::Uc: g.uc = std::clamp(param, 0, 16); return;

    case Kw::Plain: c = CharState{}; return;
    case Kw::F: c.font = param; return;
    case Kw::Fs: c.halfPoints = hasParam && param > 0 ? param : 24; return;
    case Kw::B: c.bold = on; return;
    case Kw::I: c.italic = on; return;
    case Kw::Ul: c.underline = on; return;
    case Kw::UlNone: c.underline = false; return;
    case Kw::Strike: c.strike = on; return;
    case Kw::Cf: c.foreground = param; return;
    case Kw::Cb:
    case Kw::Highlight: c.background = param; return;
    case Kw::V: c.hidden = on; return;
    case Kw::Super: c.vertical = 1; return;
    case Kw::Sub: c.vertical = -1; return;
    case Kw::NoSuperSub: c.vertical = 0; return;

    case Kw::Pard: p = ParaState{}; return;
    case Kw::Ql: p.align = Qt::AlignLeft; return;
    case Kw::Qc: p.align = Qt::AlignHCenter; return;
    case Kw::Qr: p.align = Qt::AlignRight; return;
    case Kw::Qj: p.align = Qt::AlignJustify; return;
    case Kw::Li: p.left = std::clamp(param, -31680, 31680); return;
    case Kw::Ri: p.right = std::clamp(param, -31680, 31680); return;
    case Kw::Fi: p.firstLine = std::clamp(param, -31680, 31680); return;
    case Kw::Sb: p.before = std::clamp(param, 0, 31680); return;
    case Kw::Sa: p.after = std::clamp(param, 0, 31680); return;
    case Kw::Sl: p.lineSpacing = std::clamp(param, -31680, 31680); return;
    case Kw::SlMult: p.lineMultiple = on; return;
    case Kw::Tx:
        if (p.tabs.size() < 64)
            p.tabs.append(std::clamp(param, 0, 31680));
        return;
    case Kw::InTbl: p.inTable = true; return;
    case Kw::Par: endParagraph(); return;
    case Kw::Page: endParagraph(true); return;
    case Kw::Line: appendChar(QChar::LineSeparator); return;
    case Kw::Tab:
    case Kw::NestCell: appendChar(QLatin1Char('\t')); return;
    case Kw::NestRow: appendChar(QChar::LineSeparator); return;

    case Kw::Trowd:
        m_row = RowDef{};
        m_cell = CellDef{};
        m_borderTarget = BorderTarget::None;
        return;
    case Kw::Cellx:
        if (m_row.cells.size() < kMaxColumns)
            m_row.cells.append(CellDef{param, m_cell.bordered, m_cell.across, m_cell.down});
        m_cell = CellDef{};
        m_borderTarget = BorderTarget::None;
        return;
    case Kw::Trql: m_row.align = Qt::AlignLeft; return;
    case Kw::Trqc: m_row.align = Qt::AlignHCenter; return;
    case Kw::Trqr: m_row.align = Qt::AlignRight; return;
    case Kw::Trleft: m_row.left = param; return;
    case Kw::Trgaph:
        if (m_row.padding < 0)
            m_row.padding = std::clamp(param, 0, 1440);
        return;
    case Kw::Trpaddl:
    case Kw::Clpadl:
        if (param > 0)
            m_row.padding = std::clamp(param, 0, 1440);
        return;
    case Kw::CellBorder: m_borderTarget = BorderTarget::Cell; return;
    case Kw::RowBorder: m_borderTarget = BorderTarget::Row; return;
    case Kw::ParaBorder: m_borderTarget = BorderTarget::Para; return;
    case Kw::BorderStyle:
        if (m_borderTarget == BorderTarget::Cell)
            m_cell.bordered = true;
        else if (m_borderTarget == BorderTarget::Row)
            m_row.bordered = true;
        return;
    case Kw::BorderNone: return;
    case Kw::BorderColor:
        if (m_borderTarget == BorderTarget::Cell || m_borderTarget == BorderTarget::Row)
            m_row.borderColor = param;
        return;
    case Kw::Cell:
        ensureParagraph(true);
        flushText();
        setBlockFormat(blockFormat(p));
        m_cellEnded = true;
        m_needBlock = false;
        return;
    case Kw::Row:
        if (m_table) {
            flushText();
            mergeCells();
            m_rowEnded = true;
            m_cellEnded = false;
        }
        return;
    case Kw::Clmgf: m_cell.across = Merge::First; return;
    case Kw::Clmrg: m_cell.across = Merge::Next; return;
    case Kw::Clvmgf: m_cell.down = Merge::First; return;
    case Kw::Clvmrg: m_cell.down = Merge::Next; return;

    case Kw::Emdash: appendChar(QChar(0x2014)); return;
    case Kw::Endash: appendChar(QChar(0x2013)); return;
    case Kw::Bullet: appendChar(QChar(0x2022)); return;
    case Kw::Lquote: appendChar(QChar(0x2018)); return;
    case Kw::Rquote: appendChar(QChar(0x2019)); return;
    case Kw::Ldblquote: appendChar(QChar(0x201C)); return;
    case Kw::Rdblquote: appendChar(QChar(0x201D)); return;
    case Kw::Emspace: appendChar(QChar(0x2003)); return;
    case Kw::Enspace: appendChar(QChar(0x2002)); return;

    default: return;
    }
}

} // namespace

RtfResult readRtf(const QByteArray &rtf, QTextDocument *doc)
{
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    // The file's margins are the page's; no extra margin around the text.
    doc->setDocumentMargin(0);
    doc->setProperty(kPageLayoutProperty, QVariant());
    RtfResult result;
    {
        Reader reader(rtf, doc);
        result.error = reader.run();
    }
    result.ok = result.error.isEmpty();
    if (!result.ok) {
        doc->clear();
        doc->setProperty(kPageLayoutProperty, QVariant());
    }
    doc->setUndoRedoEnabled(undo);
    return result;
}

RtfResult readRtfFile(const QString &path, QTextDocument *doc)
{
    QFile file(path);
    const QString shown = QFileInfo(path).fileName();
    if (!file.open(QIODevice::ReadOnly))
        return {false, QStringLiteral("Файлът %1 не може да бъде отворен.").arg(shown)};
    if (file.size() > kMaxFileSize)
        return {false, QStringLiteral("Файлът %1 е твърде голям за шаблон.").arg(shown)};
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, QStringLiteral("Файлът %1 не може да бъде прочетен.").arg(shown)};
    return readRtf(data, doc);
}

std::optional<QPageLayout> rtfPageLayout(const QTextDocument &doc)
{
    const QVariant v = doc.property(kPageLayoutProperty);
    if (!v.isValid())
        return std::nullopt;
    return v.value<QPageLayout>();
}

} // namespace morlenta::documents
