#include "common/session.h"

#include <QSysInfo>

namespace morlenta {

QString computerId()
{
    const QByteArray id = QSysInfo::machineUniqueId();
    if (!id.isEmpty())
        return QString::fromLatin1(id);
    return QSysInfo::machineHostName();
}

} // namespace morlenta
