#pragma once

// Taking a device in: the lists the intake window offers, the checks of a
// new order and its save with the cash-register protocol and the home visit.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

namespace morlenta::data {
class Database;
}

namespace morlenta::orders {

// The article that makes an order a cash-register repair; letter case counts.
QString cashRegisterArticle(); // "КАСОВ АПАРАТ"
bool isCashRegister(const QString &article);

// The serial box takes digits, Latin letters and '-'.
bool serialCharAllowed(QChar c);
// The tax-office box takes blanks and Cyrillic letters.
bool taxOfficeCharAllowed(QChar c);

// Return date of a priority: today + 2 - priority, never before today.
QDate returnDateFor(int priority, const QDate &today);

struct Technician {
    int id = 0;
    QString name;
};

struct IntakeInput {
    qint64 number = 0;
    QString clientName, clientAddress, clientPhones;
    QString article, brand, model, serial, accessories, defect;
    QString fiscal, taxAdmin, note;
    bool fiscalEnabled = false; // the article is a cash register
    int clerkId = 0;
    int warrantyBasis = 0;
    QString warrantor; // empty unless the basis is a warranty giver's
    int priority = 0;
    QDate returnDate;
    int place = 0; // 0 in the shop, 1 at the client's address
    QString partOfDay;
    bool sendOn = false; // straight on to an external service
};

enum class IntakeField { ClientName, Address, Phone, Article, Brand, Model, Serial, Fiscal, TaxAdmin };

struct IntakeProblem {
    IntakeField field;
    QString message;
};

// Trims the inputs in place, then the first missing one, if any.
std::optional<IntakeProblem> checkIntake(IntakeInput &in);

// porychka.TimeVisit: " " in the shop, "date, part of day" at the client's.
QString timeVisitText(const IntakeInput &in);

struct IntakeResult {
    qint64 number = 0;
    qint64 protocolNumber = 0; // 0 without a protocol
    QDate protocolDate;
    QTime protocolTime;
};

class OrderIntake {
public:
    explicit OrderIntake(data::Database &db) : db_(db) {}

    // max + 1, or nothing when there is no order yet (the start number is asked then).
    std::optional<qint64> proposedNumber();
    // True when no protocol exists yet, so a cash register needs a start number.
    bool protocolStartNeeded();

    QList<Technician> technicians(); // active, not workers, in table order
    QStringList articles();
    QStringList brands();
    QStringList models(const QString &brand); // every model when the brand is unknown
    QStringList warrantors();                 // suppliers that give warranties

    bool hasArticle(const QString &article);
    bool hasBrand(const QString &brand);
    bool hasModel(const QString &model);
    void addArticle(const QString &article);
    void addBrand(const QString &brand);
    void addModel(const QString &brand, const QString &model);

    // The order, its protocol and its home visit, all or nothing. A number
    // taken meanwhile becomes highest + 1; `protocolStart` is used only when
    // there is no protocol at all yet.
    IntakeResult save(const IntakeInput &in, qint64 protocolStart, const QDate &today, const QTime &now);

private:
    data::Database &db_;
};

// The lines of the previous-repairs report; only the title and its
// underline when the device was never here.
QStringList previousRepairs(data::Database &db, const QString &article, const QString &brand,
                            const QString &model, const QString &serial);

} // namespace morlenta::orders
