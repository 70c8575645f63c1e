#pragma once

// The client firms as the choosers read them.

#include <QList>
#include <QString>

#include <optional>

namespace morlenta::data {
class Database;
}

namespace morlenta::invoicing {

struct Firm {
    int id = 0;
    QString name, address, phones, dn, bstat, mol, contact;
    double reduction = 0;
};

QList<Firm> allFirms(data::Database &db); // by name
std::optional<Firm> firmByName(data::Database &db, const QString &name);
std::optional<Firm> firmById(data::Database &db, int id);

} // namespace morlenta::invoicing
