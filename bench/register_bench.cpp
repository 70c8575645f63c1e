// The order register on the demo shop: from the query of each ready-made list
// and of a client-name and a serial "contains" search to the rows in the grid
// model, on 10 000, 100 000 and 1 000 000 orders.
//
// SQLite files are made once as /tmp/morlenta-bench-<orders>.sv (the folder
// can be changed with MORLENTA_BENCH_DIR) and reused. With MORLENTA_BENCH_PG
// (or else MORLENTA_TEST_PG) naming a server, the same runs on PostgreSQL in
// the schemas bench_<orders>, also made once.

#include "common/local_settings.h"
#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "data/default_database.h"
#include "maintenance/demo_database.h"
#include "orders/order_register.h"
#include "orders/tfrm_spr_por.h"
#include "platform/data_grid.h"
#include "platform/grid_rows_model.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUrl>
#include <QUrlQuery>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

using namespace morlenta;

namespace {

// The lists never ask here: every period list gets its dates.
class SilentPrompt final : public Prompt {
public:
    void show(const QString &, const QString &, PromptIcon) override {}
    PromptAnswer ask(const QString &, const QString &, PromptIcon, PromptButtons) override
    {
        return PromptAnswer::Yes;
    }
    void waitMessage(const QString &) override {}
};

bool onServer(int64_t engine)
{
    return engine == 1;
}

QString serverUrl()
{
    const QString pg = qEnvironmentVariable("MORLENTA_BENCH_PG");
    return pg.isEmpty() ? qEnvironmentVariable("MORLENTA_TEST_PG") : pg;
}

bool progressLine(int done, int total)
{
    std::fprintf(stderr, "\r  demo shop: %d / %d orders", done, total);
    if (done == total)
        std::fprintf(stderr, "\n");
    return true;
}

std::unique_ptr<data::Database> openSqliteShop(int orders)
{
    const QString dir = qEnvironmentVariable("MORLENTA_BENCH_DIR", QStringLiteral("/tmp"));
    const QString path = QDir(dir).filePath(QStringLiteral("morlenta-bench-%1.sv").arg(orders));
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr, "making %s\n", qPrintable(path));
        maintenance::DemoOptions o;
        o.orders = orders;
        maintenance::createDemoDatabase(path, o, progressLine);
    }
    return data::Database::openSqlite(path);
}

std::unique_ptr<data::Database> openServerShop(int orders)
{
    const QString schema = QStringLiteral("bench_%1").arg(orders);
    {
        auto admin = data::Database::openPostgres(serverUrl());
        admin->execute(QStringLiteral("create schema if not exists ") + schema);
    }
    QUrl url(serverUrl());
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("options"), QStringLiteral("-c search_path=") + schema +
                                                      QStringLiteral(" -c client_min_messages=warning"));
    url.setQuery(query);
    auto db = data::Database::openPostgres(url.toString());
    const bool made = db->hasTable(QStringLiteral("porychka")) &&
                      db->scalar(QStringLiteral("select count(*) from porychka")).toInt() == orders;
    if (!made) {
        std::fprintf(stderr, "making schema %s\n", qPrintable(schema));
        for (const QString &t : db->tables())
            db->dropTable(t);
        data::initializeNewDatabase(*db);
        maintenance::DemoOptions o;
        o.orders = orders;
        maintenance::fillDemoDatabase(*db, o, progressLine);
        db->execute(QStringLiteral("analyze"));
    }
    return db;
}

// Opened once per engine and size; closed before the application ends.
std::map<std::pair<int64_t, int64_t>, std::unique_ptr<data::Database>> shops;

data::Database *shop(benchmark::State &state)
{
    const auto key = std::pair{state.range(0), state.range(1)};
    auto &db = shops[key];
    if (!db) {
        if (onServer(key.first) && serverUrl().isEmpty()) {
            state.SkipWithError("no PostgreSQL server named");
            return nullptr;
        }
        db = onServer(key.first) ? openServerShop(int(key.second)) : openSqliteShop(int(key.second));
    }
    return db.get();
}

