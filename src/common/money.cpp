#include "common/money.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>

namespace morlenta {

double roundCents(double amount)
{
    // nearbyint rounds in the default mode: to nearest, halves to even.
    return std::nearbyint(amount * 100.0) / 100.0;
}

QString amountText(double amount)
{
    // QString::asprintf ignores the C locale, which Qt sets from the user's.
    return QString::asprintf("%8.2f", amount);
}

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString timeText(const QTime &time)
{
    return time.isValid() ? time.toString(QStringLiteral("hh:mm:ss")) : QString();
}

QString dateTimeText(const QDateTime &when)
{
    return when.isValid() ? when.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")) : QString();
}

QString localCurrencyLabel()
{
    return QStringLiteral("лв.");
}

QString currencyLabel(int currencyId)
{
    switch (currencyId) {
    case CurLeva: return localCurrencyLabel();
    case CurUsd: return QStringLiteral("USD");
    case CurEur: return QStringLiteral("EUR");
    default: return {};
    }
}

} // namespace morlenta
