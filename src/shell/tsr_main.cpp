#include "shell/tsr_main.h"

#include "common/local_settings.h"
#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "finance/operation_date.h"
#include "finance/rates.h"
#include "finance/tsr_course.h"
#include "finance/tsr_kasa.h"
#include "maintenance/archive_actions.h"
#include "maintenance/tsr_arhiv.h"
#include "orders/order_parts.h"
#include "orders/order_settlement.h"
#include "orders/tfrm_otchet.h"
#include "orders/tfrm_por_parts.h"
#include "orders/tfrm_spr_por.h"
#include "orders/tfrm_symp.h"
#include "orders/tfrm_work_op.h"
#include "orders/tsr_por.h"
#include "platform/barcode_scanner.h"
#include "platform/help_viewer.h"
#include "shell/hourly.h"
#include "shell/own_firm.h"
#include "shell/startup.h"
#include "shell/tfrm_myinfo.h"
#include "staff/clerks.h"
#include "staff/tsr_clerks.h"
#include "stock/tfrm_arts_marks.h"
#include "stock/tfrm_nal_sn.h"
#include "stock/tsr_parts.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace morlenta::shell {

namespace {

struct Group {
    MenuGroup group;
    const char *object;
    const char *caption;
};
constexpr Group kGroups[] = {
    {MenuGroup::System, "mnSys", "&Система"},   {MenuGroup::Orders, "mnOrders", "&Поръчки"},
    {MenuGroup::Archive, "mnArchiv", "&Архив"}, {MenuGroup::Nomenclatures, "mnNom", "&Номенклатури"},
    {MenuGroup::Reports, "mnSpr", "С&правки"},  {MenuGroup::Salaries, "mnZapl", "&Заплати"},
    {MenuGroup::Help, "mnHelp", "П&омощ"},
};

} // namespace

TsrMain::TsrMain(Session &session, double version, QWidget *parent)
    : QMainWindow(parent), session_(session), version_(version), commands_(session)
{
    setObjectName(QStringLiteral("TsrMain"));
    setWindowTitle(mainCaption(version));
    resize(1000, 680);

    auto *centre = new QWidget(this);
    auto *layout = new QVBoxLayout(centre);
    auto *title = new QLabel(QStringLiteral("Сервизи"), centre);
    QFont f = title->font();
    f.setPointSize(f.pointSize() * 3);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    auto *dateLabel = new QLabel(centre);
    dateLabel->setObjectName(QStringLiteral("Label1"));
    dateLabel->setAlignment(Qt::AlignCenter);
    dateLabel->setText(QStringLiteral("Формат на датата: dd.MM.yyyy"));
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(dateLabel);
    layout->addStretch();
    setCentralWidget(centre);

    statusUser_ = new QLabel(QStringLiteral("Потребител: ") + session_.clerkName, this);
    statusUser_->setObjectName(QStringLiteral("statusUser"));
    statusBar()->addWidget(statusUser_, 1);
    auto *where = new QLabel(session_.db ? session_.db->location() : QString(), this);
    statusBar()->addPermanentWidget(where);

    session_.templatesFolder = templatesFolder();
    if (session_.settings)
        scanner_ = new BarcodeScanner(*session_.settings, this);
    if (!session_.enterRates)
        finance::useRateWindow(session_, this);
    bindCommands();
    buildMenus();
    updateCommandVisibility();

    // A screen exactly 800 pixels wide gets the whole screen.
    if (const QScreen *s = QGuiApplication::primaryScreen(); s && s->geometry().width() == 800)
        setWindowState(windowState() | Qt::WindowMaximized);

    hourTimer_ = new QTimer(this);
    hourTimer_->setSingleShot(true);
    connect(hourTimer_, &QTimer::timeout, this, [this] {
        hourChanged(QDateTime::currentDateTime());
        scheduleHourTimer();
    });
    scheduleHourTimer();
}

TsrMain::~TsrMain() = default;

