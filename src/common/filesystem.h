#pragma once

#include <QString>

namespace morlenta {

// True when `path` lies on a network file system (NFS, SMB/CIFS, sshfs and
// the like): the program is not started from there, and a database there is
// not compacted.
bool isOnNetworkFileSystem(const QString &path);

} // namespace morlenta
