#include "finance/cash_desk.h"

#include "common/money.h"
#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "data/transaction.h"
#include "finance/cash_ledger.h"
#include "finance/rates.h"

#include <QSqlQuery>

#include <cmath>

namespace morlenta::finance {

KasaRange initialKasaRange(const QDate &today)
{
    return {today.addDays(-1), today};
}

KasaRange kasaFromChanged(KasaRange r, const QDate &today)
{
    if (r.from > today)
        r.from = today;
    if (r.from > r.to)
        r.to = r.from;
    return r;
}

KasaRange kasaToChanged(KasaRange r, const QDate &today)
{
    if (r.to > today)
        r.to = today;
    if (r.from > r.to)
        r.from = r.to;
    return r;
}

std::vector<KasaRow> loadKasa(Session &session, const KasaRange &range)
{
    QSqlQuery q = session.db->exec(QStringLiteral("select k.id, k.Data, k.Chas, k.Suma, k.idVal, k.Notes, "
                                                  "k.UserID, c.Name from kasa k "
                                                  "left join clerks c on c.id = k.UserID "
                                                  "where k.Data >= ? and k.Data <= ? order by k.id"),
                                   {range.from, range.to});
    std::vector<KasaRow> rows;
    while (q.next()) {
        KasaRow r;
        r.id = q.value(0).toLongLong();
        r.date = q.value(1).toDate();
        QVariant t = q.value(2);
        // SQLite keeps the time as text.
        r.time =
            t.typeId() == QMetaType::QTime ? t.toTime() : QTime::fromString(t.toString(), Qt::ISODateWithMs);
        r.amount = q.value(3).toDouble();
        r.currency = q.value(4).toInt();
        r.notes = q.value(5).toString();
        r.userId = q.value(6).toInt();
        r.user = q.value(7).toString();
        rows.push_back(std::move(r));
    }
    return rows;
}

QVariant kasaInSum(double amount)
{
    return amount > 0 ? QVariant(amount) : QVariant();
}

QVariant kasaOutSum(double amount)
{
    return amount > 0 ? QVariant() : QVariant(-amount + 0.0); // + 0.0: no "-0.00" for a row of 0
}

std::optional<double> parseAmount(const QString &text)
{
    QString s = text.trimmed();
    s.remove(QLatin1Char(' '));
    s.remove(QChar(0x00A0));
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    if (s.isEmpty())
        return std::nullopt;
    // Digits with at most one point: no exponents, "inf" or "nan".
    int points = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('.'))
            ++points;
        else if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && !(i == 0 && c == QLatin1Char('-')))
            return std::nullopt;
    }
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || points > 1 || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool CashDesk::currencyChoice() const
{
    return multiCurrency(session_.prefs);
}

QString CashDesk::amountText()
{
    return QStringLiteral("Моля въведете положително число");
}

QString CashDesk::reasonText()
{
    return QStringLiteral("Моля въведете основание за транзакцията! ");
}

QString CashDesk::confirmText()
{
    return QStringLiteral("ВНИМАНИЕ! След запис няма да можете да изтриете направената транзакция!\n\n"
                          "Желате ли да запишете въведените данни?");
}

QString CashDesk::clockText()
{
    return QStringLiteral("Днешната дата е предишна спрямо датата на последния запис в базата данни!!\n"
                          "Моля не си играйте да променяте датите, това ще доведе до грешки!");
}

CashDesk::Result CashDesk::record(const ManualEntry &entry, const QDateTime &now)
{
    Prompt &prompt = *session_.prompt;
    const std::optional<double> amount = parseAmount(entry.amount);
    if (!amount || !(*amount > 0)) {
        prompt.warning(amountText());
        return Result::FixAmount;
    }
    const QString reason = entry.reason.trimmed();
    if (reason.isEmpty()) {
        prompt.warning(reasonText());
        return Result::FixReason;
    }
    if (prompt.ask(QStringLiteral("Транзакция"), confirmText(), PromptIcon::Question, PromptButtons::YesNo) !=
        PromptAnswer::Yes)
        return Result::Declined;

    data::Database &db = *session_.db;
    const int currency = currencyChoice() && entry.currency >= CurLeva && entry.currency <= CurEur
                             ? entry.currency
                             : int(CurLeva);
    bool clockBehind = false;
    {
        data::Transaction tx(db);
        // The latest row of the whole ledger, not only of the period shown:
        // a clock set back must not write rows out of order anywhere.
        const QDate last = db.scalar(QStringLiteral("select max(Data) from kasa")).toDate();
        clockBehind = last.isValid() && last > now.date();
        if (!clockBehind) {
            postCash(db, session_.clerkId,
                     {entry.moneyOut ? -*amount : *amount, currency, reason, CashRounding::Exact}, now);
            tx.commit();
        }
    }
    if (clockBehind) {
        prompt.error(clockText());
        return Result::ClockGuard;
    }
    return Result::Saved;
}

} // namespace morlenta::finance
