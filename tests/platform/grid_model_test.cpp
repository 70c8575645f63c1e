#include "platform/grid_model.h"

#include "platform/data_grid.h"

#include "data/database.h"
#include "grid_fixture.h"
#include "platform/grid_rows_model.h"
#include "support/db_fixture.h"

using namespace morlenta;
using morlenta::test::DbTest;

namespace {

struct GroupedParts : ::testing::Test {
    std::unique_ptr<GridRowsModel> rows = test::partsRows();
    GridModel model;
    int type = -1, marka = -1, amnt = -1, price = -1;

    void SetUp() override
    {
        model.setSourceModel(rows.get());
        type = model.columnIndex(QStringLiteral("Type"));
        marka = model.columnIndex(QStringLiteral("Marka"));
        amnt = model.columnIndex(QStringLiteral("amnt"));
        price = model.columnIndex(QStringLiteral("price"));
        model.setCaption(type, QStringLiteral("Вид"));
        model.setCaption(marka, QStringLiteral("Марка"));
        model.setSummed(amnt, true);
        model.setSummed(price, true);
    }

    // ids of the data rows under a group, in the order shown
    QList<int> ids(const QModelIndex &group)
    {
        QList<int> out;
        for (int r = 0; r < model.rowCount(group); ++r)
            out << model.rawValue(model.sourceRow(model.index(r, 0, group)), 0).toInt();
        return out;
    }
};

} // namespace

TEST_F(GroupedParts, TwoLevelsOfGroupsCarryCountsAndSums)
{
    model.setGroupColumns({type, marka});
    ASSERT_EQ(model.rowCount(), 2);
    // Letter case does not split a group: "батерия" joins "Батерия".
    const QModelIndex batteries = model.index(0, 0);
    const QModelIndex displays = model.index(1, 0);
    EXPECT_TRUE(model.isGroup(batteries));
    EXPECT_EQ(batteries.data(GridModel::GroupTextRole).toString(), QStringLiteral("Вид: Батерия (3)"));
    EXPECT_EQ(displays.data(GridModel::GroupTextRole).toString(), QStringLiteral("Вид: Дисплей (3)"));
    EXPECT_EQ(model.groupSum(batteries, amnt), 8);
    EXPECT_DOUBLE_EQ(model.groupSum(batteries, price), 13.25);
    EXPECT_DOUBLE_EQ(model.groupSum(displays, price), 48.25);
    // Sums show in the group row's own cells; whole numbers without decimals.
    EXPECT_EQ(model.index(1, amnt).data().toString(), QStringLiteral("7"));
    EXPECT_EQ(model.index(1, price).data().toString(), QStringLiteral("48.25"));

    ASSERT_EQ(model.rowCount(displays), 2); // Nokia, Samsung
    const QModelIndex nokia = model.index(0, 0, displays);
    EXPECT_EQ(nokia.data(GridModel::GroupTextRole).toString(), QStringLiteral("Марка: Nokia (2)"));
    EXPECT_EQ(model.groupSum(nokia, amnt), 6);
    EXPECT_EQ(ids(nokia), (QList<int>{1, 5}));
    EXPECT_EQ(model.groupPath(nokia), (QVariantList{QStringLiteral("Дисплей"), QStringLiteral("Nokia")}));
    EXPECT_EQ(model.indexOfGroupPath(model.groupPath(nokia)), nokia);

    // A data row finds its place in the tree and back.
    const QModelIndex row5 = model.indexOfSourceRow(4);
    EXPECT_EQ(model.sourceRow(row5), 4);
    EXPECT_EQ(row5.parent(), nokia);
    EXPECT_EQ(model.total(amnt), 15);
    EXPECT_EQ(model.sumText(price, model.total(price)), QStringLiteral("61.50"));
    EXPECT_EQ(model.leafCount(), 6);
}

TEST_F(GroupedParts, SortingOrdersRowsWithinGroupsAndGroupsByTheirOwnColumn)
{
    model.setGroupColumns({type});
    model.sort(price, Qt::DescendingOrder);
    EXPECT_EQ(ids(model.index(0, 0)), (QList<int>{4, 2, 6}));
    EXPECT_EQ(ids(model.index(1, 0)), (QList<int>{3, 5, 1}));

    model.sort(type, Qt::DescendingOrder);
    EXPECT_EQ(model.index(0, 0).data(GridModel::GroupTextRole).toString(),
              QStringLiteral("Вид: Дисплей (3)"));

    // Without groups: empty dates first, then by date, not by text.
    model.setGroupColumns({});
    model.sort(model.columnIndex(QStringLiteral("dDate")), Qt::AscendingOrder);
    EXPECT_EQ(ids({}), (QList<int>{5, 3, 2, 4, 1, 6}));
    std::vector<int> order = model.rowsInOrder();
    EXPECT_EQ(order, (std::vector<int>{4, 2, 1, 3, 0, 5}));
}

