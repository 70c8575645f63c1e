#pragma once

// Money and the display formats shared by every window.

#include <QString>

class QDate;
class QTime;
class QDateTime;

namespace morlenta {

// Currency ids of every money column.
enum Currency : int { CurLeva = 1, CurUsd = 2, CurEur = 3 };

// The amount times 100, rounded to the nearest whole number with halves
// going to the even neighbour, divided by 100. The product is taken in
// double precision as it comes out (12.345 * 100 is 1234.4999..., so 12.34).
double roundCents(double amount);

// "%8.2f": at least eight characters, two decimals, always a point.
QString amountText(double amount);

QString dateText(const QDate &date);         // "dd.MM.yyyy"; empty for a null date
QString timeText(const QTime &time);         // "hh:mm:ss"; empty for a null time
QString dateTimeText(const QDateTime &when); // "dd.MM.yyyy hh:mm:ss"

// "лв.", "USD", "EUR"; empty for an unknown id.
QString currencyLabel(int currencyId);
// The local currency's label, the one place it is written.
QString localCurrencyLabel();

// Value added tax factor.
inline constexpr double kVatFactor = 1.2;

} // namespace morlenta
