#pragma once

// The work lines of a repair order and the repricing of its lines when the
// order window opens, after an issued part and when the warranty basis or
// the technician changes.

#include "orders/order_money.h"

#include <QList>
#include <QString>

#include <optional>

namespace morlenta::data {
class Database;
}

namespace morlenta::orders {

struct WorkLine {
    qint64 id = 0;
    int idOp = 0;
    QString trud;
    double pr1 = 0, pr2 = 0;
};

struct PartLine {
    qint64 id = 0;
    qint64 idPart = 0;
    QString part, partNo;
    int amnt = 0;
    double priceLV = 0;
};

// An operation of the catalogue as a work line takes it.
struct OperationChoice {
    int id = 0;
    QString code, name;
    OperationPrices prices;
};

struct OrderTechnician {
    int id = 0;
    QString name;
    int percent = 0;
};
// Active technicians (not workers), in table order.
QList<OrderTechnician> orderTechnicians(data::Database &db);

QList<WorkLine> workLines(data::Database &db, qint64 idPor);
QList<PartLine> partLines(data::Database &db, qint64 idPor);
std::optional<OperationPrices> operationPrices(data::Database &db, int idOp);
// "код: " + code + " - " + name, or the name alone.
QString workLineText(const QString &code, const QString &name);

// Appends the line with its price and share; the first line of the order
// counts for pay mode 3.
WorkLine addWorkLine(data::Database &db, qint64 idPor, const OperationChoice &op, Basis basis,
                     const PayRule &rule, int percent);
// Removes the line; in pay mode 3 the remaining first line gets the fixed share.
void removeWorkLine(data::Database &db, qint64 idPor, qint64 lineId, Basis basis, const PayRule &rule);

struct LineSums {
    double parts = 0;
    double trudClient = 0;
    double trudClerk = 0;
    // A line's operation is gone from the catalogue: every work line was removed.
    bool missingOperation = false;
};
LineSums lineSums(data::Database &db, qint64 idPor);

// True when a part line's price in this basis needs the day's rates.
bool repriceNeedsRates(data::Database &db, qint64 idPor, Basis basis);
// Every work line and part line priced again by the rules; all or nothing.
LineSums repriceLines(data::Database &db, qint64 idPor, Basis basis, const PayRule &rule, int percent,
                      const CurrencyRates &rates);
// Pay mode 2 after a change of technician: every share from the new percent.
LineSums reshareLines(data::Database &db, qint64 idPor, Basis basis, int percent);

QString missingOperationsText();

// The order's money columns as the window holds them.
void writeOrderMoney(data::Database &db, qint64 idPor, const OrderAmounts &a, Basis basis,
                     const QString &warName);

} // namespace morlenta::orders
