#include "platform/grid_export.h"

#include "grid_fixture.h"
#include "platform/data_grid.h"
#include "platform/grid_table.h"
#include "support/fake_prompt.h"

#include <QFile>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <zip.h>

using namespace morlenta;

namespace {

QByteArray zipEntry(const QString &path, const char *name)
{
    int err = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err);
    if (!z)
        return {};
    QByteArray out;
    if (zip_file_t *f = zip_fopen(z, name, 0)) {
        char buf[8192];
        zip_int64_t n;
        while ((n = zip_fread(f, buf, sizeof buf)) > 0)
            out.append(buf, qsizetype(n));
        zip_fclose(f);
    }
    zip_close(z);
    return out;
}

struct Cell {
    QString type;  // "s" shared string, "b" boolean, empty for a number
    int style = 0; // index into cellXfs
    QString value;
};

// The sheet's cells by reference ("B2"), shared strings resolved.
struct Sheet {
    QMap<QString, Cell> cells;
    QStringList numFmtOfStyle; // format code of each cell style
    QString text(const QString &ref) const { return cells.value(ref).value; }
};

Sheet readSheet(const QString &path)
{
    Sheet sheet;
    QStringList strings;
    QXmlStreamReader ss(zipEntry(path, "xl/sharedStrings.xml"));
    QString current;
    while (!ss.atEnd()) {
        ss.readNext();
        if (ss.isStartElement() && ss.name() == QLatin1String("si"))
            current.clear();
        else if (ss.isStartElement() && ss.name() == QLatin1String("t"))
            current += ss.readElementText();
        else if (ss.isEndElement() && ss.name() == QLatin1String("si"))
            strings << current;
    }
    QMap<int, QString> formats = {{0, QStringLiteral("General")}};
    QXmlStreamReader st(zipEntry(path, "xl/styles.xml"));
    bool inXfs = false;
    while (!st.atEnd()) {
        st.readNext();
        if (st.isStartElement() && st.name() == QLatin1String("numFmt"))
            formats[st.attributes().value(QLatin1String("numFmtId")).toInt()] =
                st.attributes().value(QLatin1String("formatCode")).toString();
        if (st.isStartElement() && st.name() == QLatin1String("cellXfs"))
            inXfs = true;
        if (st.isEndElement() && st.name() == QLatin1String("cellXfs"))
            inXfs = false;
        if (inXfs && st.isStartElement() && st.name() == QLatin1String("xf"))
            sheet.numFmtOfStyle << formats.value(st.attributes().value(QLatin1String("numFmtId")).toInt());
    }
    QXmlStreamReader x(zipEntry(path, "xl/worksheets/sheet1.xml"));
    QString ref;
    Cell cell;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("c")) {
            ref = x.attributes().value(QLatin1String("r")).toString();
            cell = Cell{x.attributes().value(QLatin1String("t")).toString(),
                        x.attributes().value(QLatin1String("s")).toInt(),
                        {}};
        } else if (x.isStartElement() && x.name() == QLatin1String("v")) {
            cell.value = x.readElementText();
            if (cell.type == QLatin1String("s"))
                cell.value = strings.value(cell.value.toInt());
        } else if (x.isEndElement() && x.name() == QLatin1String("c")) {
            sheet.cells[ref] = cell;
        }
    }
    return sheet;
}

struct ExportTest : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<GridRowsModel> rows = test::partsRows();
    DataGrid grid;
    test::FakePrompt prompt;

    void SetUp() override
    {
        grid.setModel(rows.get());
        grid.setPrompt(&prompt);
        grid.setColumnCaption(QStringLiteral("Part"), QStringLiteral("Наименование"));
        grid.setColumnCaption(QStringLiteral("dDate"), QStringLiteral("Дата"));
        grid.setExportName(QStringLiteral("nomenklatura"), QStringLiteral("Експорт на номенклатура части"));
    }
};

} // namespace

