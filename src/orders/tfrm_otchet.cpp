#include "orders/tfrm_otchet.h"

#include "common/labels.h"
#include "common/local_settings.h"
#include "common/money.h"
#include "common/preferences.h"
#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "documents/document_output.h"
#include "documents/document_templates.h"
#include "documents/document_values.h"
#include "finance/rates.h"
#include "orders/order_register.h"
#include "platform/form_widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace morlenta::orders {

namespace {

const QString kExternal = QStringLiteral("--- външен сервиз ---");

QLineEdit *amountEdit(QWidget *parent, const char *name, bool signedValue = false)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setAlignment(Qt::AlignRight);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(signedValue ? QStringLiteral("-?[0-9]*[.]?[0-9]{0,2}")
                                       : QStringLiteral("[0-9]*[.]?[0-9]{0,2}")),
        e));
    return e;
}

QTableWidget *table(QWidget *parent, const char *name, const QStringList &captions)
{
    auto *t = new QTableWidget(0, int(captions.size()), parent);
    t->setObjectName(QLatin1String(name));
    t->setHorizontalHeaderLabels(captions);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

QString money(double v)
{
    return QString::number(v, 'f', 2);
}

double valueOf(const QLineEdit *e)
{
    return e->text().toDouble();
}

} // namespace

