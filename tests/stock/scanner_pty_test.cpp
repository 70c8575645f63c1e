// The scanner used for real: a pseudo-terminal pair made by socat stands for
// the serial cable; what is written into one end arrives as a scan.

#include "common/local_settings.h"
#include "common/rights.h"
#include "common/session.h"
#include "platform/barcode_scanner.h"
#include "platform/data_grid.h"
#include "stock/tsr_parts.h"

#include "support/db_fixture.h"
#include "support/fake_prompt.h"
#include "tests/stock/stock_fixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace morlenta;
using namespace morlenta::stock;
using morlenta::test::DbTest;
using morlenta::test::FakePrompt;

namespace {

// Two linked pseudo-terminals: the program opens `port`, the test writes into `cable`.
class PtyPair {
public:
    bool start(const QString &folder)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty())
            return false;
        const QString tag = QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
                            QString::number(++serial_);
        port = folder + QStringLiteral("/scanner-") + tag;
        cable = folder + QStringLiteral("/cable-") + tag;
        socat_.start(QStringLiteral("socat"), {QStringLiteral("pty,raw,echo=0,link=") + port,
                                               QStringLiteral("pty,raw,echo=0,link=") + cable});
        if (!socat_.waitForStarted(5000))
            return false;
        for (int i = 0; i < 100 && !(QFileInfo::exists(port) && QFileInfo::exists(cable)); ++i)
            QTest::qWait(50);
        return QFileInfo::exists(port) && QFileInfo::exists(cable);
    }
    ~PtyPair()
    {
        socat_.terminate();
        socat_.waitForFinished(3000);
    }
    void write(const QByteArray &bytes)
    {
        QFile f(cable);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QString port, cable;

private:
    QProcess socat_;
    static inline int serial_ = 0;
};

class ScannerPtyTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        session.db = &db();
        session.prompt = &prompt;
        session.settings = &settings();
        session.rights = administratorRights();
        const qint64 type = test::addType(db(), QStringLiteral("Дисплей"));
        const qint64 brand = test::addBrand(db(), QStringLiteral("Нокия"));
        lcd =
            test::addPart(db(), QStringLiteral("LCD 3310"), type, brand, QStringLiteral("4006381333931"), 2);
        glass = test::addPart(db(), QStringLiteral("Стъкло"), type, brand, QStringLiteral("590000000001"), 1);
        settings().setValue(QLatin1String(Local::UseBarcodeScanner), true);
    }
    bool activate(QWidget &w)
    {
        w.show();
        w.activateWindow();
        return QTest::qWaitForWindowActive(&w);
    }

    FakePrompt prompt;
    Session session;
    qint64 lcd = 0, glass = 0;
};

} // namespace

TEST_P(ScannerPtyTest, CodesFromTheSerialLineSelectTheArticle)
{
    PtyPair pty;
    if (!pty.start(tempPath(QString())))
        GTEST_SKIP() << "socat is not installed";
    ScannerSettings line;
    line.port = pty.port;
    line.save(settings());
    BarcodeScanner scanner(settings());
    TsrParts w(session, &scanner);
    ASSERT_TRUE(activate(w));
    QTRY_VERIFY(scanner.isOpen());

    pty.write("590000000001\r\n");
    QTRY_COMPARE(w.currentId(), glass);

    // The line end in a chunk of its own, and a 14-character code cut to 13.
    pty.write("4006381333931\r");
    QTest::qWait(60);
    pty.write("\n");
    QTRY_COMPARE(w.currentId(), lcd);
    pty.write("590000000001\r\n");
    QTRY_COMPARE(w.currentId(), glass);
    pty.write("40063813339319\r\n");
    QTRY_COMPARE(w.currentId(), lcd);

    // Garbage is ignored; 200 characters are one unknown code of 13.
    QStringList scanned;
    QObject::connect(&scanner, &BarcodeScanner::codeScanned, [&](const QString &c) { scanned << c; });
    pty.write(QByteArray("\xff\xfe\x01\x80", 4) + "\r\n");
    prompt.expectQuestion(QStringLiteral("Този баркод не е намерен"), PromptAnswer::Yes);
    pty.write(QByteArray(200, '9') + "\r\n");
    QTRY_COMPARE(scanned, QStringList{QStringLiteral("9999999999999")});
    ASSERT_TRUE(w.editing());
    EXPECT_EQ(w.dbBarcode->text(), QStringLiteral("9999999999999"));
    EXPECT_EQ(prompt.records().size(), 1);

    // Open exactly while the window is active.
    w.hide();
    EXPECT_FALSE(scanner.isOpen());
}

TEST_P(ScannerPtyTest, APortThatCannotBeOpenedIsIgnoredInTheWindows)
{
    ScannerSettings line;
    line.port = tempPath(QStringLiteral("no-such-port"));
    line.save(settings());
    BarcodeScanner scanner(settings());
    TsrParts w(session, &scanner);
    ASSERT_TRUE(activate(w));
    EXPECT_FALSE(scanner.isOpen());
    EXPECT_TRUE(prompt.records().isEmpty());
    EXPECT_EQ(w.grid->rowCount(), 2);

    // The settings window's port setup says why.
    EXPECT_FALSE(scanner.openReporting(prompt));
    ASSERT_EQ(prompt.records().size(), 1);
    EXPECT_EQ(prompt.records().last().text, QStringLiteral("Този COM-порт се използва от друга програма!"));
    EXPECT_EQ(prompt.records().last().caption, QStringLiteral("Съобщение"));
}

TEST_P(ScannerPtyTest, ScanningSwitchedOffLeavesThePortClosed)
{
    PtyPair pty;
    if (!pty.start(tempPath(QString())))
        GTEST_SKIP() << "socat is not installed";
    ScannerSettings line;
    line.port = pty.port;
    line.save(settings());
    settings().setValue(QLatin1String(Local::UseBarcodeScanner), false);
    BarcodeScanner scanner(settings());
    TsrParts w(session, &scanner);
    ASSERT_TRUE(activate(w));
    QTest::qWait(50);
    EXPECT_FALSE(scanner.isOpen());
    EXPECT_TRUE(scanner.open()) << "the same line opens when asked";
}

MORLENTA_ON_BOTH_ENGINES(ScannerPtyTest);
