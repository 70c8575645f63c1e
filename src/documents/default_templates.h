#pragma once

#include <QStringList>

namespace morlenta::documents {

// Puts the program's own document templates into `folder` where the shop
// has none of that name yet; returns the files written.
QStringList installDefaultTemplates(const QString &folder);

} // namespace morlenta::documents