TfrmOtchet::TfrmOtchet(Session &session, qint64 idPor, OrderMode mode, QWidget *parent)
    : QDialog(parent), session_(session), idPor_(idPor), mode_(mode)
{
    setObjectName(QStringLiteral("TfrmOtchet"));
    if (session.prefs)
        rule_ = payRule(*session.prefs);
    output = [this](const documents::FilledDocument &doc, const QString &title) {
        documents::outputDocument(doc, *session_.prompt, *session_.settings, this, title);
    };

    pInfo = new QGroupBox(QStringLiteral("Поръчка"), this);
    pInfo->setObjectName(QStringLiteral("pInfo"));
    lblInfo = new QLabel(pInfo);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    lblInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    (new QVBoxLayout(pInfo))->addWidget(lblInfo);

    auto *choices = new QWidget(this);
    cmbClerks = new QComboBox(choices);
    cmbClerks->setObjectName(QStringLiteral("cmbClerks"));
    cmbWar = new QComboBox(choices);
    cmbWar->setObjectName(QStringLiteral("cmbWar"));
    cmbState = new QComboBox(choices);
    cmbState->setObjectName(QStringLiteral("cmbState"));
    cmbPay = new QComboBox(choices);
    cmbPay->setObjectName(QStringLiteral("cmbPay"));
    cmbPay->addItems({QStringLiteral("В брой"), QStringLiteral("По сметка на фирмата")});
    auto *cg = new QGridLayout(choices);
    cg->setContentsMargins(0, 0, 0, 0);
    cg->addWidget(new QLabel(QStringLiteral("Техник"), choices), 0, 0);
    cg->addWidget(cmbClerks, 0, 1);
    cg->addWidget(new QLabel(QStringLiteral("Гаранция"), choices), 0, 2);
    cg->addWidget(cmbWar, 0, 3);
    cg->addWidget(new QLabel(QStringLiteral("Състояние"), choices), 1, 0);
    cg->addWidget(cmbState, 1, 1);
    auto *lblPay = new QLabel(QStringLiteral("Плащане"), choices);
    cg->addWidget(lblPay, 1, 2);
    cg->addWidget(cmbPay, 1, 3);
    // The label goes with its choice.
    lblPay->setBuddy(cmbPay);
    lblPay_ = lblPay;

    panParts = new QGroupBox(QStringLiteral("Резервни части"), this);
    panParts->setObjectName(QStringLiteral("panParts"));
    gridParts = table(panParts, "gridParts",
                      {QStringLiteral("Част"), QStringLiteral("Каталожен №"), QStringLiteral("Бр."),
                       QStringLiteral("Цена"), QStringLiteral("Сума")});
    btnAddPart = namedButton(panParts, "btnAddPart", QStringLiteral("Добави част"));
    btnDelPart = namedButton(panParts, "btnDelPart", QStringLiteral("Върни част"));
    btnProtSN = namedButton(panParts, "btnProtSN", QStringLiteral("Карта за смяна на сериен номер"));
    auto *pl = new QVBoxLayout(panParts);
    pl->addWidget(gridParts);
    auto *pb = new QHBoxLayout;
    pb->addWidget(btnAddPart);
    pb->addWidget(btnDelPart);
    pb->addStretch();
    pb->addWidget(btnProtSN);
    pl->addLayout(pb);

    panTrud = new QGroupBox(QStringLiteral("Труд"), this);
    panTrud->setObjectName(QStringLiteral("panTrud"));
    grTrud = table(panTrud, "grTrud",
                   {QStringLiteral("Операция"), QStringLiteral("Към клиента"), QStringLiteral("Техник")});
    addWorkOp = namedButton(panTrud, "addWorkOp", QStringLiteral("Добави операция"));
    delWork = namedButton(panTrud, "delWork", QStringLiteral("Премахни операция"));
    auto *tl = new QVBoxLayout(panTrud);
    tl->addWidget(grTrud);
    auto *tb = new QHBoxLayout;
    tb->addWidget(addWorkOp);
    tb->addWidget(delWork);
    tb->addStretch();
    tl->addLayout(tb);

    auto *money = new QGroupBox(QStringLiteral("Суми"), this);
    pnMsg = new QLabel(QStringLiteral("Цена към клиента"), money);
    pnMsg->setObjectName(QStringLiteral("pnMsg"));
    eParts = amountEdit(money, "eParts");
    eTrudClient = amountEdit(money, "eTrudClient");
    eTrudClerk = amountEdit(money, "eTrudClerk");
    eTrudClerk->setReadOnly(true);
    eTaksa = amountEdit(money, "eTaksa");
    eOuter = amountEdit(money, "eOuter");
    eTrans = amountEdit(money, "eTrans");
    eOtst = amountEdit(money, "eOtst", true);
    eSuma = amountEdit(money, "eSuma");
    eDiscParts = amountEdit(money, "eDiscParts");
    eDiscJobs = amountEdit(money, "eDiscJobs");
    eDiscParts->setReadOnly(true);
    eDiscJobs->setReadOnly(true);
    eArtNo = new QLineEdit(money);
    eArtNo->setObjectName(QStringLiteral("eArtNo"));
    lblOuter = new QLabel(QStringLiteral("Външен сервиз"), money);
    auto *mg = new QGridLayout(money);
    mg->addWidget(pnMsg, 0, 0, 1, 4);
    const QList<std::pair<QString, QWidget *>> fields = {
        {QStringLiteral("Части"), eParts},
        {QStringLiteral("Труд"), eTrudClient},
        {QStringLiteral("Заработка"), eTrudClerk},
        {QStringLiteral("Такса"), eTaksa},
        {QString(), eOuter},
        {QStringLiteral("Транспорт"), eTrans},
        {QStringLiteral("Отстъпка"), eOtst},
        {QStringLiteral("Общо"), eSuma},
        {QStringLiteral("Отстъпка части %"), eDiscParts},
        {QStringLiteral("Отстъпка труд %"), eDiscJobs},
        {QStringLiteral("Артикулен №"), eArtNo},
    };
    int i = 0;
    for (const auto &[caption, w] : fields) {
        mg->addWidget(caption.isEmpty() ? lblOuter : new QLabel(caption, money), 1 + i / 4, (i % 4) * 2);
        mg->addWidget(w, 1 + i / 4, (i % 4) * 2 + 1);
        ++i;
    }

    lb = new QLabel(this);
    lb->setObjectName(QStringLiteral("lb"));
    btnReady = namedButton(this, "btnReady", QStringLiteral("Отчет"));
    btnPay = namedButton(this, "btnPay", QStringLiteral("Плащане"));
    btnExit = namedButton(this, "btnExit", QStringLiteral("Изход"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lb, 1);
    bottom->addWidget(btnReady);
    bottom->addWidget(btnPay);
    bottom->addWidget(btnExit);

    auto *lists = new QHBoxLayout;
    lists->addWidget(panParts);
    lists->addWidget(panTrud);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pInfo);
    layout->addWidget(choices);
    layout->addLayout(lists, 1);
    layout->addWidget(money);
    layout->addLayout(bottom);

    connect(btnReady, &QPushButton::clicked, this, &TfrmOtchet::btnReadyClick);
    connect(btnPay, &QPushButton::clicked, this, &TfrmOtchet::btnPayClick);
    connect(btnExit, &QPushButton::clicked, this, &TfrmOtchet::reject);
    connect(addWorkOp, &QPushButton::clicked, this, &TfrmOtchet::addWorkOpClick);
    connect(delWork, &QPushButton::clicked, this, &TfrmOtchet::delWorkClick);
    connect(btnAddPart, &QPushButton::clicked, this, &TfrmOtchet::btnAddPartClick);
    connect(btnDelPart, &QPushButton::clicked, this, &TfrmOtchet::btnDelPartClick);
    connect(btnProtSN, &QPushButton::clicked, this, &TfrmOtchet::btnProtSNClick);
    connect(cmbWar, &QComboBox::currentIndexChanged, this, [this] {
        if (!loading_)
            cmbWarChange();
    });
    connect(cmbClerks, &QComboBox::currentIndexChanged, this, [this] {
        if (!loading_)
            cmbClerksChange();
    });
    connect(eTaksa, &QLineEdit::textEdited, this, &TfrmOtchet::taksaEdited);
    connect(eOuter, &QLineEdit::textEdited, this, &TfrmOtchet::outerEdited);
    connect(eTrans, &QLineEdit::textEdited, this, &TfrmOtchet::outerEdited);
    connect(eParts, &QLineEdit::textEdited, this, &TfrmOtchet::outerEdited);
    connect(eTrudClient, &QLineEdit::textEdited, this, &TfrmOtchet::outerEdited);
    connect(eOtst, &QLineEdit::textEdited, this, &TfrmOtchet::otstEdited);
    connect(eSuma, &QLineEdit::textEdited, this, &TfrmOtchet::sumaEdited);
    resize(900, 700);
    // A low screen has no room for the order's information.
    if (const QScreen *screen = QGuiApplication::primaryScreen();
        screen && screen->geometry().height() <= 600) {
        pInfo->hide();
        resize(900, 540);
    }
}

