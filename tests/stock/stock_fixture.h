#pragma once

// A small catalogue for the stock tests: types, brands and articles written
// straight into the tables.

#include "data/database.h"

namespace morlenta::test {

inline qint64 addType(data::Database &db, const QString &name)
{
    return db.insert(QStringLiteral("typeparts"), {{QStringLiteral("Type"), name}});
}

inline qint64 addBrand(data::Database &db, const QString &name)
{
    return db.insert(QStringLiteral("partMarka"), {{QStringLiteral("Marka"), name}});
}

inline qint64 addPart(data::Database &db, const QString &part, qint64 type, qint64 brand,
                      const QString &barcode = {}, const QVariant &amnt = {}, const QString &partNo = {},
                      const QString &catalogs = {})
{
    return db.insert(QStringLiteral("parts"),
                     {{QStringLiteral("Part"), part},
                      {QStringLiteral("TypeID"), type},
                      {QStringLiteral("idMarka"), brand},
                      {QStringLiteral("PartNo"), partNo},
                      {QStringLiteral("barcode"),
                       barcode.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(barcode)},
                      {QStringLiteral("catalogs"), catalogs},
                      {QStringLiteral("amnt"), amnt.isValid() ? amnt : QVariant(QMetaType(QMetaType::Int))}});
}

inline int count(data::Database &db, const QString &sql, const QVariantList &params = {})
{
    return db.scalar(sql, params).toInt();
}

} // namespace morlenta::test
