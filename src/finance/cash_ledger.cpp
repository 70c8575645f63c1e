#include "finance/cash_ledger.h"

#include "common/money.h"
#include "data/database.h"
#include "data/transaction.h"

#include <QTime>

#include <cmath>
#include <stdexcept>

namespace morlenta::finance {

double storedCashAmount(double amount, CashRounding rounding)
{
    if (rounding == CashRounding::Exact)
        return amount;
    // Exactly the value the "%8.2f" text stands for.
    return amountText(amount).trimmed().toDouble();
}

qint64 postCash(data::Database &db, int userId, const CashPosting &posting, const QDateTime &when)
{
    if (posting.currency < CurLeva || posting.currency > CurEur)
        throw std::invalid_argument("unknown currency");
    if (!std::isfinite(posting.amount))
        throw std::invalid_argument("amount is not a number");
    QString notes = posting.notes;
    notes.replace(QLatin1String("\r\n"), QLatin1String(" "));
    notes.replace(QLatin1Char('\r'), QLatin1Char(' '));
    notes.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QTime t = when.time();
    data::Transaction tx(db);
    const qint64 id = db.insert(QStringLiteral("kasa"),
                                {{QStringLiteral("Data"), when.date()},
                                 {QStringLiteral("Chas"), QTime(t.hour(), t.minute(), t.second())},
                                 {QStringLiteral("Suma"), storedCashAmount(posting.amount, posting.rounding)},
                                 {QStringLiteral("idVal"), posting.currency},
                                 {QStringLiteral("Notes"), notes},
                                 {QStringLiteral("UserID"), userId}});
    tx.commit();
    return id;
}

std::array<double, 3> cashBalances(data::Database &db)
{
    std::array<double, 3> result{0, 0, 0};
    for (int currency : {CurLeva, CurUsd, CurEur}) {
        const QVariant sum =
            db.scalar(QStringLiteral("select sum(Suma) as summary from kasa where idVal = ?"), {currency});
        result[size_t(currency - 1)] = sum.isNull() ? 0.0 : sum.toDouble();
    }
    return result;
}

} // namespace morlenta::finance
