// Opening 100 000 rows in the data grid, grouping them by two columns with
// sums, and scrolling through them page by page.

#include "data/database.h"
#include "data/transaction.h"
#include "platform/data_grid.h"
#include "platform/grid_rows_model.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

using namespace morlenta;

namespace {

std::vector<QVariantList> makeRows(int n)
{
    static const QStringList types = {QStringLiteral("Дисплей"), QStringLiteral("Батерия"),
                                      QStringLiteral("Капак"), QStringLiteral("Зарядно"),
                                      QStringLiteral("Платка")};
    static const QStringList makers = {QStringLiteral("Nokia"),   QStringLiteral("Samsung"),
                                       QStringLiteral("Alcatel"), QStringLiteral("Motorola"),
                                       QStringLiteral("Sony"),    QStringLiteral("LG")};
    std::vector<QVariantList> rows;
    rows.reserve(size_t(n));
    const QDate start(2020, 1, 1);
    for (int i = 0; i < n; ++i)
        rows.push_back({i + 1, types[i % types.size()], makers[(i / 7) % makers.size()],
                        QStringLiteral("Част номер %1").arg(i + 1), i % 13, (i % 1000) / 10.0 + 0.25,
                        start.addDays(i % 2000), QStringLiteral("Бележка към ред %1").arg(i + 1)});
    return rows;
}

const QStringList kFields = {QStringLiteral("id"),    QStringLiteral("Type"), QStringLiteral("Marka"),
                             QStringLiteral("Part"),  QStringLiteral("amnt"), QStringLiteral("price"),
                             QStringLiteral("dDate"), QStringLiteral("notes")};

void settle()
{
    QApplication::processEvents();
}

} // namespace

// From the rows in memory to a painted grid with the first rows focused.
static void BM_OpenGrid(benchmark::State &state)
{
    const auto data = makeRows(int(state.range(0)));
    for (auto _ : state) {
        GridRowsModel rows;
        rows.setRows(kFields, data);
        DataGrid grid;
        grid.resize(1000, 700);
        grid.setModel(&rows);
        grid.setSummedColumns({QStringLiteral("amnt"), QStringLiteral("price")});
        grid.show();
        grid.view()->viewport()->repaint();
        settle();
        benchmark::DoNotOptimize(grid.currentSourceRow());
    }
}
BENCHMARK(BM_OpenGrid)->Arg(100000)->Unit(benchmark::kMillisecond);

// From a SQLite file: the statement, the rows into memory, the grid shown.
static void BM_OpenGridFromDatabase(benchmark::State &state)
{
    QTemporaryDir dir;
    auto db = data::Database::openSqlite(dir.filePath(QStringLiteral("bench.sv")), true);
    db->execute(
        QStringLiteral("create table parts (id integer primary key, Type varchar(50), Marka varchar(50), "
                       "Part varchar(100), amnt integer, price double precision, dDate date, notes text)"));
    {
        data::Transaction t(*db);
        for (const QVariantList &row : makeRows(int(state.range(0))))
            db->execute(QStringLiteral("insert into parts values (?, ?, ?, ?, ?, ?, ?, ?)"), row);
        t.commit();
    }
    for (auto _ : state) {
        DataGrid grid;
        grid.resize(1000, 700);
        grid.setQuery(*db, QStringLiteral("select * from parts where amnt >= ?"), {0});
        grid.setSummedColumns({QStringLiteral("amnt"), QStringLiteral("price")});
        grid.show();
        grid.view()->viewport()->repaint();
        settle();
        benchmark::DoNotOptimize(grid.rowCount());
    }
}
BENCHMARK(BM_OpenGridFromDatabase)->Arg(100000)->Unit(benchmark::kMillisecond);

// Grouping an open grid by type and maker, every group opened.
static void BM_GroupGrid(benchmark::State &state)
{
    GridRowsModel rows;
    rows.setRows(kFields, makeRows(int(state.range(0))));
    DataGrid grid;
    grid.resize(1000, 700);
    grid.setModel(&rows);
    grid.setSummedColumns({QStringLiteral("amnt"), QStringLiteral("price")});
    grid.show();
    settle();
    double groupMs = 0, expandMs = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        grid.setGroupColumns({QStringLiteral("Type"), QStringLiteral("Marka")});
        groupMs += t.nsecsElapsed() / 1e6;
        t.restart();
        grid.fullExpand();
        grid.view()->viewport()->repaint();
        expandMs += t.nsecsElapsed() / 1e6;
        state.PauseTiming();
        grid.setGroupColumns({});
        settle();
        state.ResumeTiming();
    }
    state.counters["group_ms"] = groupMs / double(state.iterations());
    state.counters["expand_ms"] = expandMs / double(state.iterations());
}
BENCHMARK(BM_GroupGrid)->Arg(100000)->Unit(benchmark::kMillisecond);

// The model alone: grouping by type and maker with two sums, no view.
static void BM_GroupModel(benchmark::State &state)
{
    GridRowsModel rows;
    rows.setRows(kFields, makeRows(int(state.range(0))));
    GridModel model;
    model.setSourceModel(&rows);
    model.setSummed(4, true);
    model.setSummed(5, true);
    for (auto _ : state) {
        model.setGroupColumns({1, 2});
        benchmark::DoNotOptimize(model.rowCount());
        state.PauseTiming();
        model.setGroupColumns({});
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GroupModel)->Arg(100000)->Unit(benchmark::kMillisecond);

// Sorting the open grid by a text column.
static void BM_SortGrid(benchmark::State &state)
{
    GridRowsModel rows;
    rows.setRows(kFields, makeRows(int(state.range(0))));
    DataGrid grid;
    grid.resize(1000, 700);
    grid.setModel(&rows);
    grid.show();
    settle();
    bool down = false;
    for (auto _ : state) {
        grid.sortBy(QStringLiteral("Part"), down ? Qt::DescendingOrder : Qt::AscendingOrder);
        grid.view()->viewport()->repaint();
        down = !down;
    }
}
BENCHMARK(BM_SortGrid)->Arg(100000)->Unit(benchmark::kMillisecond);

// One page of scrolling with a repaint, grouped and opened; reported per page.
static void BM_ScrollPage(benchmark::State &state)
{
    GridRowsModel rows;
    rows.setRows(kFields, makeRows(int(state.range(0))));
    DataGrid grid;
    grid.resize(1000, 700);
    grid.setModel(&rows);
    grid.setSummedColumns({QStringLiteral("amnt"), QStringLiteral("price")});
    grid.setGroupColumns({QStringLiteral("Type"), QStringLiteral("Marka")});
    grid.fullExpand();
    grid.setPreviewColumn(QStringLiteral("notes"));
    grid.show();
    settle();
    QScrollBar *bar = grid.view()->verticalScrollBar();
    for (auto _ : state) {
        int next = bar->value() + bar->pageStep();
        if (next > bar->maximum())
            next = 0;
        bar->setValue(next);
        grid.view()->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollPage)->Arg(100000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
