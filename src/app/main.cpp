// The program's entry point: the application, its translations, opening the
// shop's database and the main loop.

#include "common/prompt.h"
#include "data/database.h"
#include "data/default_database.h"
#include "data/upgrade.h"
#include "platform/message_prompt.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTranslator>

using namespace morlenta;

namespace {

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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Dravik"));
    QApplication::setApplicationName(QStringLiteral("Morlenta"));
    QApplication::setApplicationDisplayName(QStringLiteral("Сервизи"));
    QApplication::setApplicationVersion(QStringLiteral(MORLENTA_VERSION));
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    loadTranslations(app);

    MessagePrompt prompt;
    QSettings settings(QStringLiteral("Dravik"), QStringLiteral("Morlenta"));
    const QString location = settings.value(QStringLiteral("BaseFile"), defaultDatabasePath()).toString();

    std::unique_ptr<data::Database> db;
    try {
        if (!data::Database::isServerLocation(location) && !QFileInfo::exists(location) &&
            QFileInfo(location) == QFileInfo(defaultDatabasePath())) {
            db = data::createDefaultDatabase(location);
            settings.setValue(QStringLiteral("BaseFile"), location);
        } else {
            db = data::Database::open(location);
        }
        db->compact();
        data::upgradeDatabase(*db, prompt);
    } catch (const data::DbError &e) {
        qWarning("%s", qPrintable(e.message()));
        prompt.error(QStringLiteral("Грешка при отварянето на базата данни!"));
        return 1;
    }

    QMainWindow window;
    window.setObjectName(QStringLiteral("TsrMain"));
    window.setWindowTitle(QStringLiteral("Сервизи - версия ") + QApplication::applicationVersion());
    auto *file = window.menuBar()->addMenu(QStringLiteral("&Файл"));
    QObject::connect(file->addAction(QStringLiteral("&Изход")), &QAction::triggered, &window,
                     &QWidget::close);
    window.statusBar()->showMessage(QStringLiteral("База данни: ") +
                                    QDir::toNativeSeparators(db->location()));
    auto *label = new QLabel(QStringLiteral("Базата данни е отворена и обновена."), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(900, 600);
    window.show();
    return app.exec();
}
