#include "documents/default_templates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// Resources of a static library are registered by hand.
static void initTemplateResources()
{
    Q_INIT_RESOURCE(templates);
}

namespace morlenta::documents {

QStringList installDefaultTemplates(const QString &folder)
{
    initTemplateResources();
    QStringList written;
    QDir().mkpath(folder);
    const QDir source(QStringLiteral(":/templates"));
    for (const QString &name : source.entryList(QDir::Files)) {
        const QString target = QDir(folder).filePath(name);
        if (QFileInfo::exists(target))
            continue;
        if (QFile::copy(source.filePath(name), target)) {
            // Copies from resources are read-only; the shop edits its templates.
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
            written << name;
        }
    }
    return written;
}

} // namespace morlenta::documents
