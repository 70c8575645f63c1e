#include "shell/startup.h"

#include "common/filesystem.h"
#include "common/local_settings.h"
#include "common/money.h"
#include "common/preferences.h"
#include "common/prompt.h"
#include "data/database.h"
#include "data/default_database.h"
#include "data/upgrade.h"
#include "documents/default_templates.h"

#include <QFileInfo>

namespace morlenta::shell {

StartupResult::StartupResult() = default;
StartupResult::StartupResult(StartupResult &&) noexcept = default;
StartupResult &StartupResult::operator=(StartupResult &&) noexcept = default;
StartupResult::~StartupResult()
{
    prefs.reset(); // it refers to the database
}

namespace {

const QString kNetworkStart = QStringLiteral(
    "Не можете да стартирате тази програма през мрежата!\n\nЗа да я стартирате, трябва да бъде "
    "инсталирана локално на Вашия\nкомпютър, а после в меню \"Система -> Настройки\" можете да "
    "укажете\nпрограмата да използва база данни в мрежата");
const QString kOlderVersion =
    QStringLiteral("В момента стартирате по-стара версия на програмата\nв "
                   "сравнение с последното стартиране.\n\nЖелаете ли да продължите?");
const QString kNotFound = QStringLiteral("Не е намерена базата данни!\n\nЖелаете ли да я потърсите ръчно?");
const QString kOpenFailed = QStringLiteral("Грешка при отварянето на базата данни!");
const QString kRestoreQuestion = QStringLiteral("Желаете ли да възстановите архив?");

bool sameFile(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

QString versionText(double version)
{
    return amountText(version).trimmed();
}

QString mainCaption(double version)
{
    return QStringLiteral("Morlenta - версия ") + versionText(version);
}

StartupResult runStartup(Prompt &prompt, LocalSettings &settings, const StartupOptions &o)
{
    auto step = [&] {
        if (o.advance)
            o.advance();
    };
    auto splash = [&](bool visible) {
        if (o.showSplash)
            o.showSplash(visible);
    };
    const auto onNetwork = o.onNetwork ? o.onNetwork : &isOnNetworkFileSystem;

    if (onNetwork(o.programDir)) {
        splash(false);
        prompt.error(kNetworkStart);
        return {};
    }
    step();

    // A "Version" that is not a number counts as none.
    const std::optional<double> last = settings.number(QLatin1String(Local::Version));
    if (last && roundCents(*last) > roundCents(o.version)) {
        splash(false);
        const bool go = prompt.ask(Prompt::warningCaption(), kOlderVersion, PromptIcon::Question,
                                   PromptButtons::YesNo) == PromptAnswer::Yes;
        splash(true);
        if (!go)
            return {};
    }
    settings.setValue(QLatin1String(Local::Version), versionText(o.version));
    step();

    if (settings.text(QLatin1String(Local::BaseFile)).trimmed().isEmpty())
        settings.setValue(QLatin1String(Local::BaseFile), o.defaultDatabasePath);
    StartupResult result;
    QString location;
    for (;;) {
        location = settings.text(QLatin1String(Local::BaseFile)).trimmed();
        if (data::Database::isServerLocation(location) || QFileInfo(location).isFile())
            break;
        if (sameFile(location, o.defaultDatabasePath) && !QFileInfo::exists(location)) {
            // A new shop: nothing at the default place yet, so make its database there.
            try {
                result.db = data::createDefaultDatabase(location);
                result.createdNewDatabase = true;
                documents::installDefaultTemplates(QFileInfo(location).absolutePath());
                break;
            } catch (const data::DbError &) {
                // Fall through to the question: the user can point to another file.
            }
        }
        splash(false);
        const bool search = prompt.ask(Prompt::errorCaption(), kNotFound, PromptIcon::Question,
                                       PromptButtons::YesNo) == PromptAnswer::Yes;
        if (!search)
            return {};
        const QString chosen = o.chooseDatabaseFile ? o.chooseDatabaseFile() : QString();
        if (chosen.isEmpty())
            return {};
        settings.setValue(QLatin1String(Local::BaseFile), chosen);
        splash(true);
    }
    step();

    try {
        if (!result.db) {
            const bool server = data::Database::isServerLocation(location);
            result.db = data::Database::open(location);
            if (!server && !onNetwork(location)) {
                try {
                    result.db->compact();
                } catch (const data::DbError &) {
                    // Compaction is housekeeping; the file is used as it is.
                }
            }
        }
        step();
        data::upgradeDatabase(*result.db, prompt);
        step();
        result.prefs = std::make_unique<Preferences>(*result.db);
        result.prefs->loadAtStart(o.today);
        step();
    } catch (const std::exception &) {
        result.prefs.reset();
        result.db.reset();
        splash(false);
        prompt.error(kOpenFailed);
        if (prompt.ask(QStringLiteral("Възстановяване"), kRestoreQuestion, PromptIcon::Question,
                       PromptButtons::YesNo) == PromptAnswer::Yes &&
            o.startupRestore)
            o.startupRestore();
        return {};
    }
    return result;
}

} // namespace morlenta::shell
