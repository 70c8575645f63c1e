#include "platform/data_grid.h"

#include "data/database.h"
#include "grid_fixture.h"
#include "platform/grid_rows_model.h"

#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace morlenta;

namespace {

struct GridTest : ::testing::Test {
    std::unique_ptr<GridRowsModel> rows = test::partsRows();
    DataGrid grid;

    void SetUp() override
    {
        grid.resize(900, 500);
        grid.setModel(rows.get());
        grid.setColumnCaption(QStringLiteral("Type"), QStringLiteral("Вид"));
        grid.setColumnCaption(QStringLiteral("Marka"), QStringLiteral("Марка"));
        grid.setSummedColumns({QStringLiteral("amnt"), QStringLiteral("price")});
    }
    QTreeView *view() { return grid.view(); }
    GridModel *model() { return grid.gridModel(); }
    void trigger(const char *name) { grid.action(QString::fromLatin1(name))->trigger(); }
    QModelIndex group(int row, const QModelIndex &parent = {}) { return model()->index(row, 0, parent); }
    int expandedGroups()
    {
        int n = 0;
        std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &p) {
            for (int r = 0; r < model()->rowCount(p); ++r) {
                const QModelIndex i = model()->index(r, 0, p);
                if (!model()->isGroup(i))
                    return;
                n += view()->isExpanded(i);
                walk(i);
            }
        };
        walk({});
        return n;
    }
};

} // namespace

TEST_F(GridTest, ContextMenuCarriesTheGridCommands)
{
    const QStringList names = {QStringLiteral("expandOne"),  QStringLiteral("collapseOne"),
                               QStringLiteral("fullExpand"), QStringLiteral("fullCollapse"),
                               QStringLiteral("grBestFit"),  QStringLiteral("prnGrid"),
                               QStringLiteral("popExcel"),   QStringLiteral("mnInfo"),
                               QStringLiteral("mnColumns"),  QStringLiteral("mnSaveGrid")};
    for (const QString &n : names) {
        QAction *a = grid.action(n);
        ASSERT_NE(a, nullptr) << n.toStdString();
        EXPECT_TRUE(grid.contextMenu()->actions().contains(a)) << n.toStdString();
        EXPECT_TRUE(a->text().contains(QRegularExpression(QStringLiteral("[а-яА-Я]")))) << n.toStdString();
    }
}

TEST_F(GridTest, ExpandAndCollapseTheFocusedGroupWithItsSubGroupsOrAll)
{
    grid.setGroupColumns({QStringLiteral("Type"), QStringLiteral("Marka")});
    EXPECT_TRUE(view()->rootIsDecorated());
    trigger("fullCollapse");
    EXPECT_EQ(expandedGroups(), 0);

    // "Дисплей" with Nokia and Samsung under it; "Батерия" stays closed.
    view()->setCurrentIndex(group(1));
    trigger("expandOne");
    EXPECT_TRUE(view()->isExpanded(group(1)));
    EXPECT_TRUE(view()->isExpanded(group(0, group(1))));
    EXPECT_TRUE(view()->isExpanded(group(1, group(1))));
    EXPECT_FALSE(view()->isExpanded(group(0)));

    // On a data row the command works on the group holding it.
    view()->setCurrentIndex(model()->index(0, 0, group(0, group(1))));
    trigger("collapseOne");
    EXPECT_FALSE(view()->isExpanded(group(0, group(1))));
    EXPECT_TRUE(view()->isExpanded(group(1)));
    EXPECT_EQ(view()->currentIndex(), group(0, group(1)));

    view()->setCurrentIndex(group(1));
    trigger("collapseOne");
    EXPECT_EQ(expandedGroups(), 0);

    trigger("fullExpand");
    EXPECT_EQ(expandedGroups(), 2 + 5);
    trigger("fullCollapse");
    EXPECT_EQ(expandedGroups(), 0);
}

TEST_F(GridTest, CurrentRecordIsTheSourceRowAndSurvivesSortingAndGrouping)
{
    QSignalSpy changed(&grid, &DataGrid::currentRecordChanged);
    grid.setCurrentSourceRow(4);
    EXPECT_EQ(grid.currentSourceRow(), 4);
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last().at(0).toInt(), 4);
    EXPECT_EQ(grid.currentValue(QStringLiteral("Part")).toString(), QStringLiteral("LCD 6230"));

    grid.sortBy(QStringLiteral("price"), Qt::DescendingOrder);
    EXPECT_EQ(grid.currentSourceRow(), 4);
    grid.setGroupColumns({QStringLiteral("Marka")});
    EXPECT_EQ(grid.currentSourceRow(), 4);
    EXPECT_TRUE(view()->isExpanded(view()->currentIndex().parent()));

    // A group row is no record.
    view()->setCurrentIndex(group(0));
    EXPECT_EQ(grid.currentSourceRow(), -1);
    EXPECT_EQ(changed.last().at(0).toInt(), -1);
    EXPECT_FALSE(grid.currentValue(QStringLiteral("Part")).isValid());
}