enum Case : int64_t {
    Open,
    Overdue,
    ReadyUnpaid,
    TakenIn,
    Finished,
    Paid,
    ClientName,
    SerialPart,
    ClientNamePlain
};

const char *caseName(int64_t c)
{
    static const char *const names[] = {"open",           "overdue",        "ready_unpaid",
                                        "taken_in_month", "finished_month", "paid_month",
                                        "client_surname", "serial_part",    "client_surname_no_index"};
    return names[c];
}

// Eight digits from the middle of a device's number, as a clerk types what he can read.
QString serialPart(data::Database &db)
{
    return db
        .scalar(QStringLiteral("select Serial from porychka where Art = 'GSM' and idPor > ? order by idPor"),
                {db.scalar(QStringLiteral("select max(idPor) / 2 from porychka"))})
        .toString()
        .mid(4, 8);
}

// The query the register runs for a case, built by the register's own code.
orders::RegisterQuery registerQuery(data::Database &db, int64_t c)
{
    SilentPrompt prompt;
    const QDate today = QDate::currentDate();
    const QDate monthStart(today.year(), today.month(), 1);
    const orders::ReadyList lists[] = {orders::ReadyList::Open,        orders::ReadyList::Overdue,
                                       orders::ReadyList::ReadyUnpaid, orders::ReadyList::TakenIn,
                                       orders::ReadyList::Finished,    orders::ReadyList::Paid};
    if (c <= Paid)
        return *orders::readyListQuery(lists[c], monthStart, today, today, prompt);
    if (c == ClientNamePlain)
        // The same search without the trigram index, for comparison.
        return {db.likeCondition(QStringLiteral("ClientNames")),
                {data::likePattern(QStringLiteral("*Петров*"))},
                QString()};
    orders::RegisterCriteria criteria;
    if (c == ClientName) {
        criteria.clientName = QStringLiteral("Петров");
    } else {
        criteria.serial = serialPart(db);
    }
    return *orders::criteriaQuery(db, criteria, prompt);
}

void label(benchmark::State &state, int rows)
{
    state.SetLabel(std::string(onServer(state.range(0)) ? "pg " : "sqlite ") + caseName(state.range(2)));
    state.counters["rows"] = rows;
}

} // namespace

// The statement and every row into the grid's model.
static void BM_RegisterRows(benchmark::State &state)
{
    data::Database *db = shop(state);
    if (!db)
        return;
    const orders::RegisterQuery q = registerQuery(*db, state.range(2));
    int rows = 0;
    for (auto _ : state) {
        GridRowsModel model;
        model.load(*db, q.sql(), q.params);
        rows = model.rowCount();
        benchmark::DoNotOptimize(rows);
    }
    label(state, rows);
}

// The engine alone: the same condition counted, no row leaves the database.
static void BM_RegisterCount(benchmark::State &state)
{
    data::Database *db = shop(state);
    if (!db)
        return;
    const orders::RegisterQuery q = registerQuery(*db, state.range(2));
    int rows = 0;
    for (auto _ : state)
        rows = db->scalar(QStringLiteral("select count(*) from porychka where ") + q.condition, q.params)
                   .toInt();
    label(state, rows);
}

// What a grid that fetched as it scrolled would wait for: the statement and its first 50 rows.
static void BM_RegisterFirstRows(benchmark::State &state)
{
    data::Database *db = shop(state);
    if (!db)
        return;
    const orders::RegisterQuery q = registerQuery(*db, state.range(2));
    int rows = 0;
    for (auto _ : state) {
        QSqlQuery query = db->exec(q.sql(), q.params);
        rows = 0;
        const int columns = query.record().count();
        while (rows < 50 && query.next()) {
            for (int i = 0; i < columns; ++i)
                benchmark::DoNotOptimize(query.value(i));
            ++rows;
        }
    }
    label(state, rows);
}

