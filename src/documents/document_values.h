#pragma once

// The values of the five documents, each in its replacement order, from a
// plain source: a window's inputs or an order with its rows.

#include "documents/placeholders.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <QVariant>

namespace morlenta::data {
class Database;
}

namespace morlenta::documents {

struct ShopData {
    QString serviceName, serviceAddress, servicePhones;
    QString firmName, firmAddress;
};
ShopData loadShopData(data::Database &db);

struct PartLine {
    QString maker, type, part;
    int amnt = 0;
    double priceLV = 0;
};
struct OperationLine {
    QString trud;
    double pr1 = 0;
};
struct VisitRow {
    QString notes;
    QDate dateVisit;
    bool visited = false;
};

// One order row with what hangs on it; missing values stay null.
struct OrderData {
    int idPor = 0;
    QVariant porDate, art, marka, model, serial, fiscal, defect, aks;
    QVariant clientNames, clientAdres, clientPhones;
    QVariant typeWarr, warName, porState, timeVisit;
    QVariant taksa, transport, sumAll, sumParts, sumTrud;
    QString clerk;  // the technician's name
    QList<PartLine> parts;
    QList<OperationLine> operations;
    QList<VisitRow> visits;            // homevisit rows with field1 = the order number
    QList<VisitRow> maintenanceVisits;  // homevisit rows with field2 = the order number
};
// Empty (idPor 0) when there is no such order.
OrderData loadOrderData(data::Database &db, int idPor);

// The intake window's inputs for the service card.
struct ServiceCardInput {
    int number = 0;
    QString article, brand, model, serial, fiscal, defect, accessories;
    QString clientName, clientAddress, clientPhones;
    QString dateText;  // today's date as the window shows it
    int warrantyBasis = 0;
    QString warrantor;
    QString placeText;  // the place choice's text
    int placeIndex = 0;
    QDate visitDate;
    QString partOfDay;
    QString moreInfo;
};

struct ProtocolInput {
    int protocolNumber = 0;
    QString dateText;
    QString brand, model, clientName, clientAddress, serial, fiscal, taxAdmin;
    QDate today;
    QTime now;
};

struct ConditionerInput {
    int number = 0;
    QString clientName, clientAddress, clientPhones;
    QString dateText, visitDateText, partOfDay;
    QString article, brand, model, serial;
    QString kindOfWork;
    QStringList maintenanceDates;  // the enabled date boxes, in order; empty when the first is hidden
    QString worker, moreInfo;
};

// The double-width codes around the service name on a dot-matrix printer.
QString doubleWidth(const QString &name);

Placeholders serviceCardValues(const ServiceCardInput &in, const ShopData &shop, bool matrix);
Placeholders serviceCardValues(const OrderData &order, const ShopData &shop, bool matrix);
Placeholders readyCardValues(const OrderData &order, const ShopData &shop, bool prices);
Placeholders protocolValues(const ProtocolInput &in, const ShopData &shop);
Placeholders conditionerValues(const ConditionerInput &in, const ShopData &shop, bool matrix);
Placeholders conditionerValues(const OrderData &order, const ShopData &shop, bool matrix);
Placeholders changeSnValues(const OrderData &order, const ShopData &shop, const QString &newSn, bool matrix);

// The ready card's lists: 64 + "%4d" + " бр." (+ price) and 72 (+ price), each ending in CR LF.
QString partsLines(const QList<PartLine> &parts, bool prices);
QString operationLines(const QList<OperationLine> &operations, bool prices);
// "%discount%": empty when the total is the sum of its parts.
QString discountText(const OrderData &order);
// "%type%" of the ready card.
QString readyCardStateText(const QVariant &porState);
// "%warranty%" of the cards.
QString cardWarrantyText(const QVariant &typeWarr, const QVariant &warName);

} // namespace morlenta::documents