TEST_F(GridTest, EnterOpensTheRecordOrTogglesTheGroup)
{
    QSignalSpy activated(&grid, &DataGrid::rowActivated);
    grid.setGroupColumns({QStringLiteral("Type")});
    grid.show();
    view()->setFocus();
    grid.fullCollapse();
    view()->setCurrentIndex(group(0));
    QTest::keyClick(view(), Qt::Key_Return);
    EXPECT_TRUE(view()->isExpanded(group(0)));
    QTest::keyClick(view(), Qt::Key_Down);
    EXPECT_EQ(grid.currentSourceRow(), 1); // the first battery
    QTest::keyClick(view(), Qt::Key_Return);
    ASSERT_EQ(activated.size(), 1);
    EXPECT_EQ(activated[0].at(0).toInt(), 1);
    QTest::keyClick(view(), Qt::Key_Up);
    QTest::keyClick(view(), Qt::Key_Return);
    EXPECT_FALSE(view()->isExpanded(group(0)));
}

TEST_F(GridTest, ReloadedRowsKeepTheSameRecordCurrentByItsKey)
{
    // The same rows again with one more in front, as another computer might have added it.
    int nextId = 7;
    auto reloadWithNewFirstRow = [this, &nextId] {
        std::vector<QVariantList> data = {{nextId++, QStringLiteral("Капак"), QStringLiteral("Nokia"),
                                           QStringLiteral("Капак 3310"), 1, 2.0, QDate(2026, 5, 5),
                                           QString()}};
        for (int r = 0; r < rows->rowCount(); ++r) {
            QVariantList row;
            for (int c = 0; c < rows->columnCount(); ++c)
                row << rows->value(r, c);
            data.push_back(row);
        }
        rows->setRows(rows->fields(), data);
    };
    grid.setCurrentSourceRow(4); // id 5
    reloadWithNewFirstRow();
    // Without a key the row number would now point at id 4: the first row is taken instead.
    EXPECT_EQ(grid.currentSourceRow(), 0);

    grid.setKeyColumn(QStringLiteral("id"));
    grid.setCurrentSourceRow(4); // id 4 in the reloaded rows
    ASSERT_EQ(grid.currentValue(QStringLiteral("id")).toInt(), 4);
    reloadWithNewFirstRow();
    EXPECT_EQ(grid.currentValue(QStringLiteral("id")).toInt(), 4);
    EXPECT_EQ(grid.currentSourceRow(), 5);
    EXPECT_EQ(grid.rowCount(), 8);
}

TEST_F(GridTest, ExpandedGroupsStayOpenWhenTheGridIsSorted)
{
    grid.setGroupColumns({QStringLiteral("Type"), QStringLiteral("Marka")});
    view()->setCurrentIndex(group(1));
    trigger("expandOne");
    grid.sortBy(QStringLiteral("Part"));
    EXPECT_EQ(expandedGroups(), 3);
    EXPECT_TRUE(view()->isExpanded(group(1)));
}

TEST_F(GridTest, CalculatedAndLookedUpColumnsShowSortGroupAndSum)
{
    grid.addCalculatedColumn(
        QStringLiteral("value"), QStringLiteral("Стойност"), [](const QAbstractItemModel &src, int row) {
            return src.index(row, 4).data().toInt() * src.index(row, 5).data().toDouble();
        });
    const QHash<QString, QString> countries = {{QStringLiteral("Nokia"), QStringLiteral("Финландия")},
                                               {QStringLiteral("Samsung"), QStringLiteral("Корея")}};
    grid.addLookupColumn(
        QStringLiteral("country"), QStringLiteral("Държава"), QStringLiteral("Marka"),
        [&countries](const QVariant &key) -> QVariant { return countries.value(key.toString()); });
    grid.setSummedColumns({QStringLiteral("value")});
    const int value = model()->columnIndex(QStringLiteral("value"));
    const int country = model()->columnIndex(QStringLiteral("country"));
    ASSERT_GE(value, 0);
    ASSERT_GE(country, 0);
    EXPECT_EQ(model()->headerData(value, Qt::Horizontal).toString(), QStringLiteral("Стойност"));
    EXPECT_DOUBLE_EQ(model()->rawValue(0, value).toDouble(), 21.0);
    EXPECT_EQ(model()->rawValue(3, country).toString(), QStringLiteral("Корея"));
    EXPECT_TRUE(model()->rawValue(5, country).toString().isEmpty());
    EXPECT_DOUBLE_EQ(model()->total(value), 21.0 + 21.25 + 22.0 + 18.0 + 63.0);

    grid.setGroupColumns({QStringLiteral("country")});
    ASSERT_EQ(model()->rowCount(), 3); // none, Корея, Финландия
    EXPECT_EQ(model()->groupCount(group(1)), 2);
    EXPECT_DOUBLE_EQ(model()->groupSum(group(1), value), 22.0 + 18.0);
    EXPECT_EQ(model()->groupCount(group(2)), 3);
}