TEST_F(ExportTest, WritesCaptionsNumbersAndDatesAsTheSpreadsheetTypes)
{
    grid.setColumnVisible(QStringLiteral("Marka"), false);
    grid.setGroupColumns({QStringLiteral("Type")});
    grid.fullCollapse(); // collapsed groups are exported all the same
    const QString path = dir.filePath(QStringLiteral("nomenklatura.xlsx"));
    ASSERT_TRUE(grid.exportTo(path));
    EXPECT_TRUE(prompt.records().isEmpty());
    EXPECT_FALSE(prompt.waitShown());

    const Sheet s = readSheet(path);
    // id, Type, Part, amnt, price, dDate, notes: Marka is hidden.
    EXPECT_EQ(s.text(QStringLiteral("A1")), QStringLiteral("id"));
    EXPECT_EQ(s.text(QStringLiteral("C1")), QStringLiteral("Наименование"));
    EXPECT_EQ(s.text(QStringLiteral("F1")), QStringLiteral("Дата"));
    EXPECT_EQ(s.text(QStringLiteral("G1")), QStringLiteral("notes"));
    EXPECT_FALSE(s.cells.contains(QStringLiteral("H1")));

    // Batteries first (ids 2, 4, 6), then the displays (1, 3, 5); no group rows in between.
    QStringList ids;
    for (int r = 2; r <= 8; ++r)
        ids << s.text(QStringLiteral("A%1").arg(r));
    EXPECT_EQ(ids, (QStringList{QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("6"),
                                QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("5"), QString()}));
    const Cell price = s.cells.value(QStringLiteral("E2"));
    EXPECT_TRUE(price.type.isEmpty()) << "a number, not text";
    EXPECT_DOUBLE_EQ(price.value.toDouble(), 4.25);
    const Cell date = s.cells.value(QStringLiteral("F2"));
    EXPECT_TRUE(date.type.isEmpty());
    EXPECT_EQ(date.value.toInt(), QDate(1899, 12, 30).daysTo(QDate(2026, 1, 15)));
    EXPECT_EQ(s.numFmtOfStyle.value(date.style), QStringLiteral("dd.mm.yyyy"));
    EXPECT_EQ(s.cells.value(QStringLiteral("C2")).type, QStringLiteral("s"));
    // An empty date stays an empty cell; text is kept exactly.
    EXPECT_FALSE(s.cells.contains(QStringLiteral("F7")));
    EXPECT_EQ(s.text(QStringLiteral("G7")), QStringLiteral("O'Brien \"B\" 50%"));
}

TEST_F(ExportTest, AFileThatCannotBeWrittenIsReportedInBulgarian)
{
    const QString path = dir.filePath(QStringLiteral("missing/nomenklatura.xlsx"));
    EXPECT_FALSE(grid.exportTo(path));
    ASSERT_EQ(prompt.records().size(), 1);
    EXPECT_EQ(prompt.records()[0].caption, QStringLiteral("Грешка"));
    EXPECT_TRUE(
        prompt.records()[0].text.startsWith(QStringLiteral("Файлът не може да бъде записан: ") + path));
    EXPECT_FALSE(prompt.waitShown());

    // A folder in the way: nothing is replaced, nothing left behind.
    const QString folder = dir.filePath(QStringLiteral("taken.xlsx"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(grid.exportTo(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST(ExportNames, TheProposedNameKeepsTheStemInTheDocumentsFolder)
{
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(proposedExportPath(QStringLiteral("spr_porychki")),
              docs + QStringLiteral("/spr_porychki.xlsx"));
    EXPECT_EQ(withSpreadsheetSuffix(QStringLiteral("/tmp/a")), QStringLiteral("/tmp/a.xlsx"));
    EXPECT_EQ(withSpreadsheetSuffix(QStringLiteral("/tmp/a.XLSX")), QStringLiteral("/tmp/a.XLSX"));
}
