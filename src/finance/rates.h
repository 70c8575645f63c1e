#pragma once

// Exchange rates of a day (leva for one US dollar and one euro). A rate
// applies to its own day only: a day is looked up by its exact date and
// never falls back to an earlier one. Every operation that needs the rates
// of a day asks ratesOfDay(); when the day has none the clerk is asked to
// enter them through the session's enterRates hook (the rate entry window in
// the program, a script in tests).

#include <QDate>
#include <QString>

#include <optional>

namespace morlenta {
struct Session;
class Preferences;
namespace data {
class Database;
}
} // namespace morlenta

namespace morlenta::finance {

struct DayRates {
    QDate day;
    double usd = 0;
    double eur = 0;
    // Leva for one unit of the currency: 1 for leva, 0 for an unknown id.
    double rate(int currency) const;
};

// The shop works with USD and EUR besides leva (preference "Currency" 1).
bool multiCurrency(const Preferences *prefs);

// The stored row of exactly that day.
std::optional<DayRates> storedRates(data::Database &db, const QDate &day);
// What the entry window proposes for a new day: the rates of the last stored
// day, or 1.7 and 1.956 when nothing is stored.
DayRates proposedRates(data::Database &db, const QDate &day);

// 0 when both rates may be stored, else the field to correct: 1 USD (first), 2 EUR.
int invalidRateField(double usd, double eur);
QString invalidRatesText(); // "Не можете да въвеждате нулеви или отрицателни стойност за валутния курс!"

// Stores the rates of a day. When another computer stored that day in the
// meantime, its row stays and is returned: a day has one rate.
DayRates saveRates(data::Database &db, const DayRates &rates);

struct RatesAnswer {
    enum Outcome {
        Found,     // the day had its rates
        Entered,   // the clerk entered them now
        NotNeeded, // leva only: nothing was asked; `rates` holds the day's row if there is one
        Cancelled, // the clerk gave up: the operation does not go on
    };
    Outcome outcome = Cancelled;
    DayRates rates;
    bool cancelled() const { return outcome == Cancelled; }
    bool hasRates() const { return rates.usd > 0 && rates.eur > 0; }
};

// The rates of day D, asking the clerk when the day has none (only in
// multi-currency mode). Re-reads the table each time.
RatesAnswer ratesOfDay(Session &session, const QDate &day);

// Conversions with a day's rates: to leva multiply, from leva divide.
// std::invalid_argument when the currency has no rate.
double toLeva(double amount, int currency, const DayRates &rates);
double fromLeva(double leva, int currency, const DayRates &rates);
// A price in one currency shown in another, rounded to the cent.
double convertPrice(double amount, int fromCurrency, int toCurrency, const DayRates &rates);

} // namespace morlenta::finance
