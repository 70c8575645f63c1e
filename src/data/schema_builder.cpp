#include "data/schema_builder.h"

#include "data/database.h"
#include "data/schema.h"
#include "data/transaction.h"

namespace morlenta::data {

void createSchema(Database &db)
{
    Transaction tx(db);
    for (const TableDef &t : schemaTables())
        db.createTable(t);
    for (const IndexDef &i : schemaIndexes())
        db.createIndex(i);
    // Without trigram support the searches work as well, only slower.
    for (const SearchIndexDef &s : schemaSearchIndexes())
        db.createSearchIndex(s);
    tx.commit();
}

QStringList missingSchemaParts(Database &db)
{
    QStringList missing;
    const QStringList present = db.tables();
    for (const TableDef &t : schemaTables()) {
        const QString name = QString::fromLatin1(t.name);
        if (!present.contains(name, Qt::CaseInsensitive)) {
            missing << name;
            continue;
        }
        const QStringList cols = db.columns(name);
        for (const ColumnDef &c : t.columns)
            if (!cols.contains(QString::fromLatin1(c.name), Qt::CaseInsensitive))
                missing << name + QLatin1Char('.') + QString::fromLatin1(c.name);
    }
    return missing;
}

} // namespace morlenta::data
