#include "data/upgrade.h"

#include "common/prompt.h"
#include "common/rights.h"
#include "data/database.h"
#include "data/schema.h"
#include "data/transaction.h"

#include <QSqlQuery>

#include <optional>

namespace morlenta::data {

namespace {

// The columns later versions added, in the order they are checked.
struct ColumnStep {
    const char *table;
    const char *column;
};
constexpr ColumnStep kColumnSteps[] = {
    {"externals", "Adres"},
    {"FactData", "Deleted"},
    {"FactData", "sumBank"},
    {"FactData", "sumBroy"},
    {"porychka", "idPriel"},
    {"porychka", "TimeVisit"},
    {"porychka", "Transport"},
    {"firms", "ReductJobs"},
    {"homevisit", "AMPM"},
    {"otchet_warranties", "Transport"},
    {"otchet_warranties", "otchTrans"},
    {"sprSales", "RazpNo"},
    {"clerks", "preferences"},
    {"parts", "idMarka"},
    {"parts", "barcode"},
    {"parts", "catalogs"},
};

const ColumnDef &declared(const char *table, const char *column)
{
    const TableDef *t = findTable(QString::fromLatin1(table));
    const ColumnDef *c = t ? t->find(QString::fromLatin1(column)) : nullptr;
    if (!c)
        throw DbError(QStringLiteral("Колоната %1.%2 не е описана.")
                          .arg(QString::fromLatin1(table), QString::fromLatin1(column)));
    return *c;
}

QString rightsMessage()
{
    return QStringLiteral("ВНИМЕНИЕ: Създадена е нова система за права на потребителите на "
                          "програмата!\n\nMoжете да задавате индивидуални права за всеки потребител!");
}

QString makersWaitMessage()
{
    return QStringLiteral("Създадава се ново поле за ПРОИЗВОДИТЕЛ на резервните части");
}

QString searchIndexWaitMessage()
{
    return QStringLiteral("Създава се индекс за търсене в поръчките, моля изчакайте ...");
}

void fillRights(Database &db)
{
    QSqlQuery q = db.exec(QStringLiteral("select id, Nivo from clerks"));
    QList<std::pair<qint64, int>> clerks;
    while (q.next())
        clerks.append({q.value(0).toLongLong(), q.value(1).toInt()});
    q.finish();
    for (const auto &[id, level] : clerks) {
        // The administrator can never be restricted, whatever level the old file gave him.
        const QString rights = id == 1 ? administratorRights() : rightsPreset(level);
        db.execute(QStringLiteral("update clerks set preferences = ? where id = ?"), {rights, id});
    }
}

void addMakers(Database &db, Prompt &prompt)
{
    if (!db.hasTable(QStringLiteral("partMarka")))
        db.createTable(*findTable(QStringLiteral("partMarka")));
    db.ensurePrimaryKey(QStringLiteral("parts"), QStringLiteral("id"));
    db.addColumn(QStringLiteral("parts"), declared("parts", "idMarka"));
    if (db.scalar(QStringLiteral("select count(*) from parts")).toLongLong() == 0)
        return;
    const qint64 id =
        db.insert(QStringLiteral("partMarka"), {{QStringLiteral("Marka"), QStringLiteral("---")}});
    WaitMessage wait(prompt, makersWaitMessage());
    db.execute(QStringLiteral("update parts set idMarka = ?"), {id});
}

} // namespace

UpgradeResult upgradeDatabase(Database &db, Prompt &prompt)
{
    UpgradeResult result;

    for (const TableDef &t : schemaTables()) {
        if (!t.createdAtStart || db.hasTable(QString::fromLatin1(t.name)))
            continue;
        try {
            db.createTable(t);
            ++result.tablesCreated;
        } catch (const DbError &) {
            // Ignored: the window that needs the table reports the failure.
        }
    }

    for (const ColumnStep &step : kColumnSteps) {
        const QString table = QString::fromLatin1(step.table);
        const QString column = QString::fromLatin1(step.column);
        if (db.hasColumn(table, column))
            continue;
        Transaction tx(db);
        if (column == QLatin1String("idMarka")) {
            addMakers(db, prompt);
            result.makersFilled = true;
        } else {
            db.addColumn(table, declared(step.table, step.column));
        }
        if (column == QLatin1String("sumBroy"))
            // Invoices issued before the split count as paid in cash.
            db.execute(QStringLiteral("update FactData set sumBank = 0, sumBroy = EndSum"));
        if (column == QLatin1String("preferences"))
            fillRights(db);
        tx.commit();
        ++result.columnsAdded;
        if (column == QLatin1String("preferences")) {
            result.rightsFilled = true;
            prompt.show(Prompt::messageCaption(), rightsMessage(), PromptIcon::Warning);
        }
    }

    // Unique indexes keep numbers unique; an old file that already holds
    // duplicates keeps working without the index ("if not exists" leaves a
    // current file as it is).
    for (const IndexDef &i : schemaIndexes()) {
        try {
            db.createIndex(i);
        } catch (const DbError &) {
        }
    }
    // A file that never had the search indexes gets them now (filled from
    // its rows, once); one that cannot have them keeps the plain search.
    for (const SearchIndexDef &s : schemaSearchIndexes()) {
        try {
            if (db.hasSearchIndex(s))
                continue;
            // Indexing a big file's orders takes a while, once.
            std::optional<WaitMessage> wait;
            if (!db.scalar(QStringLiteral("select 1 from %1 limit 1").arg(QString::fromLatin1(s.table)))
                     .isNull())
                wait.emplace(prompt, searchIndexWaitMessage());
            db.createSearchIndex(s);
        } catch (const DbError &) {
        }
    }
    return result;
}

} // namespace morlenta::data
