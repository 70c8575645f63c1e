#include "documents/dot_matrix.h"

#include "support/fake_prompt.h"
#include "support/qt_print.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace morlenta;
using namespace morlenta::documents;
using morlenta::test::FakePrompt;

namespace {

QStringList numbered(int n, int width = 10)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QString::number(i).leftJustified(width, QLatin1Char('.'));
    return out;
}

} // namespace

TEST(DotMatrix, SheetsAndFragments)
{
    auto jobs = planPrint(numbered(130), 60, 0);
    ASSERT_EQ(jobs.size(), 3);
    EXPECT_EQ(jobs[0].lines.size(), 60);
    EXPECT_EQ(jobs[2].lines.size(), 10);
    EXPECT_EQ(jobs[0].question, QString());
    EXPECT_EQ(jobs[1].question, QStringLiteral("Поставете лист 2. Продължение?"));
    EXPECT_EQ(jobs[2].question, QStringLiteral("Поставете лист 3. Продължение?"));

    jobs = planPrint({QString(170, QLatin1Char('a')), QStringLiteral("short")}, 0, 80);
    ASSERT_EQ(jobs.size(), 3);
    EXPECT_EQ(jobs[0].question, QStringLiteral("Поставете лист 1 фрагмент 1. Продължение?"));
    EXPECT_EQ(jobs[2].question, QStringLiteral("Поставете лист 1 фрагмент 3. Продължение?"));
    EXPECT_EQ(jobs[2].lines, (QStringList{QString(10, QLatin1Char('a')), QString()}));
    EXPECT_EQ(jobs[0].lines[1], QStringLiteral("short"));

    jobs = planPrint({QStringLiteral("a"), QStringLiteral("b"), QString()}, 0, 0);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs[0].lines.size(), 2);  // the empty last line is not printed
    EXPECT_EQ(jobs[0].question, QString());
    EXPECT_TRUE(planPrint({QString(), QString()}, 0, 40).isEmpty());  // only empty lines: nothing
}

TEST(DotMatrix, FieldsAndPrinterBytes)
{
    EXPECT_EQ(fieldNumber(QStringLiteral(" 60 ")), 60);
    EXPECT_EQ(fieldNumber(QStringLiteral("abc")), 0);
    EXPECT_EQ(fieldNumber(QStringLiteral("-5")), 0);
    EXPECT_EQ(fieldNumber(QStringLiteral("6.5")), 0);
    EXPECT_EQ(printerBytes(QStringLiteral("АБВ")), QByteArray("\x80\x81\x82"));
    EXPECT_EQ(printerBytes(QStringLiteral("№1 я")), QByteArray("\xD5" "1 \xBF"));
    EXPECT_EQ(printerBytes(QStringLiteral("ok\x0e")), QByteArray("ok\x0e"));
}

TEST(DotMatrix, EachFragmentIsWrittenAndSentAndCancelStops)
{
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("lp0"));
    FakePrompt prompt;
    MatrixPrinter printer(prompt, dir.path(), device);
    prompt.expectQuestion(QStringLiteral("Поставете лист 2"), PromptAnswer::Ok);
    ASSERT_TRUE(printer.print({QStringLiteral("Ред 1"), QStringLiteral("Ред 2"), QStringLiteral("Ред 3")}, 2, 0,
                              QStringLiteral("order.prn")));
    QFile sent(device);
    ASSERT_TRUE(sent.open(QIODevice::ReadOnly));
    EXPECT_EQ(sent.readAll(), QByteArray("\x90\xE5\xE4 1\r\n\x90\xE5\xE4 2\r\n\x90\xE5\xE4 3\r\n"));
    QFile last(dir.filePath(QStringLiteral("order.prn")));
    ASSERT_TRUE(last.open(QIODevice::ReadOnly));
    EXPECT_EQ(last.readAll(), QByteArray("\x90\xE5\xE4 3\r\n"));  // made anew for the last fragment

    FakePrompt cancel;
    MatrixPrinter other(cancel, dir.path(), dir.filePath(QStringLiteral("lp1")));
    cancel.expectQuestion(QStringLiteral("фрагмент 1"), PromptAnswer::Cancel);
    EXPECT_FALSE(other.print({QString(100, QLatin1Char('x'))}, 0, 50, QStringLiteral("clima.prn")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("lp1"))));

    FakePrompt broken;
    MatrixPrinter nowhere(broken, dir.path(), dir.filePath(QStringLiteral("no/such/lp")));
    EXPECT_FALSE(nowhere.print({QStringLiteral("x")}, 0, 0, QStringLiteral("order.prn")));
    EXPECT_TRUE(broken.texts().last().startsWith(QStringLiteral("Принтерът ")));
}