void TsrMain::bindCommands()
{
    commands_.bind(QStringLiteral("mnMyInfoClick"), [this] { mnMyInfoClick(false); });
    commands_.bind(QStringLiteral("mnExitClick"), [this] { close(); });
    commands_.bind(QStringLiteral("btPartsClick"), [this] {
        session_.prompt->waitMessage(QStringLiteral("Зареждане на номенклатурата, моля изчакайте ..."));
        stock::TsrParts w(session_, scanner_, this);
        w.exec();
        session_.prompt->waitMessage(QString());
    });
    commands_.bind(QStringLiteral("TBItem7Click"), [this] {
        stock::TfrmArtsMarks w(*session_.db, *session_.prompt, this);
        w.exec();
    });
    commands_.bind(QStringLiteral("TBItem19Click"), [this] {
        stock::TfrmNalSN w(session_, this);
        w.exec();
    });
    commands_.bind(QStringLiteral("N6Click"), [this] { N6Click(); });
    commands_.bind(QStringLiteral("btPorClick"), [this] {
        orders::TsrPor w(session_, false, this);
        w.exec();
    });
    commands_.bind(QStringLiteral("mnPorClick"), [this] {
        // One register for the whole run; each opening starts a new search.
        if (!register_) {
            register_ = new orders::TfrmSprPor(session_, this);
            register_->orderCommand = [this](int mode) {
                static const char *const kHandlers[] = {"bPPorClick", "bOtClick", "bPayClick"};
                commands_.run(QLatin1String(kHandlers[mode]));
            };
        } else
            register_->formShow();
        register_->exec();
    });
    commands_.bind(QStringLiteral("bOtClick"), [this] { openOrder(1); });
    commands_.bind(QStringLiteral("bPayClick"), [this] { openOrder(2); });
    commands_.bind(QStringLiteral("bPPorClick"), [this] { openOrder(0); });
    commands_.bind(QStringLiteral("TBItem14Click"), [this] {
        orders::TfrmSymp w(session_, false, this);
        w.exec();
    });
    commands_.bind(QStringLiteral("TBItem11Click"), [this] {
        orders::TfrmWorkOp w(session_, false, this);
        w.exec();
    });
    commands_.bind(QStringLiteral("mnRestoreClick"), [this] { mnRestoreClick(); });
    autoArchive = [this] {
        if (!session_.db)
            return;
        maintenance::TsrArhiv w(QStringLiteral("Архивиране на базите данни"), this);
        maintenance::ArchiveActions actions(*session_.prompt, *session_.settings, w.ui(),
                                            archiveDefaultFolder);
        w.show();
        actions.autoArchive(*session_.db, templatesFolder());
    };
    commands_.bind(QStringLiteral("mnClerksClick"), [this] { mnClerksClick(); });
    commands_.bind(QStringLiteral("mnValClick"), [this] {
        finance::TsrCourse w(session_, this);
        w.exec();
    });
    commands_.bind(QStringLiteral("bKasaClick"), [this] {
        finance::TsrKasa w(session_, this);
        w.exec();
    });
    commands_.bind(QStringLiteral("N11Click"),
                   [this] { showHelpTopic(QStringLiteral("Предназначение_и_функции_на_програмата"), this); });
    commands_.bind(QStringLiteral("N13Click"), [this] {
        QMessageBox::about(this, QStringLiteral("За програмата"),
                           mainCaption(version_) + QStringLiteral("\n\nПрограма за сервизи за ремонт."));
    });
}