TEST_F(GridTest, PreviewLineDoublesTheRowAndNeedsAColumn)
{
    QAction *info = grid.action(QStringLiteral("mnInfo"));
    EXPECT_FALSE(info->isEnabled());
    grid.setPreviewColumn(QStringLiteral("notes"));
    EXPECT_TRUE(info->isEnabled());
    const int plain = view()->sizeHintForRow(0);
    info->trigger();
    EXPECT_TRUE(grid.previewVisible());
    EXPECT_EQ(view()->sizeHintForRow(0), plain * 2);
    info->trigger();
    EXPECT_FALSE(grid.previewVisible());
    EXPECT_EQ(view()->sizeHintForRow(0), plain);
}

TEST_F(GridTest, ColumnChooserHidesAndShowsColumns)
{
    QSignalSpy closed(&grid, &DataGrid::columnChooserClosed);
    grid.show();
    grid.action(QStringLiteral("mnColumns"))->trigger();
    auto *chooser = grid.findChild<QWidget *>(QStringLiteral("TfmColumns"));
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(chooser->isVisible());
    auto *list = chooser->findChild<QListWidget *>(QStringLiteral("lstColumns"));
    ASSERT_EQ(list->count(), 8);
    QListWidgetItem *typeItem = list->findItems(QStringLiteral("Вид"), Qt::MatchExactly).value(0);
    ASSERT_NE(typeItem, nullptr);
    typeItem->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(grid.isColumnVisible(QStringLiteral("Type")));
    EXPECT_FALSE(grid.visibleColumns().contains(QStringLiteral("Type")));
    typeItem->setCheckState(Qt::Checked);
    EXPECT_TRUE(grid.isColumnVisible(QStringLiteral("Type")));

    chooser->close();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_FALSE(grid.action(QStringLiteral("mnColumns"))->isChecked());
}

TEST_F(GridTest, ShownTableFollowsTheGroupsAsOpenedAndFlatTableHasEveryRow)
{
    grid.setGroupColumns({QStringLiteral("Type")});
    grid.setColumnVisible(QStringLiteral("notes"), false);
    grid.moveColumn(QStringLiteral("price"), 0);
    trigger("fullCollapse");
    view()->setCurrentIndex(group(1));
    trigger("expandOne");

    const GridTable shown = grid.shownTable();
    ASSERT_EQ(shown.columns.size(), 7);
    EXPECT_EQ(shown.columns[0].caption, QStringLiteral("price"));
    EXPECT_TRUE(shown.columns[0].alignRight);
    ASSERT_EQ(shown.lines.size(), 1 + 1 + 3 + 1);
    EXPECT_EQ(shown.lines[0].kind, GridTableLine::Group);
    EXPECT_EQ(shown.lines[0].text, QStringLiteral("Вид: Батерия (3)"));
    EXPECT_EQ(shown.lines[0].cells[0], QStringLiteral("13.25"));
    EXPECT_EQ(shown.lines[2].kind, GridTableLine::Row);
    EXPECT_EQ(shown.lines.last().kind, GridTableLine::Total);
    EXPECT_EQ(shown.lines.last().cells[0], QStringLiteral("61.50"));

    const GridTable flat = grid.flatTable();
    ASSERT_EQ(flat.lines.size(), 6);
    for (const GridTableLine &l : flat.lines)
        EXPECT_EQ(l.kind, GridTableLine::Row);
    EXPECT_EQ(flat.lines[0].values[1].toInt(), 2); // the first battery, id 2
    EXPECT_EQ(flat.lines[0].values[0].typeId(), QMetaType::Double);
}

