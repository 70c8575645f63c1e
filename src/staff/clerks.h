#pragma once

// The clerks: technicians and employees with their pay, percent, login and
// rights. Nobody is deleted; a clerk who leaves is marked "Напуснал" and can
// no longer log in. The administrator (id 1) keeps his status, kind, level
// and rights as stored.

#include <QString>
#include <QVariant>

#include <optional>

namespace morlenta {
class Prompt;
namespace data {
class Database;
}
} // namespace morlenta

namespace morlenta::staff {

inline constexpr int kAdministratorId = 1;
enum ClerkKind : int { KindTechnician = 0, KindEmployee = 1 };

struct Clerk {
    int id = 0; // 0: not stored yet
    QString name;
    QString info;
    QString nick;
    double pay = 0;
    int percent = 0;
    bool active = true;
    int nivo = 2;
    int worker = KindTechnician;
    QString rights;
};

// "Работещ" / "Напуснал".
QString clerkStatusText(bool active);
// "Служител" for an employee, "Техник" for any other kind, empty when none is stored.
QString clerkKindText(const QVariant &worker);

// A new clerk: working, level 2, the new clerk's rights.
Clerk newClerk();
std::optional<Clerk> loadClerk(data::Database &db, int id);

class ClerkStore {
public:
    ClerkStore(data::Database &db, Prompt &prompt) : db_(db), prompt_(prompt) {}

    // Stores a new clerk (id 0) or changes a stored one. Name, login name and
    // password are trimmed (and written back into `clerk`); an empty password
    // keeps the stored one, a typed one is stored as its hash. An employee's
    // percent is 0. False, with the message shown, for an empty or taken name.
    bool save(Clerk &clerk, const QString &typedPassword);

    static QString duplicateText(); // "Служител с такова име вече е въведен!"
    static QString emptyNameText();

private:
    data::Database &db_;
    Prompt &prompt_;
};

} // namespace morlenta::staff
