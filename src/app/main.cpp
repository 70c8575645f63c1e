// The program's entry point: the application and its translations, the
// start-up sequence, the login and the main loop.

#include "common/local_settings.h"
#include "common/preferences.h"
#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "documents/default_templates.h"
#include "maintenance/archive_actions.h"
#include "maintenance/demo_database.h"
#include "maintenance/tsr_arhiv.h"
#include "platform/message_prompt.h"
#include "platform/single_instance.h"
#include "shell/login.h"
#include "shell/startup.h"
#include "shell/tsr_main.h"
#include "shell/tsr_pass.h"
#include "shell/tsr_splash.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

using namespace morlenta;

namespace {

constexpr double kVersion = MORLENTA_VERSION;

QString defaultDatabasePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/DataBase/Morlenta.sv");
}

void loadTranslations(QApplication &app)
{
    // Qt's own Bulgarian texts: "Да", "Не", "Отказ", the file and print dialogs.
    auto *qt = new QTranslator(&app);
    if (qt->load(QLocale(QLocale::Bulgarian), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qt);
}

// "--demo [orders]": the demo shop beside the default database, made on
// first use with a progress window. False when the program must end.
bool prepareDemo(const maintenance::DemoRequest &request, Prompt &prompt)
{
    if (!request.error.isEmpty()) {
        prompt.error(request.error);
        return false;
    }
    const QString path = maintenance::demoDatabasePath(defaultDatabasePath());
    if (QFileInfo::exists(path))
        return true;
    QProgressDialog progress(
        QStringLiteral("Създаване на демонстрационна база данни с %1 поръчки ...").arg(request.orders),
        QStringLiteral("Отказ"), 0, request.orders);
    progress.setWindowTitle(QStringLiteral("Демонстрационна база данни"));
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::ApplicationModal);
    maintenance::DemoOptions options;
    options.orders = request.orders;
    try {
        const bool made = maintenance::createDemoDatabase(path, options, [&](int done, int) {
            progress.setValue(done);
            QApplication::processEvents();
            return !progress.wasCanceled();
        });
        if (!made)
            return false;
    } catch (const data::DbError &e) {
        prompt.error(QStringLiteral("Демонстрационната база данни не може да бъде създадена:\n") +
                     e.message());
        return false;
    }
    documents::installDefaultTemplates(QFileInfo(path).absolutePath());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(help);
    QApplication::setOrganizationName(QStringLiteral("Dravik"));
    QApplication::setApplicationName(QStringLiteral("Morlenta"));
    QApplication::setApplicationDisplayName(QStringLiteral("Сервизи"));
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    loadTranslations(app);

    MessagePrompt prompt;
    SingleInstance instance;
    if (!instance.isFirst()) {
        prompt.info(QStringLiteral("Програмата вече е стартирана на този компютър."));
        return 0;
    }

    shell::TsrSplash splash;
    splash.show();
    QApplication::processEvents();

    // The demo runs with settings of its own: the shop's "BaseFile" and
    // automatic archive stay as they are.
    const maintenance::DemoRequest demo = maintenance::demoRequest(QCoreApplication::arguments());
    if (demo.wanted) {
        splash.hide();
        if (!prepareDemo(demo, prompt))
            return 0;
        splash.show();
    }
    std::unique_ptr<LocalSettings> ownSettings =
        demo.wanted ? std::make_unique<LocalSettings>(maintenance::demoSettingsPath(defaultDatabasePath()))
                    : std::make_unique<LocalSettings>();
    LocalSettings &settings = *ownSettings;
    if (demo.wanted) {
        settings.setValue(QLatin1String(Local::BaseFile),
                          maintenance::demoDatabasePath(defaultDatabasePath()));
        settings.setValue(QLatin1String(Local::AutoArchive), false);
    }
    shell::StartupOptions options;
    options.programDir = QCoreApplication::applicationDirPath();
    options.defaultDatabasePath = defaultDatabasePath();
    options.version = kVersion;
    options.today = QDate::currentDate();
    options.showSplash = [&](bool visible) { splash.setVisible(visible); };
    options.advance = [&] { splash.advance(10); };
    options.chooseDatabaseFile = [&] {
        const QString start = QFileInfo(settings.text(QLatin1String(Local::BaseFile))).absolutePath();
        return QFileDialog::getOpenFileName(nullptr, QStringLiteral("Изберете базата данни"), start,
                                            QStringLiteral("База данни (*.sv);;Всички файлове (*)"));
    };
    const QString dataFolder = QFileInfo(defaultDatabasePath()).absolutePath();
    const QString archiveFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    options.startupRestore = [&] {
        maintenance::TsrArhiv w(QStringLiteral("Възстановяване на базите данни от архив"));
        maintenance::ArchiveActions actions(prompt, settings, w.ui(), archiveFolder);
        const QString location = settings.text(QLatin1String(Local::BaseFile));
        w.show();
        actions.startupRestore(location, maintenance::templatesFolderFor(location, dataFolder));
    };
    shell::StartupResult started = shell::runStartup(prompt, settings, options);
    if (!started)
        return 1;
    splash.advance(20);
    splash.hide();

    shell::Login login(*started.db, prompt, settings);
    shell::TsrPass pass(login);
    if (pass.exec() != QDialog::Accepted)
        return 0;

    Session session;
    session.db = started.db.get();
    session.prompt = &prompt;
    session.settings = &settings;
    session.prefs = started.prefs.get();
    session.clerkId = login.clerk().id;
    session.clerkName = login.clerk().name;
    session.rights = login.clerk().rights;
    session.pcId = computerId();
    session.printFooter = QStringLiteral("Отпечатано с програмата за сервизи Morlenta");

    shell::TsrMain window(session, kVersion);
    prompt.setParent(&window);
    window.serverTemplatesFolder = dataFolder;
    window.archiveDefaultFolder = archiveFolder;
    options.showSplash = {};
    options.advance = {};
    window.withDatabaseClosed = [&](const std::function<void()> &work) {
        session.db = nullptr;
        session.prefs = nullptr;
        started = shell::StartupResult();
        work();
        // The start-up sequence again, on the database as the work left it.
        started = shell::runStartup(prompt, settings, options);
        if (!started) {
            window.chkExit = true;
            window.close();
            return;
        }
        session.db = started.db.get();
        session.prefs = started.prefs.get();
    };
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.formShow(); });
    return app.exec();
}
