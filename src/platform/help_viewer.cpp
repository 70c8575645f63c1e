#include "platform/help_viewer.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace morlenta {

namespace {

// Topic names as the windows know them, and their pages.
struct Topic {
    const char *name;
    const char *page;
};
constexpr Topic kTopics[] = {
    {"ИмеПарола", "login.html"},
    {"Предназначение_и_функции_на_програмата", "purpose.html"},
    {"Данни_за_фирмата", "own_firm.html"},
    {"ОписПоръчка", "order_intake.html"},
    {"SymptomCodes", "symptom_codes.html"},
    {"Номенклатура", "nomenklatura.html"},
    {"Въвеждане_редакция_на_служители", "clerks.html"},
};

QString pageOf(const QString &topic)
{
    for (const Topic &t : kTopics)
        if (topic == QString::fromUtf8(t.name))
            return QStringLiteral(":/help/") + QLatin1String(t.page);
    return {};
}

} // namespace

bool hasHelpTopic(const QString &topic)
{
    const QString page = pageOf(topic);
    return !page.isEmpty() && QFile::exists(page);
}

void showHelpTopic(const QString &topic, QWidget *parent)
{
    QString page = pageOf(topic);
    if (page.isEmpty() || !QFile::exists(page))
        page = QStringLiteral(":/help/purpose.html");
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("HelpViewer"));
    dialog.setWindowTitle(QStringLiteral("Помощ"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *browser = new QTextBrowser(&dialog);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setSearchPaths({QStringLiteral(":/help")});
    browser->setSource(QUrl(QStringLiteral("qrc") + page));
    layout->addWidget(browser);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(640, 480);
    dialog.exec();
}

} // namespace morlenta
