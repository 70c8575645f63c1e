// Writes the demo shop into a new SQLite file: make_demo_db <file> <orders> [seed]

#include "data/database.h"
#include "maintenance/demo_database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

using namespace morlenta;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: make_demo_db <file> <orders> [seed]\n");
        return 2;
    }
    maintenance::DemoOptions options;
    bool ok = false;
    options.orders = args[2].toInt(&ok);
    if (!ok || options.orders < 0) {
        std::fprintf(stderr, "the number of orders must be a whole number\n");
        return 2;
    }
    if (args.size() > 3)
        options.seed = args[3].toULongLong();
    QElapsedTimer timer;
    timer.start();
    try {
        maintenance::createDemoDatabase(args[1], options, [&](int done, int total) {
            std::fprintf(stderr, "\r%d / %d orders, %.1f s", done, total, double(timer.elapsed()) / 1000.0);
            return true;
        });
    } catch (const data::DbError &e) {
        std::fprintf(stderr, "\n%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "\n%s: %lld MB in %.1f s\n", qPrintable(args[1]),
                 QFileInfo(args[1]).size() / (1024 * 1024), double(timer.elapsed()) / 1000.0);
    return 0;
}
