#include "finance/operation_date.h"

#include "common/session.h"
#include "finance/rates.h"
#include "finance/tsr_currency.h"
#include "platform/date_dialog.h"

#include <QPointer>
#include <QWidget>

namespace morlenta::finance {

std::optional<QDate> chooseOperationDate(QWidget *parent, Session &session, const QString &caption)
{
    const QDate today = QDate::currentDate();
    const std::optional<QDate> day = TsrDate::choose(parent, caption, today, today.addDays(-10), today);
    if (!day || ratesOfDay(session, *day).cancelled())
        return std::nullopt;
    return day;
}

void useRateWindow(Session &session, QWidget *parent)
{
    QPointer<QWidget> owner(parent);
    session.enterRates = [&session, owner](const QDate &day) {
        return TsrCurrency::enter(*session.db, *session.prompt, day, owner.data());
    };
}

} // namespace morlenta::finance
