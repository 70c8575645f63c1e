#pragma once

// The rules of the cash desk window: the period of the list, the rows with
// their in and out columns, and the manual entry with its checks.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>

#include <optional>
#include <vector>

namespace morlenta {
struct Session;
}

namespace morlenta::finance {

struct KasaRange {
    QDate from;
    QDate to;
};

// Yesterday to today.
KasaRange initialKasaRange(const QDate &today);
// After the clerk set `range.from` (or `range.to`): a day after today becomes
// today; when the ends cross, the other end follows the changed one.
KasaRange kasaFromChanged(KasaRange range, const QDate &today);
KasaRange kasaToChanged(KasaRange range, const QDate &today);

struct KasaRow {
    qint64 id = 0;
    QDate date;
    QTime time;
    double amount = 0;
    int currency = 1;
    QString notes;
    int userId = 0;
    QString user; // the clerk's name
};

// The rows dated from..to (both included) in the order they were written.
std::vector<KasaRow> loadKasa(Session &session, const KasaRange &range);

// The derived columns: a row above 0 is "in", any other (0 included) "out"; the other stays empty.
QVariant kasaInSum(double amount);
QVariant kasaOutSum(double amount);

// "12,50", "12.50", " 1 200 " are numbers; nothing when the text is not one.
std::optional<double> parseAmount(const QString &text);

struct ManualEntry {
    QString amount;       // as typed
    bool moneyOut = true; // the first direction takes money out, the second puts it in
    int currency = 1;
    QString reason;
};

class CashDesk {
public:
    enum class Result {
        Saved,
        FixAmount, // not a positive number: the amount is focused and selected
        FixReason, // empty reason: the reason is focused
        Declined,  // the clerk did not confirm: back to the amount
        ClockGuard // the machine's date is before the last row: the entry is abandoned
    };

    explicit CashDesk(Session &session) : session_(session) {}

    // The currency can be chosen only in multi-currency mode; otherwise every entry is in leva.
    bool currencyChoice() const;
    // Checks, asks, and appends the row dated `now`; every message goes through the prompt.
    Result record(const ManualEntry &entry, const QDateTime &now = QDateTime::currentDateTime());

    static QString amountText();
    static QString reasonText();
    static QString confirmText();
    static QString clockText();

private:
    Session &session_;
};

} // namespace morlenta::finance
