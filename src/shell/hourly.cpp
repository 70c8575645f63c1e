#include "shell/hourly.h"

#include "data/database.h"

#include <QDateTime>

namespace morlenta::shell {

int expiringProtocols(data::Database &db, const QDateTime &now)
{
    const int hour = now.time().hour();
    if (hour == 23)
        return -1;
    return db
        .scalar(QStringLiteral("select count(*) from protokol_ka where DateEnd = ? and TimeEnd > ? and "
                               "TimeEnd <= ? and closed = ?"),
                {now.date(), QTime(hour, 0), QTime(hour + 1, 0), false})
        .toInt();
}

QString protocolWarning(int count)
{
    if (count <= 0)
        return {};
    if (count == 1)
        return QStringLiteral("През следващия час изтича 1 протокол за оставен касов апарат за ремонт!");
    return QStringLiteral("През следващия час изтичат ") + QString::number(count) +
           QStringLiteral(" протоколa за оставени касови апарати за ремонт!");
}

} // namespace morlenta::shell