TfrmOtchet::~TfrmOtchet() = default;

void TfrmOtchet::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        formShow();
    }
}

void TfrmOtchet::progress(const QString &text)
{
    lb->setText(text);
}

bool TfrmOtchet::ask(const QString &text)
{
    return session_.prompt->yesNo(text);
}

void TfrmOtchet::warn(const QString &text, QWidget *focus)
{
    session_.prompt->show(Prompt::messageCaption(), text, PromptIcon::Warning);
    if (focus)
        focus->setFocus();
}

Basis TfrmOtchet::basis() const
{
    if (cmbWar->currentIndex() <= 0)
        return Basis::Paid;
    return order_.typeWarr == int(Basis::Giver) || !warName_.isEmpty() ? Basis::Giver : Basis::Own;
}

QString TfrmOtchet::technicianName() const
{
    return externalChosen() ? QString() : cmbClerks->currentText();
}

bool TfrmOtchet::technicianStockAllowed() const
{
    return mode_ != OrderMode::Parts && cmbClerks->isEnabled();
}

bool TfrmOtchet::externalChosen() const
{
    return cmbClerks->currentText() == kExternal;
}

int TfrmOtchet::technicianId() const
{
    for (const OrderTechnician &t : technicians_)
        if (t.name == cmbClerks->currentText())
            return t.id;
    return 0;
}

int TfrmOtchet::technicianPercent() const
{
    for (const OrderTechnician &t : technicians_)
        if (t.name == cmbClerks->currentText())
            return t.percent;
    return 0;
}

