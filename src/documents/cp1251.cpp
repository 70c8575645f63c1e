#include "documents/cp1251.h"

#include <QList>

#include <array>

namespace morlenta::documents {

namespace {

// 0x80..0xBF; 0xC0..0xFF are А..я in order. 0x98 is unassigned and kept as
// the control character of the same number, so that every byte survives.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

int toByte(char32_t c)
{
    if (c < 0x80)
        return int(c);
    if (c >= 0x0410 && c <= 0x044F)
        return int(c - 0x0410 + 0xC0);
    for (int i = 0; i < int(kHigh.size()); ++i) {
        if (kHigh[size_t(i)] == c)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QChar cp1251ToUnicode(uchar byte)
{
    if (byte < 0x80)
        return QLatin1Char(char(byte));
    if (byte >= 0xC0)
        return QChar(char16_t(0x0410 + (byte - 0xC0)));
    return QChar(kHigh[byte - 0x80]);
}

QString fromCp1251(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes)
        text.append(cp1251ToUnicode(uchar(b)));
    return text;
}

QByteArray toCp1251(const QString &text, char replacement)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const int b = toByte(c);
        bytes.append(b < 0 ? replacement : char(b));
    }
    return bytes;
}

bool isValidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const uchar lead = p[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, cp = lead & 0x1F, min = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F, min = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, cp = lead & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (n - i <= extra)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const uchar cont = p[i + k];
            if ((cont & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cont & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

QString decodeTextFile(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return fromCp1251(bytes);
}

} // namespace morlenta::documents
