#include "stock/barcode_reader.h"

#include "common/local_settings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace morlenta;
using namespace morlenta::stock;

TEST(BarcodeAssembler, ChunksBecomeCodes)
{
    struct Case {
        const char *name;
        QList<QByteArray> chunks;
        QStringList codes; // after the last chunk
        QByteArray pending;
    };
    const QList<Case> cases = {
        {"CR LF at the end", {"4006381333931\r\n"}, {QStringLiteral("4006381333931")}, ""},
        {"split anywhere", {"400", "6381", "333931\r", "\n"}, {QStringLiteral("4006381333931")}, ""},
        {"a lone LF after the CR", {"ABC-12\r", "\n"}, {QStringLiteral("ABC-12")}, ""},
        {"no line end yet", {"12345\r"}, {}, "12345\r"},
        {"14 characters keep 13", {"12345678901234\r\n"}, {QStringLiteral("1234567890123")}, ""},
        {"200 characters keep 13", {QByteArray(200, '7') + "\r\n"}, {QStringLiteral("7777777777777")}, ""},
        {"two codes in one chunk", {"111\r\n222\r\n"}, {QStringLiteral("111"), QStringLiteral("222")}, ""},
        {"LF alone ends a code too", {"A1\n"}, {QStringLiteral("A1")}, ""},
        {"empty lines are nothing", {"\r\n", "\n"}, {}, ""},
        {"garbage bytes are dropped", {QByteArray("\x01\xff\xfe\x80", 4) + "\r\n"}, {}, ""},
        {"a control character spoils the line",
         {"12\x1b"
          "34\r\n"},
         {},
         ""},
        {"garbage does not spoil the next code",
         {"\xff\xff\r\n590", "1234\r\n"},
         {QStringLiteral("5901234")},
         ""},
        {"an endless line is dropped to its end",
         {QByteArray(600, 'X'), "123\r\n", "9\r\n"},
         {QStringLiteral("9")},
         ""},
        {"blanks around a code", {"  77 \r\n"}, {QStringLiteral("77")}, ""},
    };
    for (const Case &c : cases) {
        BarcodeAssembler a;
        QStringList codes;
        for (const QByteArray &chunk : c.chunks)
            codes += a.feed(chunk);
        EXPECT_EQ(codes, c.codes) << c.name;
        EXPECT_EQ(a.pending(), c.pending) << c.name;
    }
    BarcodeAssembler a;
    a.feed("123");
    a.clear();
    EXPECT_EQ(a.feed("45\r\n"), QStringList{QStringLiteral("45")}) << "a cleared buffer forgets the start";
}

TEST(ScannerSettings, KeptPerComputerUnderTheSerialLibrarysNames)
{
    QTemporaryDir dir;
    LocalSettings s(dir.filePath(QStringLiteral("Morlenta.conf")));
    EXPECT_FALSE(scannerEnabled(s));
    EXPECT_TRUE(s.contains(QStringLiteral("Use barcode scanner"))) << "written as false when missing";
    const ScannerSettings defaults = ScannerSettings::load(s);
    EXPECT_EQ(defaults.baudRate, 9600);
    EXPECT_EQ(defaults.parity, QStringLiteral("None"));

    ScannerSettings mine;
    mine.port = QStringLiteral("/dev/ttyS1");
    mine.baudRate = 19200;
    mine.dataBits = 7;
    mine.stopBits = 2;
    mine.parity = QStringLiteral("Even");
    mine.flowControl = QStringLiteral("Hardware");
    mine.save(s);
    EXPECT_EQ(s.text(QStringLiteral("Port")), QStringLiteral("/dev/ttyS1"));
    EXPECT_EQ(s.text(QStringLiteral("BaudRate")), QStringLiteral("19200"));
    const ScannerSettings back = ScannerSettings::load(s);
    EXPECT_EQ(back.port, mine.port);
    EXPECT_EQ(back.baudRate, 19200);
    EXPECT_EQ(back.dataBits, 7);
    EXPECT_EQ(back.stopBits, 2);
    EXPECT_EQ(back.parity, QStringLiteral("Even"));
    EXPECT_EQ(back.flowControl, QStringLiteral("Hardware"));

    s.setValue(QStringLiteral("BaudRate"), QStringLiteral("fast"));
    EXPECT_EQ(ScannerSettings::load(s).baudRate, 9600) << "a damaged value falls back";
    s.setValue(QStringLiteral("Use barcode scanner"), true);
    EXPECT_TRUE(scannerEnabled(s));
}
