#include "finance/rates.h"

#include "common/money.h"
#include "common/preferences.h"
#include "common/session.h"
#include "data/database.h"
#include "data/transaction.h"

#include <QSqlQuery>

#include <cmath>

namespace morlenta::finance {

namespace {

DayRates fromQuery(QSqlQuery &q)
{
    return {q.value(0).toDate(), q.value(1).toDouble(), q.value(2).toDouble()};
}

} // namespace

double DayRates::rate(int currency) const
{
    switch (currency) {
    case CurLeva: return 1.0;
    case CurUsd: return usd;
    case CurEur: return eur;
    default: return 0.0;
    }
}

bool multiCurrency(const Preferences *prefs)
{
    return prefs && prefs->intValue(QLatin1String(Pref::Currency)) == 1;
}

std::optional<DayRates> storedRates(data::Database &db, const QDate &day)
{
    QSqlQuery q = db.exec(QStringLiteral("select Data, USD, EUR from valcourse where Data = ?"), {day});
    if (!q.next())
        return std::nullopt;
    DayRates r = fromQuery(q);
    r.day = day;
    return r;
}

DayRates proposedRates(data::Database &db, const QDate &day)
{
    QSqlQuery q = db.exec(QStringLiteral("select Data, USD, EUR from valcourse order by Data desc"));
    DayRates r{day, 1.7, 1.956};
    if (q.next()) {
        r.usd = q.value(1).toDouble();
        r.eur = q.value(2).toDouble();
    }
    return r;
}

int invalidRateField(double usd, double eur)
{
    // Not "<= 0": a NaN must not pass either.
    if (!(usd > 0) || !std::isfinite(usd))
        return 1;
    if (!(eur > 0) || !std::isfinite(eur))
        return 2;
    return 0;
}

QString invalidRatesText()
{
    return QStringLiteral("Не можете да въвеждате нулеви или отрицателни стойност за валутния курс!");
}

DayRates saveRates(data::Database &db, const DayRates &rates)
{
    if (invalidRateField(rates.usd, rates.eur) != 0)
        throw std::invalid_argument("rates must be greater than 0");
    DayRates result = rates;
    data::inTransaction(db, [&] {
        if (const auto existing = storedRates(db, rates.day)) {
            result = *existing;
            return;
        }
        db.insert(QStringLiteral("valcourse"), {{QStringLiteral("Data"), rates.day},
                                                {QStringLiteral("USD"), rates.usd},
                                                {QStringLiteral("EUR"), rates.eur}});
        result = rates;
    });
    return result;
}

RatesAnswer ratesOfDay(Session &session, const QDate &day)
{
    data::Database &db = *session.db;
    const std::optional<DayRates> stored = storedRates(db, day);
    if (!multiCurrency(session.prefs))
        return {RatesAnswer::NotNeeded, stored.value_or(DayRates{day, 0, 0})};
    if (stored)
        return {RatesAnswer::Found, *stored};
    if (!session.enterRates || !session.enterRates(day))
        return {RatesAnswer::Cancelled, DayRates{day, 0, 0}};
    // What the clerk saved, or what another computer saved first.
    if (const auto entered = storedRates(db, day))
        return {RatesAnswer::Entered, *entered};
    return {RatesAnswer::Cancelled, DayRates{day, 0, 0}};
}

namespace {

// A conversion without the day's rate is a caller's fault, never a price of 0.
double usableRate(int currency, const DayRates &rates)
{
    const double r = rates.rate(currency);
    if (!(r > 0))
        throw std::invalid_argument("no rate for the currency");
    return r;
}

} // namespace

double toLeva(double amount, int currency, const DayRates &rates)
{
    return amount * usableRate(currency, rates);
}

double fromLeva(double leva, int currency, const DayRates &rates)
{
    return leva / usableRate(currency, rates);
}

double convertPrice(double amount, int fromCurrency, int toCurrency, const DayRates &rates)
{
    if (fromCurrency == toCurrency)
        return roundCents(amount);
    return roundCents(fromLeva(toLeva(amount, fromCurrency, rates), toCurrency, rates));
}

} // namespace morlenta::finance