void TsrMain::buildMenus()
{
    QStringList links;
    for (const Group &g : kGroups) {
        QMenu *menu = nullptr;
        for (const CommandDef &c : mainCommands()) {
            if (c.group != g.group)
                continue;
            if (!menu) {
                menu = menuBar()->addMenu(QString::fromUtf8(g.caption));
                menu->setObjectName(QLatin1String(g.object));
            }
            QAction *a = menu->addAction(QString::fromUtf8(c.caption));
            a->setObjectName(QLatin1String(c.object));
            const QString handler = QLatin1String(c.handler);
            connect(a, &QAction::triggered, this, [this, handler] { commands_.run(handler); });
            if (c.anchor)
                links << QStringLiteral("<p><a href=\"%1\">%2</a></p>")
                             .arg(QLatin1String(c.anchor), QString::fromUtf8(c.caption));
        }
    }
    // The quick links appear once some command has one.
    if (!links.isEmpty()) {
        auto *dock = new QDockWidget(QStringLiteral("Бързи връзки"), this);
        dock->setObjectName(QStringLiteral("dockLinks"));
        dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
        AdvPanel1 = new QLabel(links.join(QString()), dock);
        AdvPanel1->setObjectName(QStringLiteral("AdvPanel1"));
        AdvPanel1->setAlignment(Qt::AlignTop | Qt::AlignLeft);
        AdvPanel1->setMargin(8);
        connect(AdvPanel1, &QLabel::linkActivated, this,
                [this](const QString &a) { commands_.runAnchor(a); });
        dock->setWidget(AdvPanel1);
        addDockWidget(Qt::LeftDockWidgetArea, dock);
    }
}

void TsrMain::updateCommandVisibility()
{
    if (QAction *rates = findChild<QAction *>(QStringLiteral("mnVal")))
        rates->setVisible(finance::multiCurrency(session_.prefs));
}

void TsrMain::openOrder(int mode)
{
    const auto orderMode = orders::OrderMode(mode);
    qint64 number = register_ && register_->isVisible() ? register_->currentOrder() : 0;
    if (number == 0) {
        orders::TfrmPorNo ask(this);
        if (ask.exec() != QDialog::Accepted)
            return;
        number = ask.number();
    }
    const auto order = orders::loadOrderRecord(*session_.db, number);
    if (!order) {
        session_.prompt->show(Prompt::messageCaption(), orders::noSuchOrderText(number), PromptIcon::Warning);
        return;
    }
    if (const auto refusal = orders::orderEntryRefusal(*session_.db, *order, orderMode)) {
        session_.prompt->show(Prompt::messageCaption(), *refusal, PromptIcon::Warning);
        return;
    }
    if (orderMode != orders::OrderMode::Parts && !orders::techniciansExist(*session_.db)) {
        session_.prompt->show(Prompt::messageCaption(), orders::noTechniciansText(), PromptIcon::Warning);
        mnClerksClick();
        return;
    }
    orders::TfrmOtchet w(session_, number, orderMode, this);
    bindOrderWindow(w);
    w.exec();
    if (register_ && register_->isVisible())
        register_->reload();
}

void TsrMain::bindOrderWindow(orders::TfrmOtchet &w)
{
    w.chooseOperation = [this, &w]() -> std::optional<orders::OperationChoice> {
        orders::TfrmWorkOp catalogue(session_, true, &w);
        if (catalogue.exec() != QDialog::Accepted)
            return std::nullopt;
        const auto op = catalogue.chosen();
        if (!op)
            return std::nullopt;
        return orders::OperationChoice{op->id,
                                       op->code,
                                       op->operation,
                                       {op->clientPrice, op->warrantyPrice, op->workerPrice, op->fromGarant}};
    };
    // One picker for the whole life of the order window.
    auto *picker = new orders::TfrmPorParts(session_, w.technicianName(), w.technicianStockAllowed(), &w);
    w.issuePart = [this, &w, picker](QString *newSerial) {
        picker->setTechnician(w.technicianName(), w.technicianStockAllowed());
        if (picker->exec() != QDialog::Accepted)
            return false;
        try {
            const orders::IssueResult r =
                orders::issuePart(session_, w.orderNumber(), w.orderSerial(), picker->pick());
            if (r.ok && r.serialReplaced)
                *newSerial = orders::latestReplacementSerial(*session_.db, w.orderNumber());
            return r.ok;
        } catch (const data::DbError &e) {
            session_.prompt->show(Prompt::errorCaption(), e.message(), PromptIcon::Error);
            return false;
        }
    };
    w.takeBackPart = [this, &w](qint64 lineId) {
        try {
            orders::takeBackPart(session_, w.orderNumber(), lineId, w.orderSerial());
        } catch (const data::DbError &e) {
            session_.prompt->show(Prompt::errorCaption(), e.message(), PromptIcon::Error);
        }
    };
}

