#pragma once

// Finishing and paying a repair order: the order as the order window loads
// it, the entry checks of its three commands, and the postings of completion
// and payment, each all or nothing.

#include "orders/order_money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

namespace morlenta::data {
class Database;
}

namespace morlenta::orders {

// The three ways the order window opens.
enum class OrderMode { Parts = 0, Complete = 1, Pay = 2 };

struct OrderRecord {
    qint64 idPor = 0;
    QString clientNames, warName, serial, softVersion, codeGet;
    int typeWarr = 0, idClerk = 0, porState = 0;
    bool ready = false, payed = false;
    double taksa = 0, sumTrud = 0, sumParts = 0, sumAll = 0, transport = 0, pech = 0;
};
std::optional<OrderRecord> loadOrderRecord(data::Database &db, qint64 idPor);

// "Няма поръчка с номер N!"
QString noSuchOrderText(qint64 idPor);
// Why the order cannot be opened in this mode (ready, not ready, paid, at an external service).
std::optional<QString> orderEntryRefusal(data::Database &db, const OrderRecord &order, OrderMode mode);
bool techniciansExist(data::Database &db);
QString noTechniciansText();

// The client firm's discount percents on parts and labour (0 for a private client).
struct FirmDiscounts {
    int firmId = 0; // 0: the client is not a firm
    double parts = 0, jobs = 0;
};
FirmDiscounts firmDiscounts(data::Database &db, const QString &clientName);

// The price of the order's successful external repair and its currency, if there is one.
struct ExternalPrice {
    double price = 0;
    int idVal = 1;
};
std::optional<ExternalPrice> externalRepair(data::Database &db, qint64 idPor);

// porState written at completion for the state choice (3, 4, 6, 7); 0 for any other index.
int completedState(int stateIndex);
// The state choice of an order being paid.
int stateIndexOf(int porState);

// "От поръчка №", "Плащане поръчка №" and the other notes of the postings.
struct CompletionInput {
    qint64 idPor = 0;
    int clerkId = 0; // 0: the external service
    OrderAmounts amounts;
    QString artNo;
    int stateIndex = 0;
    QString clientName;
    QDate today;
    QTime now;
};
// The order ready, the technician's pay, the warrantor's claim, the home
// visit and the transport income.
void completeOrder(data::Database &db, const CompletionInput &in);

struct PaymentInput {
    qint64 idPor = 0;
    int clerkId = 0;
    OrderAmounts amounts;
    bool warranty = false;
    bool onAccount = false; // on the firm's account instead of the till
    int firmId = 0;         // the client firm, 0 for a private client
    QString clientName;
    bool multiCurrency = false;
    CurrencyRates rates;
    int userId = 0;
    QDate today;
    QTime now;
};
struct PaymentResult {
    double profit = 0; // P: labour, fee and parts
};
// The order paid, the protocol closed, the profit, the money and the discount.
PaymentResult payOrder(data::Database &db, const PaymentInput &in);

// Adds to today's profit row of a source and currency, or appends it.
void addProfit(data::Database &db, const QDate &day, int idNote, int idVal, double amount);

} // namespace morlenta::orders
