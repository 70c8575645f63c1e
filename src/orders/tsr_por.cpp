#include "orders/tsr_por.h"

#include "common/labels.h"
#include "common/local_settings.h"
#include "common/money.h"
#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "documents/document_output.h"
#include "documents/document_templates.h"
#include "documents/document_values.h"
#include "invoicing/firms.h"
#include "invoicing/tfrm_izb_firm.h"
#include "orders/external_dispatch.h"
#include "orders/external_panel.h"
#include "orders/tfrm_symp.h"
#include "platform/form_widgets.h"
#include "platform/help_viewer.h"
#include "platform/print_page.h"
#include "platform/start_number_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QTextDocument>
#include <QTime>
#include <QVBoxLayout>

namespace morlenta::orders {

namespace {

void setItems(QComboBox *box, const QStringList &items)
{
    const QString text = box->isEditable() ? box->currentText() : QString();
    box->blockSignals(true);
    box->clear();
    box->addItems(items);
    if (box->isEditable())
        box->setEditText(text);
    box->blockSignals(false);
}

} // namespace

TsrPor::TsrPor(Session &session, bool atClient, QWidget *parent)
    : QDialog(parent), session_(session), intake_(*session.db), atClient_(atClient),
      today_(QDate::currentDate())
{
    setObjectName(QStringLiteral("TsrPor"));
    setWindowTitle(QStringLiteral("Приемане на уред за ремонт"));

    askStartNumber = [this](const QString &q) { return TfmStartNo::ask(this, *session_.prompt, q); };
    output = [this](const documents::FilledDocument &doc, const QString &title) {
        documents::outputDocument(doc, *session_.prompt, *session_.settings, this, title);
    };
    chooseFirm = [this](const QString &preset) {
        invoicing::TfrmIzbFirm w(session_, preset, this);
        return w.exec() == QDialog::Accepted ? w.chosenId() : 0;
    };
    chooseSymptom = [this] {
        TfrmSymp w(session_, true, this);
        return w.exec() == QDialog::Accepted ? w.chosenLine() : QString();
    };
    showPrevious = [this](const QStringList &lines) {
        TfrmPrevious w(lines, session_.printFooter, this);
        w.exec();
    };

    auto *client = new QGroupBox(QStringLiteral("Клиент"), this);
    inputs_ = client;
    eNomer = namedLineEdit(client, "eNomer", 9);
    eNomer->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), eNomer));
    eDate = namedLineEdit(client, "eDate");
    eDate->setReadOnly(true);
    eClientName = namedLineEdit(client, "eClientName");
    eClientAdres = namedLineEdit(client, "eClientAdres");
    eClientPhone = namedLineEdit(client, "eClientPhone");
    btnFirms = namedButton(client, "btnFirms", QStringLiteral("Фирми..."));
    auto *cg = new QGridLayout(client);
    cg->addWidget(new QLabel(QStringLiteral("Поръчка №"), client), 0, 0);
    cg->addWidget(eNomer, 0, 1);
    cg->addWidget(new QLabel(QStringLiteral("Дата"), client), 0, 2);
    cg->addWidget(eDate, 0, 3);
    cg->addWidget(new QLabel(QStringLiteral("Клиент"), client), 1, 0);
    cg->addWidget(eClientName, 1, 1, 1, 2);
    cg->addWidget(btnFirms, 1, 3);
    cg->addWidget(new QLabel(QStringLiteral("Адрес"), client), 2, 0);
    cg->addWidget(eClientAdres, 2, 1, 1, 3);
    cg->addWidget(new QLabel(QStringLiteral("Телефони"), client), 3, 0);
    cg->addWidget(eClientPhone, 3, 1, 1, 3);

    auto *device = new QGroupBox(QStringLiteral("Уред"), this);
    inputs2_ = device;
    eArt = namedComboBox(device, "eArt", true);
    eMarka = namedComboBox(device, "eMarka", true);
    eModels = namedComboBox(device, "eModels", true);
    eSerial = namedLineEdit(device, "eSerial");
    eSerial->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z-]*")), eSerial));
    eAksPop = namedLineEdit(device, "eAksPop");
    eDefect = new QPlainTextEdit(device);
    eDefect->setObjectName(QStringLiteral("eDefect"));
    eDefect->setTabChangesFocus(true);
    addDefect = namedButton(device, "addDefect", QStringLiteral("Симптоми..."));
    eFiscal = namedLineEdit(device, "eFiscal");
    eTaxAdmin = namedLineEdit(device, "eTaxAdmin");
    eTaxAdmin->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[ А-я]*")), eTaxAdmin));
    eNote = namedLineEdit(device, "eNote");
    eMore = namedLineEdit(device, "eMore");
    cmbClerk = namedComboBox(device, "cmbClerk", false);
    cmbWarr = namedComboBox(device, "cmbWarr", false);
    cmbGarant = namedComboBox(device, "cmbGarant", false);
    cmbType = namedComboBox(device, "cmbType", false);
    cmbType->addItems({QStringLiteral("Нормален"), QStringLiteral("Бърз"), QStringLiteral("Спешен")});
    backDate = new QDateEdit(device);
    backDate->setObjectName(QStringLiteral("backDate"));
    backDate->setCalendarPopup(true);
    backDate->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    lblDate = new QLabel(QStringLiteral("Дата на връщане"), device);
    cmbPlace = namedComboBox(device, "cmbPlace", false);
    cmbPlace->addItems({QStringLiteral("В сервиза"), QStringLiteral("На адрес на клиента")});
    cmbTime = namedComboBox(device, "cmbTime", true);
    cmbTime->addItems({QStringLiteral("сутрин"), QStringLiteral("обед"), QStringLiteral("следобед")});
    cmbTime->lineEdit()->setMaxLength(10);
    btnCheck = namedButton(device, "btnCheck", QStringLiteral("Предишни ремонти"));
    auto *dg = new QGridLayout(device);
    int r = 0;
    auto row = [&](const QString &label, QWidget *w, QWidget *extra = nullptr) {
        dg->addWidget(new QLabel(label, device), r, 0);
        dg->addWidget(w, r, 1, 1, extra ? 1 : 2);
        if (extra)
            dg->addWidget(extra, r, 2);
        ++r;
    };
    row(QStringLiteral("Артикул"), eArt);
    row(QStringLiteral("Марка"), eMarka);
    row(QStringLiteral("Модел"), eModels);
    row(QStringLiteral("Сериен номер / IMEI"), eSerial, btnCheck);
    row(QStringLiteral("Окомплектовка"), eAksPop);
    row(QStringLiteral("Дефект"), eDefect, addDefect);
    row(QStringLiteral("Фискална памет №"), eFiscal);
    row(QStringLiteral("Данъчна служба"), eTaxAdmin);
    row(QStringLiteral("Забележка"), eNote);
    row(QStringLiteral("Допълнителна информация"), eMore);
    row(QStringLiteral("Техник"), cmbClerk);
    row(QStringLiteral("Гаранция"), cmbWarr);
    row(QStringLiteral("Гарант"), cmbGarant);
    row(QStringLiteral("Приоритет"), cmbType);
    row(QStringLiteral("Място на ремонта"), cmbPlace, cmbTime);
    dg->addWidget(lblDate, r, 0);
    dg->addWidget(backDate, r, 1);
    ++r;

    chkPrn = new QCheckBox(QStringLiteral("Печат на сервизна карта"), this);
    chkPrn->setObjectName(QStringLiteral("chkPrn"));
    chkPrn->setChecked(true);
    chkExt = new QCheckBox(QStringLiteral("Изпращане към външен сервиз"), this);
    chkExt->setObjectName(QStringLiteral("chkExt"));
    btnRec = namedButton(this, "btnRec", QStringLiteral("Запис"));
    btnCancel = namedButton(this, "btnCancel", QStringLiteral("Отказ"));
    prnProt = namedButton(this, "prnProt", QStringLiteral("Протокол"));
    prnProt->setEnabled(false);
    auto *help = namedButton(this, "Action1", QStringLiteral("Помощ"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(chkPrn);
    bottom->addWidget(chkExt);
    bottom->addStretch();
    bottom->addWidget(help);
    bottom->addWidget(prnProt);
    bottom->addWidget(btnRec);
    bottom->addWidget(btnCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(client);
    main->addWidget(device, 1);
    main->addLayout(bottom);

    pnlExt = new ExternalPanel(*session.db, this);

    for (QWidget *w : {static_cast<QWidget *>(eClientName), static_cast<QWidget *>(eArt),
                       static_cast<QWidget *>(eMarka), static_cast<QWidget *>(eModels)})
        w->installEventFilter(this);

    connect(btnRec, &QPushButton::clicked, this, &TsrPor::btnRecClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnCheck, &QPushButton::clicked, this, &TsrPor::btnCheckClick);
    connect(btnFirms, &QPushButton::clicked, this, &TsrPor::btnFirmsClick);
    connect(addDefect, &QPushButton::clicked, this, &TsrPor::addDefectClick);
    connect(prnProt, &QPushButton::clicked, this, &TsrPor::prnProtClick);
    connect(pnlExt->bRecExp, &QPushButton::clicked, this, &TsrPor::bRecExpClick);
    connect(pnlExt->bCancel, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelpTopic(QStringLiteral("ОписПоръчка"), this); });
    connect(cmbPlace, &QComboBox::currentIndexChanged, this, &TsrPor::placeChanged);
    connect(cmbType, &QComboBox::currentIndexChanged, this, &TsrPor::priorityChanged);
    connect(cmbWarr, &QComboBox::currentIndexChanged, this, &TsrPor::warrantyChanged);
    connect(backDate, &QDateEdit::dateChanged, this, &TsrPor::backDateChanged);
    resize(760, 720);
}

TsrPor::~TsrPor() = default;

QString TsrPor::comboText(const QComboBox *box)
{
    return box->currentText();
}

void TsrPor::fillLists()
{
    QStringList firms;
    for (const invoicing::Firm &f : invoicing::allFirms(*session_.db))
        firms << f.name;
    auto *names = new QCompleter(firms, eClientName);
    names->setCaseSensitivity(Qt::CaseInsensitive);
    names->setFilterMode(Qt::MatchContains);
    eClientName->setCompleter(names);
    technicians_ = intake_.technicians();
    cmbClerk->clear();
    cmbClerk->addItem(QStringLiteral("Без избор"));
    for (const Technician &t : technicians_)
        cmbClerk->addItem(t.name);
    setItems(eArt, intake_.articles());
    setItems(eMarka, intake_.brands());
    refillModels();
    const QStringList garants = intake_.warrantors();
    cmbGarant->clear();
    cmbGarant->addItems(garants);
    cmbWarr->blockSignals(true);
    cmbWarr->clear();
    cmbWarr->addItems({QStringLiteral("Негаранционен ремонт"), QStringLiteral("По собствена гаранция")});
    if (!garants.isEmpty())
        cmbWarr->addItem(QStringLiteral("По външна гаранция"));
    cmbWarr->setCurrentIndex(0);
    cmbWarr->blockSignals(false);
    warrantyChanged();
}

void TsrPor::refillModels()
{
    setItems(eModels, intake_.models(eMarka->currentText().trimmed()));
}

void TsrPor::formShow()
{
    for (QLineEdit *e :
         {eClientName, eClientAdres, eClientPhone, eSerial, eAksPop, eFiscal, eTaxAdmin, eNote, eMore})
        e->clear();
    eDefect->clear();
    eDate->setText(dateText(today_));
    fillLists();
    eArt->setEditText(QString());
    eMarka->setEditText(QString());
    eModels->setEditText(QString());
    if (const auto next = intake_.proposedNumber())
        eNomer->setText(QString::number(*next));
    else
        eNomer->setText(QString::number(askStartNumber(QStringLiteral("Въведете стартов номер на поръчка"))));
    cmbClerk->setCurrentIndex(0);
    cmbType->setCurrentIndex(0);
    backDate->setMinimumDate(today_);
    backDate->setDate(returnDateFor(0, today_));
    applyArticleRules();
    cmbPlace->setCurrentIndex(atClient_ ? 1 : 0);
    placeChanged();
    eClientName->setFocus();
}

void TsrPor::placeChanged()
{
    const bool atClient = cmbPlace->currentIndex() != 0;
    lblDate->setText(atClient ? QStringLiteral("Дата на посещение") : QStringLiteral("Дата на връщане"));
    cmbTime->setVisible(cmbPlace->currentIndex() == 1);
    chkExt->setVisible(!atClient);
    if (atClient)
        chkExt->setChecked(false);
}

void TsrPor::priorityChanged()
{
    backDate->setDate(returnDateFor(cmbType->currentIndex(), today_));
}

void TsrPor::backDateChanged()
{
    if (backDate->date() < today_)
        backDate->setDate(today_);
}

void TsrPor::warrantyChanged()
{
    cmbGarant->setEnabled(cmbWarr->currentIndex() == WarrGiver);
}

void TsrPor::applyArticleRules()
{
    const bool cash = isCashRegister(eArt->currentText());
    eFiscal->setEnabled(cash);
    eTaxAdmin->setEnabled(cash);
    backDate->setEnabled(!cash);
    cmbType->setEnabled(!cash);
    if (cash)
        backDate->setDate(today_.addDays(1));
    else
        priorityChanged();
}

bool TsrPor::askToAdd(const QString &caption, const QString &text)
{
    return session_.prompt->ask(caption, text, PromptIcon::Question, PromptButtons::YesNo) ==
           PromptAnswer::Yes;
}

bool TsrPor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && watched == eMarka)
        brandIndexOnEnter_ = eMarka->findText(eMarka->currentText());
    if (event->type() == QEvent::FocusOut) {
        // A pop-up of the box itself takes the focus without leaving it.
        const auto *fe = static_cast<QFocusEvent *>(event);
        if (fe->reason() != Qt::PopupFocusReason) {
            if (watched == eClientName)
                eClientNameExit();
            else if (watched == eArt)
                eArtExit();
            else if (watched == eMarka)
                eMarkaExit();
            else if (watched == eModels)
                eModelsExit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TsrPor::eClientNameExit()
{
    const QString name = eClientName->text().trimmed();
    eClientName->setText(name);
    if (name.isEmpty())
        return;
    if (const auto firm = invoicing::firmByName(*session_.db, name)) {
        eClientAdres->setText(firm->address);
        eClientPhone->setText(firm->phones);
        eArt->setFocus();
    }
}

bool TsrPor::offerNew(QComboBox *box, bool known, const QString &caption, const QString &text,
                      const std::function<void()> &add, const std::function<QStringList()> &list)
{
    if (known)
        return true;
    if (!askToAdd(caption, text)) {
        box->setEditText(QString());
        box->setFocus();
        return false;
    }
    const QString value = box->currentText();
    add();
    setItems(box, list());
    box->setCurrentIndex(box->findText(value));
    return true;
}

void TsrPor::eArtExit()
{
    const QString art = eArt->currentText().trimmed();
    eArt->setEditText(art);
    if (!art.isEmpty())
        offerNew(
            eArt, intake_.hasArticle(art), QStringLiteral("Добавяне на артикул"),
            QStringLiteral("Не е намерен артикул \"") + art +
                QStringLiteral("\"\n\nЖелаете ли да бъде добавен в базата данни?"),
            [&] { intake_.addArticle(art); }, [this] { return intake_.articles(); });
    applyArticleRules();
}

void TsrPor::eMarkaExit()
{
    const QString brand = eMarka->currentText().trimmed();
    eMarka->setEditText(brand);
    if (!brand.isEmpty() && !offerNew(
                                eMarka, intake_.hasBrand(brand), QStringLiteral("Добавяне на марка"),
                                QStringLiteral("Не е намерена марка \"") + brand +
                                    QStringLiteral("\"\n\nЖелаете ли да бъде добавена в базата данни?"),
                                [&] { intake_.addBrand(brand); }, [this] { return intake_.brands(); }))
        return;
    if (eMarka->findText(eMarka->currentText()) != brandIndexOnEnter_ && eModels->currentText().isEmpty())
        refillModels();
}

void TsrPor::eModelsExit()
{
    const QString model = eModels->currentText().trimmed();
    eModels->setEditText(model);
    if (model.isEmpty() || intake_.hasModel(model))
        return;
    const QString brand = eMarka->currentText().trimmed();
    if (askToAdd(QStringLiteral("Добавяне на модел"),
                 QStringLiteral("Не е намерен модел \"") + brand + QLatin1Char(' ') + model +
                     QStringLiteral("\"\n\nЖелаете ли да бъде добавен в базата данни?"))) {
        intake_.addModel(brand, model);
        refillModels();
        eModels->setEditText(model);
    } else {
        eModels->setEditText(QString());
        eModels->setFocus();
    }
}

IntakeInput TsrPor::collect() const
{
    IntakeInput in;
    in.number = eNomer->text().toLongLong();
    in.clientName = eClientName->text();
    in.clientAddress = eClientAdres->text();
    in.clientPhones = eClientPhone->text();
    in.article = eArt->currentText().trimmed();
    in.brand = eMarka->currentText().trimmed();
    in.model = eModels->currentText().trimmed();
    in.serial = eSerial->text();
    in.accessories = eAksPop->text();
    in.defect = eDefect->toPlainText();
    in.fiscal = eFiscal->text();
    in.taxAdmin = eTaxAdmin->text();
    in.fiscalEnabled = eFiscal->isEnabled();
    in.note = eNote->text();
    const int clerk = cmbClerk->currentIndex();
    in.clerkId = clerk >= 1 && clerk <= technicians_.size() ? technicians_[clerk - 1].id : 0;
    in.warrantyBasis = cmbWarr->currentIndex();
    in.warrantor = cmbGarant->isEnabled() ? cmbGarant->currentText() : QString();
    in.priority = cmbType->currentIndex();
    in.returnDate = backDate->date();
    in.place = cmbPlace->currentIndex();
    in.partOfDay = cmbTime->currentText();
    in.sendOn = in.place == 0 && chkExt->isChecked();
    return in;
}

void TsrPor::focusField(IntakeField field)
{
    QWidget *w = nullptr;
    switch (field) {
    case IntakeField::ClientName: w = eClientName; break;
    case IntakeField::Address: w = eClientAdres; break;
    case IntakeField::Phone: w = eClientPhone; break;
    case IntakeField::Article: w = eArt; break;
    case IntakeField::Brand: w = eMarka; break;
    case IntakeField::Model: w = eModels; break;
    case IntakeField::Serial: w = eSerial; break;
    case IntakeField::Fiscal: w = eFiscal; break;
    case IntakeField::TaxAdmin: w = eTaxAdmin; break;
    }
    w->setFocus();
}

void TsrPor::btnRecClick()
{
    IntakeInput in = collect();
    const auto problem = checkIntake(in);
    eClientName->setText(in.clientName);
    eClientAdres->setText(in.clientAddress);
    eClientPhone->setText(in.clientPhones);
    eSerial->setText(in.serial);
    eFiscal->setText(in.fiscal);
    eTaxAdmin->setText(in.taxAdmin);
    if (problem) {
        session_.prompt->show(Prompt::errorCaption(), problem->message, PromptIcon::Error);
        focusField(problem->field);
        return;
    }
    qint64 protocolStart = 0;
    if (!in.fiscal.isEmpty() && intake_.protocolStartNeeded())
        protocolStart =
            askStartNumber(QStringLiteral("Въведете стартов номер на протокол за ремонт на касови апарати"));
    btnRec->setEnabled(false);
    btnCancel->setEnabled(false);
    if (in.sendOn)
        cmbClerk->setCurrentIndex(0);
    try {
        result_ = intake_.save(in, protocolStart, today_, QTime::currentTime());
    } catch (const data::DbError &e) {
        session_.prompt->show(Prompt::errorCaption(), e.message(), PromptIcon::Error);
        return;
    }
    saved_ = in;
    saved_.number = result_.number;
    eNomer->setText(QString::number(result_.number));
    if (result_.protocolNumber > 0) {
        prnProt->setText(QStringLiteral("Протокол № %1").arg(result_.protocolNumber));
        prnProt->setEnabled(true);
        printProtocol();
    }
    if (chkPrn->isChecked())
        printServiceCard(saved_);
    if (in.sendOn) {
        chkPrn->setEnabled(false);
        chkExt->setEnabled(false);
        openExternalPanel();
        return;
    }
    accept();
}

void TsrPor::printProtocol()
{
    documents::ProtocolInput p;
    p.protocolNumber = int(result_.protocolNumber);
    p.dateText = eDate->text();
    p.brand = saved_.brand;
    p.model = saved_.model;
    p.clientName = saved_.clientName;
    p.clientAddress = saved_.clientAddress;
    p.serial = saved_.serial;
    p.fiscal = saved_.fiscal;
    p.taxAdmin = saved_.taxAdmin;
    p.today = today_;
    p.now = result_.protocolTime;
    const auto doc = documents::fillTemplate(documents::DocumentKind::Protocol, session_, [&](bool) {
        return documents::protocolValues(p, documents::loadShopData(*session_.db));
    });
    if (doc.ok)
        output(doc, QStringLiteral("Протокол № %1").arg(result_.protocolNumber));
}

void TsrPor::prnProtClick()
{
    if (result_.protocolNumber > 0)
        printProtocol();
}

void TsrPor::printServiceCard(const IntakeInput &in)
{
    documents::ServiceCardInput c;
    c.number = int(in.number);
    c.article = in.article;
    c.brand = in.brand;
    c.model = in.model;
    c.serial = in.serial;
    c.fiscal = in.fiscal;
    c.defect = in.defect;
    c.accessories = in.accessories;
    c.clientName = in.clientName;
    c.clientAddress = in.clientAddress;
    c.clientPhones = in.clientPhones;
    c.dateText = eDate->text();
    c.warrantyBasis = in.warrantyBasis;
    c.warrantor = in.warrantor;
    c.placeText = cmbPlace->currentText();
    c.placeIndex = in.place;
    c.visitDate = in.returnDate;
    c.partOfDay = in.partOfDay;
    c.moreInfo = eMore->text();
    const auto doc =
        documents::fillTemplate(documents::DocumentKind::ServiceCard, session_, [&](bool matrix) {
            return documents::serviceCardValues(c, documents::loadShopData(*session_.db), matrix);
        });
    if (doc.ok)
        output(doc, QStringLiteral("Сервизна карта № %1").arg(in.number));
}

void TsrPor::openExternalPanel()
{
    inputs_->setEnabled(false);
    inputs2_->setEnabled(false);
    DispatchTarget t;
    if (saved_.warrantyBasis == WarrGiver) {
        // The warrantor itself is the service; its address from the suppliers, if any.
        t = dispatchTarget(*session_.db, WarrGiver, saved_.warrantor);
        t.name = saved_.warrantor;
        t.editable = false;
    }
    pnlExt->open(t);
}

void TsrPor::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    pnlExt->centre();
}

void TsrPor::bRecExpClick()
{
    if (pnlExt->record(*session_.prompt, result_.number, today_))
        accept();
}

void TsrPor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        formShow();
    }
}

