#include "platform/grid_print.h"

#include "pdf_text.h"
#include "platform/data_grid.h"
#include "platform/grid_rows_model.h"
#include "platform/print_page.h"
#include "support/qt_print.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

using namespace morlenta;

TEST(GridPages, LinesFallOnPagesUnderTheHeaderAndAboveTheFooter)
{
    // 100 high: header 20, captions 10, footer 10 leave room for 6 lines of 10.
    const GridPageMetrics m{100, 20, 10, 10, 10};
    struct Case {
        int lines;
        QList<int> counts;
    };
    const Case cases[] = {
        {0, {0}}, {1, {1}}, {6, {6}}, {7, {6, 1}}, {13, {6, 6, 1}},
    };
    for (const Case &c : cases) {
        const QList<GridPageRange> pages = paginateGrid(c.lines, m);
        QList<int> counts;
        int next = 0;
        for (const GridPageRange &p : pages) {
            counts << p.count;
            EXPECT_EQ(p.first, next);
            next += p.count;
        }
        EXPECT_EQ(counts, c.counts) << c.lines << " lines";
    }
    // A page too small for one line still prints one a page.
    EXPECT_EQ(paginateGrid(3, GridPageMetrics{30, 20, 10, 10, 10}).size(), 3);
}

TEST(GridPages, LandscapeOnlyWhenTheColumnsNeedIt)
{
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                         QPageLayout::Millimeter);
    GridTable narrow, wide;
    for (int i = 0; i < 5; ++i)
        narrow.columns.append({QStringLiteral("К%1").arg(i), 100, false});
    for (int i = 0; i < 12; ++i)
        wide.columns.append({QStringLiteral("К%1").arg(i), 100, false});
    EXPECT_FALSE(GridPrinter(narrow, {}, {}, {}).needsLandscape(a4));
    EXPECT_TRUE(GridPrinter(wide, {}, {}, {}).needsLandscape(a4));
}

namespace {

std::unique_ptr<GridRowsModel> manyParts(int n)
{
    std::vector<QVariantList> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back({i + 1, i % 3 == 0 ? QStringLiteral("Дисплей") : QStringLiteral("Батерия"),
                        QStringLiteral("Част №%1").arg(i + 1), i % 7, 1.5});
    auto m = std::make_unique<GridRowsModel>();
    m->setRows({QStringLiteral("id"), QStringLiteral("Type"), QStringLiteral("Part"), QStringLiteral("amnt"),
                QStringLiteral("price")},
               std::move(rows));
    return m;
}

} // namespace

