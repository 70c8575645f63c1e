#include "maintenance/archive_actions.h"

#include "common/local_settings.h"
#include "common/prompt.h"
#include "data/database.h"
#include "maintenance/archive.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace morlenta::maintenance {

namespace {

const QString kRestoreFailed = QStringLiteral("Грешка при възстановяването!");
// The text as the shop has always seen it (with a Latin "e").
const QString kInUse = QStringLiteral("В момента базата данни сe използва от друг потребител");

} // namespace

ArchiveActions::ArchiveActions(Prompt &prompt, LocalSettings &settings, ArchiveUi ui,
                               QString defaultArchiveDir)
    : prompt_(prompt), settings_(settings), ui_(std::move(ui)),
      defaultArchiveDir_(std::move(defaultArchiveDir))
{
}

QString ArchiveActions::restoreQuestion()
{
    return QStringLiteral(
        "Внимание! Базите данни ще бъдат презаписани и текущите\nВи данни ще бъдат заменени с "
        "тези от архива\n\nЖелаете ли да продължите?");
}

QString ArchiveActions::archiveDir()
{
    QString dir = settings_.text(QLatin1String(Local::ArchiveDir));
    if (dir.trimmed().isEmpty() || !QDir().mkpath(dir)) {
        dir = defaultArchiveDir_;
        QDir().mkpath(dir);
        settings_.setValue(QLatin1String(Local::ArchiveDir), dir);
    }
    return dir;
}

bool ArchiveActions::manualArchive(data::Database &db, const QString &templatesFolder)
{
    const QString dir = archiveDir();
    const QString proposed = proposedArchiveName(QDate::currentDate()) + archiveExtension();
    QString target = ui_.chooseTarget ? ui_.chooseTarget(dir, proposed) : QString();
    if (target.isEmpty())
        return false;
    if (QFileInfo(target).suffix().isEmpty())
        target += archiveExtension();
    const ArchiveOutcome o = makeArchive(db, templatesFolder, target, ui_.progress);
    if (!o.ok()) {
        prompt_.error(QStringLiteral("Грешка при архивирането. Опитайте отново"));
        return false;
    }
    {
        WaitMessage done(prompt_, QStringLiteral("Архивирането базите данни е успешно. Компресията е ") +
                                      QString::number(o.compressionPercent) + QStringLiteral(" %"));
        if (ui_.pause)
            ui_.pause();
    }
    settings_.setValue(QLatin1String(Local::ArchiveDir), QFileInfo(target).absolutePath());
    return true;
}

bool ArchiveActions::restore(const QString &location, const QString &templatesFolder)
{
    return runRestore(location, templatesFolder, false);
}

bool ArchiveActions::startupRestore(const QString &location, const QString &templatesFolder)
{
    return runRestore(location, templatesFolder, true);
}

bool ArchiveActions::runRestore(const QString &location, const QString &templatesFolder, bool atStartup)
{
    const QString source = ui_.chooseSource ? ui_.chooseSource(archiveDir()) : QString();
    if (source.isEmpty())
        return false;
    const ArchiveOutcome o = restoreArchive(source, location, templatesFolder);
    switch (o.kind) {
    case ArchiveOutcome::Ok: break;
    case ArchiveOutcome::InUse:
        prompt_.show(Prompt::warningCaption(), kInUse, PromptIcon::Warning);
        return false;
    default: prompt_.error(kRestoreFailed); return false;
    }
    if (atStartup) {
        prompt_.show(Prompt::messageCaption(),
                     QStringLiteral("Възстановяването от архива е успешно!\nСтартирайте програмата отново!"),
                     PromptIcon::Warning);
    } else {
        WaitMessage done(prompt_, QStringLiteral("Възстановяването от архива е успешно"));
        if (ui_.pause)
            ui_.pause();
    }
    return true;
}

bool ArchiveActions::autoArchive(data::Database &db, const QString &templatesFolder)
{
    const ArchiveOutcome o = makeAutoArchive(db, templatesFolder, archiveDir(), ui_.progress);
    if (!o.ok()) {
        prompt_.error(QStringLiteral("Грешка при архивирането"));
        return false;
    }
    return true;
}

QString templatesFolderFor(const QString &location, const QString &defaultFolder)
{
    if (data::Database::isServerLocation(location))
        return defaultFolder;
    return QFileInfo(location).absolutePath();
}

} // namespace morlenta::maintenance