void TsrMain::mnClerksClick()
{
    staff::TsrClerks w(session_, this);
    w.exec();
    // The logged-in clerk may have been renamed; his rights stay as read at login.
    if (const auto clerk = staff::loadClerk(*session_.db, session_.clerkId)) {
        session_.clerkName = clerk->name;
        statusUser_->setText(QStringLiteral("Потребител: ") + session_.clerkName);
    }
}

void TsrMain::scheduleHourTimer()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime next(now.date(), QTime(now.time().hour(), 0));
    hourTimer_->start(static_cast<int>(now.msecsTo(next.addSecs(3600))) + 500);
}

void TsrMain::hourChanged(const QDateTime &now)
{
    const int hour = now.time().hour();
    if (hourlyExport && (hour == 12 || hour == 18)) {
        try {
            hourlyExport();
        } catch (...) {
            // The scheduled export never stops the shop's work.
        }
    }
    if (!session_.db)
        return;
    try {
        const QString warning = protocolWarning(expiringProtocols(*session_.db, now));
        if (!warning.isEmpty())
            session_.prompt->warning(warning);
    } catch (const data::DbError &) {
        // Tried again next hour.
    }
}

void TsrMain::formShow()
{
    if (chkExit) {
        close();
        return;
    }
    if (session_.db && !hasOwnFirm(*session_.db))
        mnMyInfoClick(true);
    session_.settings->setValue(QLatin1String(Local::FirstRun), QDate::currentDate().toString(Qt::ISODate));
}

void TsrMain::mnMyInfoClick(bool firstStart)
{
    TfrmMyInfo w(*session_.db, *session_.prompt, this);
    w.setCancelEnabled(!firstStart);
    w.exec();
}

QString TsrMain::databaseLocation() const
{
    // The settings hold the full location (a server's password included).
    return session_.settings->text(QLatin1String(Local::BaseFile));
}

QString TsrMain::templatesFolder() const
{
    return maintenance::templatesFolderFor(databaseLocation(), serverTemplatesFolder);
}

void TsrMain::N6Click()
{
    if (!session_.db)
        return;
    setEnabled(false);
    maintenance::TsrArhiv w(QStringLiteral("Архивиране на базите данни"), this);
    maintenance::ArchiveActions actions(*session_.prompt, *session_.settings, w.ui(), archiveDefaultFolder);
    w.show();
    // The snapshot is taken from the open connection: nothing to reopen afterwards.
    actions.manualArchive(*session_.db, templatesFolder());
    w.close();
    setEnabled(true);
}

void TsrMain::mnRestoreClick()
{
    if (!session_.prompt->yesNo(maintenance::ArchiveActions::restoreQuestion(), QStringLiteral("ВНИМАНИЕ")))
        return;
    setEnabled(false);
    maintenance::TsrArhiv w(QStringLiteral("Възстановяване на базите данни от архив"), this);
    maintenance::ArchiveActions actions(*session_.prompt, *session_.settings, w.ui(), archiveDefaultFolder);
    w.show();
    const QString location = databaseLocation();
    const QString folder = templatesFolder();
    auto work = [&] { actions.restore(location, folder); };
    if (withDatabaseClosed)
        withDatabaseClosed(work);
    w.close();
    setEnabled(true);
}

void TsrMain::closeEvent(QCloseEvent *event)
{
    if (!chkExit && !closingConfirmed_) {
        if (!session_.prompt->yesNo(QStringLiteral("Желаете ли да излезете от програмата?"))) {
            event->ignore();
            return;
        }
        closingConfirmed_ = true;
        if (autoArchive && session_.settings->flag(QLatin1String(Local::AutoArchive)))
            autoArchive();
    }
    event->accept();
}

} // namespace morlenta::shell
