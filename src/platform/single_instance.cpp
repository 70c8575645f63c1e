#include "platform/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace morlenta {

SingleInstance::SingleInstance()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    lock_ = std::make_unique<QLockFile>(dir + QStringLiteral("/morlenta.lock"));
    // A lock left by a crashed copy is taken over (QLockFile checks its process).
    first_ = lock_->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

} // namespace morlenta