bool TfrmOtchet::requireRates(CurrencyRates *rates, bool insist)
{
    const QDate today = QDate::currentDate();
    for (;;) {
        if (const auto r = finance::storedRates(*session_.db, today)) {
            *rates = {r->usd, r->eur};
            return true;
        }
        // Without a way to ask there is nothing to wait for.
        if (!session_.enterRates || (!session_.enterRates(today) && !insist))
            return false;
    }
}

void TfrmOtchet::formShow()
{
    loading_ = true;
    const auto loaded = loadOrderRecord(*session_.db, idPor_);
    if (!loaded) {
        loading_ = false;
        warn(noSuchOrderText(idPor_), nullptr);
        return;
    }
    order_ = *loaded;
    warName_ = order_.warName;
    btnProtSN->hide();
    cmbWar->clear();
    cmbWar->addItem(QStringLiteral("Негаранционен ремонт"));
    cmbWar->addItem(order_.typeWarr == int(Basis::Giver) ? QStringLiteral("Гаранция към ") + warName_
                                                         : QStringLiteral("Собствена гаранция"));
    cmbWar->setCurrentIndex(order_.typeWarr == 1 || order_.typeWarr == 2 ? 1 : 0);
    firm_ = firmDiscounts(*session_.db, order_.clientNames);
    a_ = OrderAmounts{};
    a_.discParts = firm_.parts;
    a_.discJobs = firm_.jobs;
    a_.partsMode = mode_ == OrderMode::Parts;
    lblInfo->setText(QStringLiteral("Поръчка № %1, клиент: %2, сериен номер: %3")
                         .arg(idPor_)
                         .arg(order_.clientNames, order_.serial));
    applyMode();

    progress(QStringLiteral("Проверка за външна поръчка"));
    const auto external = externalRepair(*session_.db, idPor_);
    hasExternal_ = external.has_value();
    eOuter->setVisible(hasExternal_);
    lblOuter->setVisible(hasExternal_);
    a_.outer = 0;
    if (external) {
        progress(QStringLiteral("Външна поръчка..."));
        a_.outer = external->price;
        if (external->idVal > 1) {
            CurrencyRates rates;
            if (requireRates(&rates, true))
                a_.outer = external->price * rates.of(external->idVal == 2 ? 2 : 3);
        }
    }
    fillTechnicians();
    progress(QStringLiteral("Списъка с частите"));
    loadLists();
    progress(QStringLiteral("Заработка..."));
    a_.trudClerk = lineSums(*session_.db, idPor_).trudClerk;
    a_.parts = order_.sumParts;
    a_.trudClient = order_.sumTrud;
    a_.taksa = order_.taksa;
    a_.trans = order_.transport;
    a_.suma = order_.sumAll;
    a_.warranty = basis() != Basis::Paid;
    loading_ = false;
    if (externalChosen())
        cmbClerksChange();
    progress(QStringLiteral("Изчисляване"));
    reprice();
    a_.recompute();
    const double stored = loadOrderRecord(*session_.db, idPor_)->sumAll;
    if (std::abs(a_.subtotal() - stored) > 0.004 && !a_.warranty) {
        a_.otst = roundCents(a_.subtotal() - stored);
        a_.totalFromDiscount();
    }
    if (a_.warranty)
        cmbPay->hide();
    lblPay_->setVisible(cmbPay->isVisibleTo(this));
    showAmounts();
    progress(QString());
}