TEST(GridPdf, EveryPageCarriesHeaderCaptionsFooterAndPageNumber)
{
    QTemporaryDir dir;
    auto rows = manyParts(200);
    DataGrid grid;
    grid.setModel(rows.get());
    grid.setColumnCaption(QStringLiteral("Type"), QStringLiteral("Вид"));
    grid.setColumnCaption(QStringLiteral("Part"), QStringLiteral("Наименование"));
    grid.setSummedColumns({QStringLiteral("amnt")});
    grid.setGroupColumns({QStringLiteral("Type")});
    grid.fullExpand();
    const QString footer = QStringLiteral("Сервиз „Дравик“ ЕООД, тел. 0888 123 456");
    grid.setPrintTitle(QStringLiteral("Номенклатура на резервни части"),
                       {QStringLiteral("Всички неотчетени поръчки")});
    grid.setPrintFooter(footer);
    const QString path = dir.filePath(QStringLiteral("grid.pdf"));
    ASSERT_TRUE(grid.writePdf(path));
    if (qEnvironmentVariableIsSet("KEEP_PDF"))
        QFile::copy(path, qEnvironmentVariable("KEEP_PDF"));

    const QStringList pages = test::pdfPages(path);
    ASSERT_GE(pages.size(), 3);
    for (int i = 0; i < pages.size(); ++i) {
        const QString &page = pages[i];
        SCOPED_TRACE(i + 1);
        EXPECT_TRUE(page.contains(QStringLiteral("Номенклатура на резервни части")));
        EXPECT_TRUE(page.contains(QStringLiteral("Всички неотчетени поръчки")));
        EXPECT_TRUE(page.contains(QStringLiteral("Наименование")));
        EXPECT_TRUE(page.contains(footer));
        EXPECT_TRUE(page.contains(QStringLiteral("Страница %1 от %2").arg(i + 1).arg(pages.size())));
    }
    const QString all = pages.join(QLatin1Char('\n'));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("Вид: Батерия (133)")));
    EXPECT_TRUE(all.contains(QStringLiteral("Вид: Дисплей (67)")));
    EXPECT_TRUE(all.contains(QStringLiteral("Част №200")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Общо")));
    // Each row once: nothing lost or printed twice at a page break.
    EXPECT_EQ(all.count(QRegularExpression(QStringLiteral("Част №\\d+\\b"))), 200);

    EXPECT_FALSE(grid.writePdf(dir.filePath(QStringLiteral("no/such/folder/grid.pdf"))));
}

TEST(GridPdf, CollapsedGroupsPrintAsTheirGroupRowsOnly)
{
    QTemporaryDir dir;
    auto rows = manyParts(30);
    DataGrid grid;
    grid.setModel(rows.get());
    grid.setGroupColumns({QStringLiteral("Type")});
    grid.fullCollapse();
    const QString path = dir.filePath(QStringLiteral("collapsed.pdf"));
    ASSERT_TRUE(grid.writePdf(path));
    const QStringList pages = test::pdfPages(path);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Type: Дисплей (10)")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Част №")));
}

TEST(GridPdf, WideColumnsTurnThePage)
{
    QTemporaryDir dir;
    GridRowsModel rows;
    QStringList fields;
    QVariantList row;
    for (int c = 0; c < 12; ++c) {
        fields << QStringLiteral("col%1").arg(c);
        row << c;
    }
    rows.setRows(fields, {row});
    DataGrid grid;
    grid.setModel(&rows);
    auto pageSize = [&](const QString &path) {
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {path});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput())
            .section(QStringLiteral("Page size:"), 1)
            .trimmed();
    };
    const QString wide = dir.filePath(QStringLiteral("wide.pdf"));
    ASSERT_TRUE(grid.writePdf(wide));
    EXPECT_TRUE(pageSize(wide).startsWith(QStringLiteral("842 x 595"))) << pageSize(wide).toStdString();
    for (int c = 4; c < 12; ++c)
        grid.setColumnVisible(QStringLiteral("col%1").arg(c), false);
    const QString narrow = dir.filePath(QStringLiteral("narrow.pdf"));
    ASSERT_TRUE(grid.writePdf(narrow));
    EXPECT_TRUE(pageSize(narrow).startsWith(QStringLiteral("595 x 842"))) << pageSize(narrow).toStdString();
}

TEST(DocumentPdf, FooterOnEveryPageAndTheWholeText)
{
    QTemporaryDir dir;
    QTextDocument doc;
    QTextCursor cursor(&doc);
    for (int i = 1; i <= 150; ++i)
        cursor.insertText(QStringLiteral("Ред %1 от картата\n").arg(i));
    const QString footer = QStringLiteral("Отпечатано от „Morlenta“, Dravik");
    DocumentPrinter printer(footer);
    const QString path = dir.filePath(QStringLiteral("doc.pdf"));
    ASSERT_TRUE(printer.writePdf(path, doc));

    const QStringList pages = test::pdfPages(path);
    ASSERT_GE(pages.size(), 2);
    for (const QString &page : pages)
        EXPECT_TRUE(page.contains(footer));
    const QString all = pages.join(QLatin1Char('\n'));
    EXPECT_EQ(all.count(QRegularExpression(QStringLiteral("Ред \\d+ от картата"))), 150);
    EXPECT_TRUE(all.contains(QStringLiteral("Ред 150 от картата")));
    EXPECT_FALSE(printer.writePdf(dir.filePath(QStringLiteral("missing/doc.pdf")), doc));
}
