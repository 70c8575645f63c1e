#include "common/filesystem.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace morlenta {

bool isOnNetworkFileSystem(const QString &path)
{
    // A UNC-style path names a share whatever the mount says.
    if (path.startsWith(QLatin1String("\\\\")) || path.startsWith(QLatin1String("//")))
        return true;
    QFileInfo info(path);
    while (!info.exists() && info.absolutePath() != info.absoluteFilePath())
        info = QFileInfo(info.absolutePath());
    const QString type =
        QString::fromLatin1(QStorageInfo(info.absoluteFilePath()).fileSystemType()).toLower();
    static const char *const network[] = {
        "nfs",  "nfs4",       "cifs",  "smb",   "smb2",        "smb3",      "smbfs",          "9p",    "afs",
        "ceph", "fuse.sshfs", "sshfs", "davfs", "fuse.davfs2", "glusterfs", "fuse.glusterfs", "lustre"};
    for (const char *n : network)
        if (type == QLatin1String(n))
            return true;
    return false;
}

} // namespace morlenta
