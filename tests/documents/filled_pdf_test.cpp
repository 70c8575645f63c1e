#include "documents/document_templates.h"
#include "documents/document_values.h"
#include "documents/rtf_reader.h"
#include "platform/pdf_text.h"
#include "platform/print_page.h"
#include "support/fake_prompt.h"
#include "support/qt_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace morlenta;
using namespace morlenta::documents;
using morlenta::test::FakePrompt;

namespace {

QString fixtures()
{
    return QStringLiteral(MORLENTA_FIXTURES) + QStringLiteral("/templates");
}

} // namespace

// A shop's own template, filled and printed: every placeholder replaced, also
// the split ones, and the footer on every page.
TEST(FilledTemplate, ServiceCardFromTheShopsTemplatePrintsWithItsFooter)
{
    if (!QFileInfo::exists(fixtures()))
        GTEST_SKIP() << "fixture folder missing";
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QDir(fixtures()).filePath(QStringLiteral("serv_order_writer.rtf")),
                            dir.filePath(QStringLiteral("serv_order.rtf"))));
    ServiceCardInput in;
    in.number = 1234;
    in.article = QStringLiteral("GSM");
    in.brand = QStringLiteral("Nokia");
    in.model = QStringLiteral("3310");
    in.clientName = QStringLiteral("Иван Петров");
    in.defect = QString(60, QChar(0x434));
    in.dateText = QStringLiteral("11.12.2026");
    in.placeText = QStringLiteral("В сервиза");
    const ShopData shop{
        QStringLiteral("Сервиз Експрес"), QStringLiteral("София"), QStringLiteral("02 123 456"), {}, {}};
    FakePrompt prompt;
    const Placeholders values = serviceCardValues(in, shop, false);
    FilledDocument d = fillTemplate(DocumentKind::ServiceCard, dir.path(), false, values, prompt,
                                    QStringLiteral("Отпечатано с Morlenta"));
    ASSERT_TRUE(d.ok) << prompt.texts().join(QLatin1Char(' ')).toStdString();
    const QString pdf = dir.filePath(QStringLiteral("card.pdf"));
    DocumentPrinter printer(d.footer);
    printer.setPageLayout(rtfPageLayout(*d.doc)); // the template's A4 and margins
    ASSERT_TRUE(printer.writePdf(pdf, *d.doc));
    const QStringList pages = morlenta::test::pdfPages(pdf);
    ASSERT_FALSE(pages.isEmpty());
    const QString all = pages.join(QLatin1Char('\n'));
    for (const QString &word : {QStringLiteral("Иван Петров"), QStringLiteral("1234"),
                                QStringLiteral("Сервиз Експрес"), QStringLiteral("GSM Nokia 3310")})
        EXPECT_TRUE(all.contains(word)) << word.toStdString();
    EXPECT_FALSE(all.contains(QStringLiteral("%clientname%")));
    EXPECT_FALSE(all.contains(QStringLiteral("%nomer%")));
    for (const QString &page : pages)
        EXPECT_TRUE(page.contains(QStringLiteral("Отпечатано с Morlenta")));
}
