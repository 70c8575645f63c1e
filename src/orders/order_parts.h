#pragma once

// Parts on a repair order: the lists of the parts picker, issuing a part from
// the shop's stock or from the technician's holding, and taking a part line
// back into the shop's stock. Each issue and each take-back is one
// transaction; the stock, the serial and the holding are checked by
// conditional changes inside it, so that of two computers taking the same last
// piece one succeeds and the other is refused with nothing written.
//
// The order window keeps its amounts in memory: both postings return how much
// the parts total changed (`delta`) and the order's stored sumParts / sumAll
// after the change, so the window may add the delta or take the stored values,
// and then reprices the order as usual.

#include "stock/parts_catalogue.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace morlenta {
struct Session;
}

namespace morlenta::orders {

// Where the picker took the part from (cmbSklad).
enum PartSource { FromShop = 0, FromTechnician = 1 };

struct PartPick {
    qint64 idPart = 0;
    int amount = 0;
    QString serial; // the serial chosen from the shop's stock; empty otherwise
    int source = FromShop;
    qint64 clerkStockRow = 0; // PartsInClerks.id for a technician's piece
};

struct IssueResult {
    bool ok = false;
    QString refusal;             // the message shown when the stock refused the issue; empty otherwise
    double price = 0;            // priceLV of one piece
    double delta = 0;            // amount × price added to the parts and the total
    bool serialReplaced = false; // a replaceSN row was written: the serial-change card may be printed
    double sumParts = 0;         // porychka after the issue
    double sumAll = 0;
};

// "Артикулът не е намерен в наличността!"
QString partNotInStockText();
// "Не може да въведете по-голямо количество от наличното!"
QString amountAboveStockText();

// Issues the picked part to the order. The price is the line's own when the
// order holds the part already, else the paid-repair price; a price in a
// foreign currency needs the rates of `when`'s day, asked through the session's
// enterRates hook when the day has none. A refused rates dialog gives ok false
// with nothing shown or written. Gone stock, serial or holding shows
// partNotInStockText() ("Съобщение") and writes nothing. Database failures
// throw DbError, nothing written.
IssueResult issuePart(Session &session, qint64 idPor, const QString &orderSerial, const PartPick &pick,
                      const QDateTime &when = QDateTime::currentDateTime());

struct TakeBackResult {
    bool done = false; // false: the line was gone already, nothing written
    double delta = 0;  // amount × price taken off the parts and the total
    double sumParts = 0;
    double sumAll = 0;
};

// Takes the order's part line back into the shop's stock; its serial goes back
// into PartSN when the piece was one of this order's serial replacements.
TakeBackResult takeBackPart(Session &session, qint64 idPor, qint64 lineId, const QString &orderSerial,
                            const QDateTime &when = QDateTime::currentDateTime());

// The picked amount (and the chosen serial) is still in the shop's stock,
// whatever another computer did since the list was read.
bool stillInStock(data::Database &db, const PartPick &pick);

// The new serial of the order's latest serial replacement (for the serial-change card).
QString latestReplacementSerial(data::Database &db, qint64 idPor);

// The shop's stock (amnt > 0) with type and brand names; the name and number
// texts, when given, are like patterns with the user's "*" wildcard.
stock::Statement shopStockStatement(const data::Database &db, const QString &partText,
                                    const QString &numberText);
// The holding of one technician with the article's data; `notes` is the serial.
stock::Statement technicianStockStatement(qint64 idClerk);
// The technician of the order window's choice, found by name.
std::optional<qint64> technicianByName(data::Database &db, const QString &name);
bool holdsParts(data::Database &db, qint64 idClerk);

} // namespace morlenta::orders