TEST_F(GridTest, LayoutIsKeptPerComputerAndAForeignOneIgnored)
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("Morlenta.ini")), QSettings::IniFormat);
    grid.setLayoutKey(QStringLiteral("Nomenklatura"), &settings);
    grid.moveColumn(QStringLiteral("price"), 0);
    grid.setColumnWidth(QStringLiteral("notes"), 173);
    grid.setColumnVisible(QStringLiteral("notes"), false);
    grid.setColumnWidth(QStringLiteral("Part"), 251);
    grid.setGroupColumns({QStringLiteral("Type")});
    grid.sortBy(QStringLiteral("amnt"), Qt::DescendingOrder);
    grid.saveLayout();
    const QStringList shown = grid.visibleColumns();

    DataGrid again;
    auto rows2 = test::partsRows();
    again.setModel(rows2.get());
    again.setLayoutKey(QStringLiteral("Nomenklatura"), &settings);
    EXPECT_EQ(again.visibleColumns(), shown);
    EXPECT_EQ(again.columnWidth(QStringLiteral("Part")), 251);
    EXPECT_FALSE(again.isColumnVisible(QStringLiteral("notes")));
    again.setColumnVisible(QStringLiteral("notes"), true); // comes back at the width it had
    EXPECT_EQ(again.columnWidth(QStringLiteral("notes")), 173);
    EXPECT_EQ(again.groupColumns(), QStringList{QStringLiteral("Type")});
    EXPECT_EQ(again.gridModel()->sortColumn(), again.gridModel()->columnIndex(QStringLiteral("amnt")));
    EXPECT_EQ(again.gridModel()->sortOrder(), Qt::DescendingOrder);

    // A grid with other columns under the same key keeps its own layout.
    GridRowsModel other;
    other.setRows({QStringLiteral("id"), QStringLiteral("Type"), QStringLiteral("price")},
                  {{1, QStringLiteral("А"), 2.0}});
    DataGrid foreign;
    foreign.setModel(&other);
    foreign.setLayoutKey(QStringLiteral("Nomenklatura"), &settings);
    EXPECT_EQ(foreign.visibleColumns(), other.fields());
    EXPECT_TRUE(foreign.groupColumns().isEmpty());

    // Damaged values are ignored the same way.
    settings.setValue(QStringLiteral("Nomenklatura/Widths"), QStringList(8, QStringLiteral("wide")));
    DataGrid damaged;
    damaged.setModel(rows2.get());
    damaged.setLayoutKey(QStringLiteral("Nomenklatura"), &settings);
    EXPECT_EQ(damaged.visibleColumns(), rows2->fields());
}

TEST(GridBestFit, FitsTheWidestTextAlsoOffScreen)
{
    GridRowsModel rows;
    std::vector<QVariantList> data;
    // Far below the screen and past the first thousand rows the view would measure itself.
    for (int i = 0; i < 3000; ++i)
        data.push_back({i, QStringLiteral("Част %1").arg(i)});
    const QString wide = QStringLiteral("Дисплей с тъч панел и рамка за Samsung Galaxy, оригинален");
    data[2500][1] = wide;
    rows.setRows({QStringLiteral("id"), QStringLiteral("Part")}, std::move(data));
    DataGrid grid;
    grid.resize(400, 200);
    grid.setModel(&rows);
    grid.show();
    grid.action(QStringLiteral("grBestFit"))->trigger();
    EXPECT_GE(grid.columnWidth(QStringLiteral("Part")),
              QFontMetrics(grid.view()->font()).horizontalAdvance(wide));
    EXPECT_LT(grid.columnWidth(QStringLiteral("id")), grid.columnWidth(QStringLiteral("Part")));
}

TEST(GridRows, LongListShowsItsFirstRowsAndTheRestFromTheEventLoop)
{
    QTemporaryDir dir;
    auto db = data::Database::openSqlite(dir.filePath(QStringLiteral("rows.sv")), true);
    db->execute(QStringLiteral("create table t (id integer, d date)"));
    db->execute(QStringLiteral("begin"));
    for (int i = 1; i <= 2500; ++i)
        db->execute(QStringLiteral("insert into t values (?, ?)"), {i, QDate(2026, 1, 1).addDays(i % 300)});
    db->execute(QStringLiteral("commit"));

    DataGrid grid;
    grid.setKeyColumn(QStringLiteral("id"));
    grid.setFirstRows(1000);
    grid.setQuery(*db, QStringLiteral("select id, d from t order by id"));
    grid.setSummedColumns({QStringLiteral("id")});
    EXPECT_EQ(grid.rowCount(), 1000);
    grid.setCurrentSourceRow(10);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.rowCount(), 2500);
    EXPECT_EQ(grid.currentValue(QStringLiteral("id")).toInt(), 11); // the same record stays current
    // Dates of the later rows are dates too, so they sort and export as dates.
    EXPECT_EQ(grid.gridModel()->rawValue(2400, 1).typeId(), QMetaType::QDate);
    EXPECT_DOUBLE_EQ(grid.gridModel()->total(0), 2500.0 * 2501 / 2);

    // A short list comes whole, and a new query drops what was still to come.
    grid.setQuery(*db, QStringLiteral("select id, d from t where id <= 5"));
    EXPECT_EQ(grid.rowCount(), 5);
    grid.setQuery(*db, QStringLiteral("select id, d from t"));
    grid.setQuery(*db, QStringLiteral("select id, d from t where id <= 3"));
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.rowCount(), 3);
    grid.setQuery(*db, QStringLiteral("select id, d from t"));
    grid.finishLoading();
    EXPECT_EQ(grid.rowCount(), 2500);
}