// As the window does it: the grid gets the statement and is painted with the first rows.
static void BM_RegisterGrid(benchmark::State &state)
{
    data::Database *db = shop(state);
    if (!db)
        return;
    const orders::RegisterQuery q = registerQuery(*db, state.range(2));
    int rows = 0;
    for (auto _ : state) {
        DataGrid grid;
        grid.resize(1000, 700);
        grid.setQuery(*db, q.sql(), q.params);
        grid.show();
        grid.view()->viewport()->repaint();
        QApplication::processEvents();
        rows = grid.rowCount();
    }
    label(state, rows);
}

// The register window itself, opened once as in the program: the list or
// search command to the grid shown with its columns fitted, every group opened
// and the cursor on the first order.
static void BM_RegisterWindow(benchmark::State &state)
{
    data::Database *db = shop(state);
    if (!db)
        return;
    if (state.range(2) > SerialPart) {
        state.SkipWithError("the window has no search without the index");
        return;
    }
    QTemporaryDir dir;
    LocalSettings settings(dir.filePath(QStringLiteral("bench.conf")));
    SilentPrompt prompt;
    Session session;
    session.db = db;
    session.prompt = &prompt;
    session.settings = &settings;
    session.clerkName = QStringLiteral("Администратор");
    session.rights = QString(60, QLatin1Char('1'));
    orders::TfrmSprPor w(session);
    w.resize(1000, 700);
    w.show();
    const int64_t c = state.range(2);
    QRadioButton *const radios[] = {w.rb1, w.rb6, w.rb2, w.rb3, w.rb4, w.rb5};
    if (c <= Paid) {
        radios[c]->setChecked(true);
    } else {
        if (c == ClientName)
            w.eNames->setText(QStringLiteral("Петров"));
        else
            w.eSN->setText(serialPart(*db));
    }
    // The time to the first rows on screen; the rest of a long list, which the
    // grid reads right after from the event loop, is counted apart ("rest_ms").
    double rest = 0;
    int firstRows = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        if (c <= Paid)
            w.BitBtn1Click();
        else
            w.BitBtn2Click();
        w.dtPor->view()->viewport()->repaint();
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        firstRows = w.dtPor->rowCount();
        t.restart();
        QApplication::processEvents();
        rest += double(t.nsecsElapsed()) / 1e6;
    }
    label(state, w.dtPor->rowCount());
    state.counters["first_rows"] = firstRows;
    state.counters["rest_ms"] = rest / double(state.iterations());
    // The share of the column fitting, which measures the text of every row up to 5000.
    QElapsedTimer fit;
    fit.start();
    w.dtPor->bestFit();
    state.counters["fit_ms"] = double(fit.nsecsElapsed()) / 1e6;
}

static void shopArgs(benchmark::internal::Benchmark *b)
{
    for (int64_t engine : {0, 1})
        for (int64_t orders : {10000, 100000, 1000000})
            for (int64_t c = Open; c <= ClientNamePlain; ++c)
                b->Args({engine, orders, c});
    b->ArgNames({"pg", "orders", "case"});
    b->Unit(benchmark::kMillisecond);
}

static void registerArgs(benchmark::internal::Benchmark *b)
{
    shopArgs(b);
    b->UseRealTime();
}

BENCHMARK(BM_RegisterRows)->Apply(registerArgs);
BENCHMARK(BM_RegisterCount)->Apply(registerArgs);
BENCHMARK(BM_RegisterFirstRows)->Apply(registerArgs);
BENCHMARK(BM_RegisterGrid)->Apply(registerArgs);
// The window's own time is the time to its first rows on screen.
static void windowArgs(benchmark::internal::Benchmark *b)
{
    shopArgs(b);
    b->UseManualTime();
}

BENCHMARK(BM_RegisterWindow)->Apply(windowArgs);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    shops.clear();
    return 0;
}