void TsrPor::btnCheckClick()
{
    const QString art = eArt->currentText().trimmed(), brand = eMarka->currentText().trimmed(),
                  model = eModels->currentText().trimmed(), serial = eSerial->text().trimmed();
    if (art.isEmpty() || brand.isEmpty() || model.isEmpty() || serial.isEmpty()) {
        eArt->setFocus();
        return;
    }
    const QStringList lines = previousRepairs(*session_.db, art, brand, model, serial);
    if (lines.size() <= 2) {
        session_.prompt->show(Prompt::messageCaption(), QStringLiteral("Няма предишни ремонти"),
                              PromptIcon::Warning);
        return;
    }
    showPrevious(lines);
}

void TsrPor::btnFirmsClick()
{
    const int id = chooseFirm(eClientName->text().trimmed());
    const auto firm = id > 0 ? invoicing::firmById(*session_.db, id) : std::nullopt;
    if (!firm) {
        eClientName->setFocus();
        return;
    }
    eClientName->setText(firm->name);
    eClientAdres->setText(firm->address);
    eClientPhone->setText(firm->phones);
    eArt->setFocus();
}

void TsrPor::addDefectClick()
{
    const QString line = chooseSymptom();
    if (line.isEmpty())
        return;
    QString text = eDefect->toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    eDefect->setPlainText(text + line);
}

TfrmPrevious::TfrmPrevious(const QStringList &lines, const QString &printFooter, QWidget *parent)
    : QDialog(parent), footer_(printFooter)
{
    setObjectName(QStringLiteral("TfrmPrevious"));
    setWindowTitle(QStringLiteral("Предишни ремонти"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    QFont mono(QStringLiteral("Courier New"), 10);
    mono.setStyleHint(QFont::TypeWriter);
    Memo1->setFont(mono);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    btnPrint = new QPushButton(QStringLiteral("Печат"), this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    auto *close = new QPushButton(QStringLiteral("Затвори"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPrint);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnPrint, &QPushButton::clicked, this, [this] {
        QTextDocument doc;
        doc.setDefaultFont(Memo1->font());
        doc.setPlainText(Memo1->toPlainText());
        DocumentPrinter(footer_).printWithDialog(this, doc);
    });
    resize(640, 520);
}

} // namespace morlenta::orders
