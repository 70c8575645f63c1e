#pragma once

// The cash ledger `kasa`: every movement of money through the till is one
// appended row, never edited or deleted. Above 0 is money into the till,
// 0 or less money out. Every window that moves money posts through postCash,
// inside its own transaction.

#include <QDateTime>
#include <QString>

#include <array>

namespace morlenta::data {
class Database;
}

namespace morlenta::finance {

// How the amount is stored.
enum class CashRounding {
    Cents, // rounded to two decimals as "%8.2f" writes it (sales, payments, deliveries...)
    Exact, // all digits as given (manual entries, income, expenses, contracts, warranty)
};

struct CashPosting {
    double amount = 0; // signed: above 0 into the till
    int currency = 1;  // 1 leva, 2 USD, 3 EUR
    QString notes;     // one line; line breaks become blanks
    CashRounding rounding = CashRounding::Cents;
};

// The amount as it will be stored.
double storedCashAmount(double amount, CashRounding rounding);

// Appends one row dated `when` (the machine's clock) for clerk `userId`.
// Joins the caller's transaction; returns the row's id.
// std::invalid_argument for an unknown currency or an amount that is not a number.
qint64 postCash(data::Database &db, int userId, const CashPosting &posting,
                const QDateTime &when = QDateTime::currentDateTime());

// The balance of the till per currency (index 0 leva, 1 USD, 2 EUR): the sum
// of all rows of that currency over the whole ledger, whatever their date.
std::array<double, 3> cashBalances(data::Database &db);

} // namespace morlenta::finance