void TfrmOtchet::applyMode()
{
    cmbState->clear();
    btnReady->setVisible(mode_ == OrderMode::Complete);
    btnPay->setVisible(mode_ == OrderMode::Pay);
    cmbPay->setVisible(mode_ == OrderMode::Pay && firm_.firmId > 0 && order_.typeWarr == 0);
    cmbWar->setEnabled(mode_ == OrderMode::Complete);
    const bool complete = mode_ == OrderMode::Complete;
    for (QWidget *w : std::initializer_list<QWidget *>{eTaksa, eParts, eSuma, eOtst, eOuter, eTrans, eArtNo})
        w->setEnabled(complete);
    eTrudClient->setEnabled(complete);
    pInfo->setEnabled(complete);
    cmbClerks->setEnabled(complete);
    eArtNo->setText(order_.softVersion);
    // Commands without their windows behind them are not offered.
    addWorkOp->setVisible(bool(chooseOperation));
    btnAddPart->setVisible(bool(issuePart));
    btnDelPart->setVisible(bool(takeBackPart));
    switch (mode_) {
    case OrderMode::Parts:
        cmbState->addItem(QStringLiteral("Регистрирана"));
        cmbState->setEnabled(false);
        setWindowTitle(QStringLiteral("Изписване на резервни части към поръчка"));
        btnAddPart->setFocus();
        break;
    case OrderMode::Complete:
        for (int s : {StateRepaired, StateRepairedReplaced, StateRefused, StateIrreparable})
            cmbState->addItem(orderStateLine(s));
        cmbState->setCurrentIndex(0);
        cmbState->setEnabled(true);
        setWindowTitle(QStringLiteral("Отчет на поръчка"));
        cmbClerks->setFocus();
        break;
    case OrderMode::Pay:
        for (int s : {StateRepaired, StateRepairedReplaced, StateRefused, StateIrreparable})
            cmbState->addItem(orderStateLine(s));
        cmbState->setCurrentIndex(stateIndexOf(order_.porState));
        cmbState->setEnabled(false);
        setWindowTitle(QStringLiteral("Плащане на поръчка"));
        break;
    }
    setPanels();
}

void TfrmOtchet::setPanels()
{
    const bool own = !externalChosen();
    panParts->setEnabled(own && mode_ != OrderMode::Pay);
    panTrud->setEnabled(own && mode_ == OrderMode::Complete);
}

void TfrmOtchet::fillTechnicians()
{
    const bool was = loading_;
    loading_ = true;
    cmbClerks->clear();
    technicians_.clear();
    if (mode_ != OrderMode::Parts) {
        technicians_ = orderTechnicians(*session_.db);
        for (const OrderTechnician &t : technicians_)
            cmbClerks->addItem(t.name);
        if (hasExternal_)
            cmbClerks->addItem(kExternal);
        if (order_.idClerk == 0) {
            int at = hasExternal_ ? cmbClerks->count() - 1 : cmbClerks->findText(session_.clerkName);
            cmbClerks->setCurrentIndex(at >= 0 ? at : 0);
        } else {
            const QString name = clerkNames(*session_.db).value(order_.idClerk);
            const int at = cmbClerks->findText(name);
            if (at < 0 || name.isEmpty()) {
                cmbClerks->setCurrentIndex(0);
                session_.prompt->show(
                    Prompt::messageCaption(),
                    QStringLiteral("Служителят, който е определен за тази поръчка, вече не работи "
                                   "в сервиза!"),
                    PromptIcon::Warning);
                cmbClerks->setEnabled(true);
            } else {
                cmbClerks->setCurrentIndex(at);
            }
        }
    }
    loading_ = was;
    setPanels();
}

