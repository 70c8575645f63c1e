#pragma once

// The order register's queries: the ready-made lists, the criteria search,
// and the small changes made from the list (waiting for parts).

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace morlenta {
class Prompt;
namespace data {
class Database;
}
} // namespace morlenta

namespace morlenta::orders {

// The register's current result: "select * from porychka" and its condition.
struct RegisterQuery {
    QString condition; // empty: every order
    QVariantList params;
    QString description; // shown above the grid and printed under the title
    QString sql() const;
};

// rb1 .. rb6 of the window.
enum class ReadyList { Open, Overdue, ReadyUnpaid, TakenIn, Finished, Paid };

// A period list without dates asks first; nothing when the user declines.
std::optional<RegisterQuery> readyListQuery(ReadyList list, const QDate &from, const QDate &to,
                                            const QDate &today, Prompt &prompt);

// "Без избор" and then the technicians; one who left is listed with " - напуснал".
struct RegisterTechnician {
    int id = 0;
    QString listed;
};
QList<RegisterTechnician> registerTechnicians(data::Database &db);
QString leftSuffix(); // " - напуснал"

struct RegisterCriteria {
    QString number;
    QString clientName, address, phone;
    QString article, brand; // empty: no choice
    QString model, serial;
    int technicianId = 0; // 0: no choice
    QString technicianListed;
    int warrantyIndex = 0; // 0: no choice, i >= 1 is basis i - 1
    QString warrantyText;
    QString externalOrder;
    QDate from, to;
};
// Text criteria count from this many characters.
inline constexpr int kMinSearchText = 4;

// Tells "Не сте задали критерий за търсене!" and gives nothing when no criterion is set.
std::optional<RegisterQuery> criteriaQuery(data::Database &db, RegisterCriteria criteria, Prompt &prompt);

// What the current order allows.
struct OrderCommands {
    bool complete = false; // completion, parts, print service card, edit
    bool readyCard = false;
    bool waitParts = false;
    bool pay = false;
    bool sendOut = false;
    bool noteEditable = false;
};
OrderCommands orderCommands(bool ready, bool payed, int porState, const QString &codeGet);

// The note gets "Чака части, <date> - <user>" and the order state 2.
void markWaitingForParts(data::Database &db, qint64 idPor, const QString &user, const QDate &today);
QString waitingNote(const QString &note, const QString &user, const QDate &today);

// What the register shows beside the current order.
struct ExternalRow {
    QString contragent;
    QDate sent, back;
    bool success = false;
};
QList<ExternalRow> externalRows(data::Database &db, qint64 idPor);
struct RegisterPart {
    QString part, marka, type;
    int amnt = 0;
    double priceLV = 0;
};
QList<RegisterPart> registerParts(data::Database &db, qint64 idPor);
// Every clerk's name by id, and the orders that were ever sent out.
QHash<int, QString> clerkNames(data::Database &db);
QSet<qint64> ordersSentOut(data::Database &db);
void saveOrderNote(data::Database &db, qint64 idPor, const QString &note);

// Period corrections of the two date boxes; `fromChanged` tells which one the user moved.
void correctPeriod(QDate &from, QDate &to, bool fromChanged, const QDate &today);

} // namespace morlenta::orders
