#include "documents/cp1251.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace morlenta::documents;

TEST(Cp1251, KnownBytes)
{
    const struct {
        uchar byte;
        char16_t unicode;
    } cases[] = {
        {0x41, u'A'}, {0x80, u'Ђ'},   {0x88, u'€'},   {0x96, u'–'}, {0x97, u'—'}, {0xA1, u'Ў'}, {0xA2, u'ў'},
        {0xA8, u'Ё'}, {0xB8, u'ё'},   {0xB9, u'№'},   {0xC0, u'А'}, {0xDF, u'Я'}, {0xE0, u'а'}, {0xFA, u'ъ'},
        {0xFF, u'я'}, {0xA0, 0x00A0}, {0x98, 0x0098}, {0xB2, u'І'}, {0xBF, u'ї'}, {0xA5, u'Ґ'},
    };
    for (const auto &c : cases)
        EXPECT_EQ(cp1251ToUnicode(c.byte), QChar(c.unicode)) << int(c.byte);
}

TEST(Cp1251, EveryByteSurvivesTheRoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromCp1251(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toCp1251(text), all);
}

TEST(Cp1251, WordsAndMissingCharacters)
{
    EXPECT_EQ(fromCp1251("\xcf\xf0\xee\xf2\xee\xea\xee\xeb \xb9 5"), QStringLiteral("Протокол № 5"));
    EXPECT_EQ(toCp1251(QStringLiteral("Ёж №1")), QByteArray("\xa8\xe6 \xb9"
                                                            "1"));
    // one replacement per character, also for one outside the BMP
    EXPECT_EQ(toCp1251(QStringLiteral("a\u00e9\U0001F600b")), QByteArray("a??b"));
    EXPECT_EQ(toCp1251(QStringLiteral("ü"), '_'), QByteArray("_"));
}

TEST(Cp1251, Utf8Validity)
{
    const struct {
        QByteArray bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {"plain", true},
        {"\xd0\x9f\xd1\x80\xd0\xb8", true}, // При
        {"\xe2\x84\x96", true},             // №
        {"\xf0\x9f\x98\x80", true},         // an emoji
        {"\xcf\xf0\xe8", false},            // При in Windows-1251
        {"\xc0\x80", false},                // overlong NUL
        {"\xe0\x80\xaf", false},            // overlong '/'
        {"\xed\xa0\x80", false},            // a surrogate
        {"\xf4\x90\x80\x80", false},        // above U+10FFFF
        {"\xd0", false},                    // cut short
        {"\x80", false},                    // a lone continuation byte
    };
    for (const auto &c : cases)
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.bytes.toHex().toStdString();
}

TEST(Cp1251, TextFilesDecodeByWhatTheyAre)
{
    EXPECT_EQ(decodeTextFile("\xef\xbb\xbf\xd0\x9f\xd1\x80\xd0\xb8"), QStringLiteral("При"));
    EXPECT_EQ(decodeTextFile("\xd0\x9f\xd1\x80\xd0\xb8"), QStringLiteral("При"));
    EXPECT_EQ(decodeTextFile("\xcf\xf0\xe8 \xb9"), QStringLiteral("При №"));
    EXPECT_EQ(decodeTextFile("ascii"), QStringLiteral("ascii"));
}
