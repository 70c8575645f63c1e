#pragma once

// Sending an order's device on to an external service, from the intake or
// from the register.

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace morlenta::data {
class Database;
}

namespace morlenta::orders {

struct DispatchTarget {
    QString name, address;
    bool editable = true;  // false: the warrantor itself, fixed
    bool offerList = true; // the known services are offered
};

// The warrantor of a warranty-giver order when it is a known supplier;
// otherwise an open choice (without the list when the warrantor is unknown).
DispatchTarget dispatchTarget(data::Database &db, int typeWarr, const QString &warName);

QStringList otherServices(data::Database &db);
// The stored address of a known service, empty otherwise.
QString otherServiceAddress(data::Database &db, const QString &name);

// Why the order may not be sent again, judged by its latest external row.
std::optional<QString> dispatchRefusal(data::Database &db, qint64 idPor);

// An order with a technician but no work and no part yet loses its technician.
void releaseIdleTechnician(data::Database &db, qint64 idPor);

// "Въведете името на сервиза!" when the trimmed name is empty; otherwise the
// dispatch, all or nothing: a new service remembered (editable case), the
// externals row, the order's work text and state 5.
std::optional<QString> recordDispatch(data::Database &db, qint64 idPor, const DispatchTarget &target,
                                      const QDate &today);

} // namespace morlenta::orders
