#pragma once

// An order, articles with their serials and a technician's holding, written
// straight into the tables for the order parts tests.

#include "data/database.h"

#include <QHash>
#include <QStringList>

namespace morlenta::test {

class PartsFixture {
public:
    explicit PartsFixture(data::Database &db) : db_(db) {}

    // An order with a fee already in its total.
    void order(qint64 idPor, const QString &serial, double fee)
    {
        db_.insert(QStringLiteral("porychka"), {{QStringLiteral("idPor"), idPor},
                                                {QStringLiteral("Serial"), serial},
                                                {QStringLiteral("taksa"), fee},
                                                {QStringLiteral("sumParts"), 0.0},
                                                {QStringLiteral("sumAll"), fee},
                                                {QStringLiteral("ready"), false},
                                                {QStringLiteral("payed"), false},
                                                {QStringLiteral("porState"), 1}});
    }

    qint64 part(const QString &name, int amnt, double outPrice, const QStringList &serials = {},
                const QString &type = QStringLiteral("Дисплей"), int opVal = 1, const QString &partNo = {})
    {
        const qint64 id = db_.insert(QStringLiteral("parts"), {{QStringLiteral("Part"), name},
                                                               {QStringLiteral("TypeID"), typeId(type)},
                                                               {QStringLiteral("PartNo"), partNo},
                                                               {QStringLiteral("inPrice"), outPrice / 2},
                                                               {QStringLiteral("ipVal"), 1},
                                                               {QStringLiteral("outPrice"), outPrice},
                                                               {QStringLiteral("opVal"), opVal},
                                                               {QStringLiteral("amnt"), amnt}});
        for (const QString &sn : serials)
            db_.insert(QStringLiteral("PartSN"),
                       {{QStringLiteral("idPart"), id}, {QStringLiteral("SN"), sn}});
        return id;
    }

    qint64 clerk(const QString &name)
    {
        return db_.insert(QStringLiteral("clerks"), {{QStringLiteral("Name"), name},
                                                     {QStringLiteral("Active"), true},
                                                     {QStringLiteral("worker"), 0},
                                                     {QStringLiteral("Percent"), 0}});
    }

    qint64 holding(qint64 idClerk, qint64 idPart, int amnt, const QString &serial = {})
    {
        return db_.insert(QStringLiteral("PartsInClerks"), {{QStringLiteral("idClerk"), idClerk},
                                                            {QStringLiteral("idPart"), idPart},
                                                            {QStringLiteral("amnt"), amnt},
                                                            {QStringLiteral("notes"), serial}});
    }

private:
    qint64 typeId(const QString &type)
    {
        if (!types_.contains(type))
            types_.insert(type, db_.insert(QStringLiteral("typeparts"), {{QStringLiteral("Type"), type}}));
        return types_.value(type);
    }

    data::Database &db_;
    QHash<QString, qint64> types_;
};

} // namespace morlenta::test