TEST_F(GroupedParts, NewSourceRowsRebuildAndOtherColumnsDropTheGrouping)
{
    model.setGroupColumns({type});
    auto more = test::partsRows();
    std::vector<QVariantList> rowsPlus;
    for (int r = 0; r < more->rowCount(); ++r) {
        QVariantList row;
        for (int c = 0; c < more->columnCount(); ++c)
            row << more->value(r, c);
        rowsPlus.push_back(row);
    }
    rowsPlus.push_back({7, QStringLiteral("Капак"), QStringLiteral("Nokia"), QStringLiteral("Капак 3310"), 1,
                        2.0, QDate(2026, 5, 5), QString()});
    rows->setRows(rows->fields(), rowsPlus);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.total(amnt), 16);
    EXPECT_EQ(model.groupColumns(), QList<int>{type});

    rows->setRows({QStringLiteral("other")}, {{1}, {2}});
    EXPECT_TRUE(model.groupColumns().isEmpty());
    EXPECT_EQ(model.rowCount(), 2);
}

TEST(GridModelCompare, OrdersLikeTheClerkExpects)
{
    struct Case {
        QVariant a, b;
        int expected;
    };
    const Case cases[] = {
        {QVariant(), 1, -1},
        {QVariant(), QVariant(), 0},
        {2, 10, -1}, // numbers by value, not as text
        {2, 2.0, 0},
        {QStringLiteral("abc"), QStringLiteral("ABD"), -1},
        {QStringLiteral("Яна"), QStringLiteral("ана"), 1},
        {QStringLiteral("ива"), QStringLiteral("ИВА"), 0},
        {QDate(2026, 1, 2), QDate(2025, 12, 31), 1},
        {QDateTime(QDate(2026, 1, 1), QTime(10, 0)), QDate(2026, 1, 1), 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GridModel::compareValues(c.a, c.b), c.expected)
            << c.a.toString().toStdString() << " ? " << c.b.toString().toStdString();
}

class GridRowsQuery : public DbTest {};

TEST_P(GridRowsQuery, LoadsBoundQueryWithDatesAsDates)
{
    db().execute(QStringLiteral(
        "create table gridt (id integer, name varchar(50), taken date, price double precision)"));
    const QString tricky = QStringLiteral("O'Brien \"B\" 50%_");
    db().execute(QStringLiteral("insert into gridt (id, name, taken, price) values (?, ?, ?, ?)"),
                 {1, tricky, QDate(2026, 3, 1), 12.5});
    db().execute(QStringLiteral("insert into gridt (id, name, taken, price) values (?, ?, ?, ?)"),
                 {2, QStringLiteral("Иван"), QVariant(QMetaType(QMetaType::QDate)), 3.0});
    db().execute(QStringLiteral("insert into gridt (id, name, taken, price) values (?, ?, ?, ?)"),
                 {3, QStringLiteral("2026-01-01"), QDate(2026, 1, 2), 1.0});

    GridRowsModel rows;
    rows.load(db(), QStringLiteral("select id, name, taken, price from gridt where price > ? order by id"),
              {2.0});
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.fields().size(), 4);
    EXPECT_EQ(rows.value(0, 1).toString(), tricky);
    EXPECT_EQ(rows.value(0, 2).typeId(), QMetaType::QDate);
    EXPECT_EQ(rows.value(0, 2).toDate(), QDate(2026, 3, 1));
    EXPECT_TRUE(rows.value(1, 2).isNull());
    EXPECT_DOUBLE_EQ(rows.value(0, 3).toDouble(), 12.5);

    // A text column is not taken for dates because one value looks like one.
    rows.load(db(), QStringLiteral("select name from gridt order by id"));
    EXPECT_EQ(rows.value(2, 0).typeId(), QMetaType::QString);

    // The grid's own query: the search text is a bound value, found exactly.
    DataGrid grid;
    grid.setQuery(db(), QStringLiteral("select id, name from gridt where name = ?"), {tricky});
    ASSERT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.currentValue(QStringLiteral("id")).toInt(), 1);
    grid.setQuery(db(), QStringLiteral("select id, name from gridt where id > ?"), {1});
    EXPECT_EQ(grid.rowCount(), 2);
}

MORLENTA_ON_BOTH_ENGINES(GridRowsQuery);