void TfrmOtchet::loadLists()
{
    parts_ = partLines(*session_.db, idPor_);
    work_ = workLines(*session_.db, idPor_);
    gridParts->setRowCount(int(parts_.size()));
    for (int r = 0; r < parts_.size(); ++r) {
        const PartLine &p = parts_[r];
        const QStringList cells = {p.part, p.partNo, QString::number(p.amnt), money(p.priceLV),
                                   money(p.priceLV * p.amnt)};
        for (int c = 0; c < cells.size(); ++c)
            gridParts->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    grTrud->setRowCount(int(work_.size()));
    for (int r = 0; r < work_.size(); ++r) {
        const WorkLine &w = work_[r];
        const QStringList cells = {w.trud, money(w.pr1), money(w.pr2)};
        for (int c = 0; c < cells.size(); ++c)
            grTrud->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    if (!parts_.isEmpty() && gridParts->currentRow() < 0)
        gridParts->selectRow(0);
    if (!work_.isEmpty() && grTrud->currentRow() < 0)
        grTrud->selectRow(0);
}

void TfrmOtchet::showAmounts(const QLineEdit *editing)
{
    const std::pair<QLineEdit *, double> fields[] = {
        {eParts, a_.parts},         {eTrudClient, a_.trudClient},
        {eTrudClerk, a_.trudClerk}, {eTaksa, a_.taksa},
        {eOuter, a_.outer},         {eTrans, a_.trans},
        {eOtst, a_.otst},           {eSuma, a_.suma},
        {eDiscParts, a_.discParts}, {eDiscJobs, a_.discJobs},
    };
    for (const auto &[field, value] : fields)
        if (field != editing)
            field->setText(money(value));
    const bool priced = mode_ != OrderMode::Parts && !a_.warranty;
    eOtst->setEnabled(priced && a_.discountEnabled && mode_ != OrderMode::Parts &&
                      (mode_ == OrderMode::Complete || !a_.warranty));
    eTaksa->setEnabled(priced && mode_ != OrderMode::Parts);
    eSuma->setEnabled(priced);
}

void TfrmOtchet::readAmounts()
{
    a_.parts = valueOf(eParts);
    a_.trudClient = valueOf(eTrudClient);
    a_.taksa = valueOf(eTaksa);
    a_.outer = valueOf(eOuter);
    a_.trans = valueOf(eTrans);
}

void TfrmOtchet::reprice()
{
    const Basis b = basis();
    const bool giver = b == Basis::Giver;
    pnMsg->setText(giver ? QStringLiteral("Цена към ") + warName_ : QStringLiteral("Цена към клиента"));
    grTrud->horizontalHeaderItem(1)->setText(giver ? QStringLiteral("От гаранта")
                                                   : QStringLiteral("Към клиента"));
    if (mode_ == OrderMode::Pay)
        return;
    CurrencyRates rates;
    if (repriceNeedsRates(*session_.db, idPor_, b))
        requireRates(&rates, true);
    const LineSums s =
        repriceLines(*session_.db, idPor_, b, rule_, externalChosen() ? 0 : technicianPercent(), rates);
    if (s.missingOperation)
        session_.prompt->show(Prompt::messageCaption(), missingOperationsText(), PromptIcon::Warning);
    a_.parts = s.parts;
    a_.trudClient = s.trudClient;
    a_.trudClerk = s.trudClerk;
    a_.warranty = b != Basis::Paid;
    if (!a_.warranty) {
        const double fee = loadOrderRecord(*session_.db, idPor_)->taksa;
        a_.taksa = fee == 0 && mode_ == OrderMode::Complete && session_.prefs
                       ? session_.prefs->num(QLatin1String(Pref::Taksa))
                       : fee;
        a_.suma = a_.parts + a_.taksa + a_.trudClient;
    } else {
        a_.taksa = 0;
        a_.suma = 0;
    }
    a_.recompute();
    writeOrderMoney(*session_.db, idPor_, a_, b, warName_);
    loadLists();
}

void TfrmOtchet::afterLinesChanged()
{
    loadLists();
    const LineSums s = lineSums(*session_.db, idPor_);
    a_.parts = s.parts;
    a_.trudClient = s.trudClient;
    a_.trudClerk = s.trudClerk;
    a_.recompute();
    writeOrderMoney(*session_.db, idPor_, a_, basis(), warName_);
    showAmounts();
}

void TfrmOtchet::cmbWarChange()
{
    readAmounts();
    reprice();
    showAmounts();
}

void TfrmOtchet::cmbClerksChange()
{
    setPanels();
    if (externalChosen() && (!work_.isEmpty() || !parts_.isEmpty())) {
        warn(QStringLiteral("Не може да имате въведени труд или части в поръчка, която се отчита\nкъм външен "
                            "сервиз. За да направите това, изберете един от вашите техници!"),
             nullptr);
        cmbClerks->setCurrentIndex(0); // the first entry is always an own technician
        return;
    }
    if (rule_.mode == 2 && !externalChosen() && !work_.isEmpty()) {
        const LineSums s = reshareLines(*session_.db, idPor_, basis(), technicianPercent());
        if (s.missingOperation)
            session_.prompt->show(Prompt::warningCaption(), missingOperationsText(), PromptIcon::Warning);
        afterLinesChanged();
    }
}

void TfrmOtchet::taksaEdited()
{
    readAmounts();
    a_.recompute();
    showAmounts(eTaksa);
}

void TfrmOtchet::outerEdited()
{
    readAmounts();
    a_.recompute();
    showAmounts(qobject_cast<QLineEdit *>(focusWidget()));
}

void TfrmOtchet::otstEdited()
{
    readAmounts();
    a_.otst = valueOf(eOtst);
    a_.totalFromDiscount();
    eSuma->setText(money(a_.suma));
}

void TfrmOtchet::sumaEdited()
{
    if (eOtst->hasFocus())
        return;
    readAmounts();
    a_.suma = valueOf(eSuma);
    a_.discountFromTotal();
    eOtst->setText(money(a_.otst));
}

void TfrmOtchet::addWorkOpClick()
{
    if (!chooseOperation)
        return;
    const auto op = chooseOperation();
    if (!op)
        return;
    addWorkLine(*session_.db, idPor_, *op, basis(), rule_, technicianPercent());
    readAmounts();
    afterLinesChanged();
}

void TfrmOtchet::delWorkClick()
{
    const int row = grTrud->currentRow();
    if (row < 0 || row >= work_.size())
        return;
    removeWorkLine(*session_.db, idPor_, work_[row].id, basis(), rule_);
    readAmounts();
    afterLinesChanged();
}

void TfrmOtchet::btnAddPartClick()
{
    if (!issuePart)
        return;
    setEnabled(false);
    QString serial;
    const bool issued = issuePart(&serial);
    setEnabled(true);
    if (!issued)
        return;
    if (!serial.isEmpty()) {
        newSerial_ = serial;
        btnProtSN->show();
    }
    readAmounts();
    reprice();
    showAmounts();
}

void TfrmOtchet::btnDelPartClick()
{
    const int row = gridParts->currentRow();
    if (!takeBackPart || row < 0 || row >= parts_.size())
        return;
    takeBackPart(parts_[row].id);
    readAmounts();
    afterLinesChanged();
}

void TfrmOtchet::btnProtSNClick()
{
    const auto doc = documents::fillTemplate(documents::DocumentKind::ChangeSn, session_, [&](bool matrix) {
        return documents::changeSnValues(documents::loadOrderData(*session_.db, int(idPor_)),
                                         documents::loadShopData(*session_.db), newSerial_, matrix);
    });
    if (doc.ok)
        output(doc, QStringLiteral("Смяна на сериен номер към поръчка № %1").arg(idPor_));
}

void TfrmOtchet::btnReadyClick()
{
    readAmounts();
    const bool paid = basis() == Basis::Paid;
    const double fee = session_.prefs ? session_.prefs->num(QLatin1String(Pref::Taksa)) : 0;
    if (a_.suma < 0)
        return warn(QStringLiteral("Не може да отчетете поръчка с отрицателна цена!"), eTaksa);
    if (a_.suma == 0 && paid &&
        !ask(QStringLiteral(
            "Отчет на поръчка с нулева цена!\nТова вероятно означва отказан ремонт.\nЖелаете ли да "
            "продължите?")))
        return eTaksa->setFocus();
    if (a_.taksa < 0)
        return warn(QStringLiteral("не може да въвеждате отрицателна стойност за такса!"), eTaksa);
    if (paid && std::abs(a_.taksa - fee) > 0.004 &&
        !ask(QStringLiteral("Taксата е различна от обявената!\nЖелаете ли да продължите?")))
        return eTaksa->setFocus();
    if (a_.trudClient < 0)
        return warn(QStringLiteral("Не може да въвеждате отрицателна стойност за цена на труда!"),
                    eTrudClient);
    if (a_.trudClerk == 0 && !work_.isEmpty() &&
        !ask(QStringLiteral(
            "За ремонта е положен труд, а цената на труда е нулева\nЖелаете ли да продължите?")))
        return eTaksa->setFocus();
    CompletionInput in;
    in.idPor = idPor_;
    in.clerkId = externalChosen() ? 0 : technicianId();
    in.amounts = a_;
    in.artNo = eArtNo->text();
    in.stateIndex = cmbState->currentIndex();
    in.clientName = order_.clientNames;
    in.today = QDate::currentDate();
    in.now = QTime::currentTime();
    progress(QStringLiteral("Запис отчет"));
    try {
        completeOrder(*session_.db, in);
    } catch (const data::DbError &e) {
        progress(QString());
        session_.prompt->show(Prompt::errorCaption(), e.message(), PromptIcon::Error);
        return;
    }
    mode_ = OrderMode::Pay;
    formShow();
}

void TfrmOtchet::btnPayClick()
{
    progress(QStringLiteral("Начало отчет"));
    const bool paid = basis() == Basis::Paid;
    const double fee = session_.prefs ? session_.prefs->num(QLatin1String(Pref::Taksa)) : 0;
    a_.taksa = valueOf(eTaksa);
    if (a_.suma < 0)
        return warn(QStringLiteral("Не може да отчетете поръчка с отрицателна цена!"), eTaksa);
    bool zeroConfirmed = false;
    if (a_.suma == 0 && paid) {
        if (!ask(QStringLiteral("Oбщата цена на поръчката е нулева!\nЖелаете ли да продължите?")))
            return eTaksa->setFocus();
        zeroConfirmed = true;
    }
    if (a_.taksa < 0)
        return warn(QStringLiteral("не може да въвеждате отрицателна стойност за такса!"), eTaksa);
    if (paid && !zeroConfirmed && std::abs(a_.taksa - fee) > 0.004 &&
        !ask(QStringLiteral("Taксата е различна от обявената!\nЖелаете ли да продължите?")))
        return eTaksa->setFocus();
    PaymentInput in;
    in.idPor = idPor_;
    in.clerkId = externalChosen() ? 0 : technicianId();
    in.amounts = a_;
    in.warranty = !paid;
    in.onAccount = cmbPay->isVisibleTo(this) && cmbPay->currentIndex() == 1;
    in.firmId = cmbPay->isVisibleTo(this) ? firm_.firmId : 0;
    in.clientName = order_.clientNames;
    in.multiCurrency = finance::multiCurrency(session_.prefs);
    in.userId = session_.clerkId;
    in.today = QDate::currentDate();
    in.now = QTime::currentTime();
    if (in.multiCurrency) {
        const finance::RatesAnswer r = finance::ratesOfDay(session_, in.today);
        if (r.cancelled()) {
            progress(QString());
            return;
        }
        in.rates = {r.rates.usd, r.rates.eur};
    }
    progress(QStringLiteral("Запис печалба"));
    try {
        payOrder(*session_.db, in);
    } catch (const data::DbError &e) {
        progress(QString());
        session_.prompt->show(Prompt::errorCaption(), e.message(), PromptIcon::Error);
        return;
    }
    progress(QString());
    accept();
}

void TfrmOtchet::reject()
{
    if (mode_ == OrderMode::Complete && basis() == Basis::Paid && !warName_.isEmpty() &&
        !ask(QStringLiteral("Отказали сте гаранция на поръчката!\nЖелаете ли да продължите?")))
        return;
    QDialog::reject();
}

TfrmPorNo::TfrmPorNo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmPorNo"));
    setWindowTitle(QStringLiteral("Номер на поръчка"));
    ePorNo = new QLineEdit(this);
    ePorNo->setObjectName(QStringLiteral("ePorNo"));
    ePorNo->setMaxLength(9);
    ePorNo->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), ePorNo));
    btnNum = new QPushButton(QStringLiteral("OK"), this);
    btnNum->setObjectName(QStringLiteral("btnNum"));
    btnNum->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Отказ"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Въведете номер на поръчка"), this));
    layout->addWidget(ePorNo);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnNum);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(btnNum, &QPushButton::clicked, this, [this] {
        if (!ePorNo->text().isEmpty())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

qint64 TfrmPorNo::number() const
{
    return ePorNo->text().toLongLong();
}

void TfrmPorNo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ePorNo->clear();
    ePorNo->setFocus();
}

} // namespace morlenta::orders
