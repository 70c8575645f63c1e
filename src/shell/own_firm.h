#pragma once

// The shop's own firm data: one row of myinfo.

#include <QString>

namespace morlenta::data {
class Database;
}

namespace morlenta::shell {

struct OwnFirm {
    QString name;           // Name
    QString taxNumber;      // ndr: exactly 10 digits
    QString bulstat;        // bulstat: 9 or 13 characters
    QString address;        // Adres
    QString mol;            // MOL
    QString serviceName;    // ServiceName
    QString serviceAddress; // ServiceAddress
    QString servicePhones;  // ServicePhones
};

enum class OwnFirmField {
    None,
    Name,
    TaxNumber,
    Bulstat,
    Address,
    Mol,
    ServiceName,
    ServiceAddress,
    ServicePhones
};

struct OwnFirmCheck {
    OwnFirmField field = OwnFirmField::None; // None: all checks passed
    QString message;
};

// Trims the texts that are trimmed before their check, then checks the
// fields in order; the first failing check is returned.
OwnFirmCheck checkOwnFirm(OwnFirm &firm);

bool hasOwnFirm(data::Database &db);
OwnFirm loadOwnFirm(data::Database &db);
// Writes the one row (appends it when the table is empty).
void saveOwnFirm(data::Database &db, const OwnFirm &firm);

} // namespace morlenta::shell
