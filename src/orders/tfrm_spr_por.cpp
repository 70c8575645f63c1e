#include "orders/tfrm_spr_por.h"

#include "common/labels.h"
#include "common/local_settings.h"
#include "common/money.h"
#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "documents/document_output.h"
#include "documents/document_templates.h"
#include "documents/document_values.h"
#include "documents/tfrm_prn_card.h"
#include "orders/external_dispatch.h"
#include "orders/external_panel.h"
#include "orders/order_intake.h"
#include "orders/order_work.h"
#include "platform/data_grid.h"
#include "platform/form_widgets.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace morlenta::orders {

namespace {

const QDate kNoDate(2000, 1, 1);

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(QLatin1String(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    // The lowest date stands for "no date".
    d->setMinimumDate(kNoDate);
    d->setSpecialValueText(QStringLiteral(" "));
    return d;
}

QTableView *smallTable(QWidget *parent, const char *name, QStandardItemModel *model)
{
    auto *t = new QTableView(parent);
    t->setObjectName(QLatin1String(name));
    t->setModel(model);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void fillModel(QStandardItemModel *model, const QList<QStringList> &rows, const QStringList &captions)
{
    model->clear();
    model->setHorizontalHeaderLabels(captions);
    for (const QStringList &cells : rows) {
        QList<QStandardItem *> row;
        for (const QString &text : cells)
            row << new QStandardItem(text);
        model->appendRow(row);
    }
}

QString amount(double v)
{
    return amountText(v).trimmed();
}

// The state column's picture: a sign before the state's text.
QString stateWithPicture(const QVariant &v)
{
    static const char16_t *kSigns[] = {u"", u"●", u"⌛", u"✔", u"✔", u"➜", u"✖", u"✖", u"✖"};
    const int s = v.toInt();
    if (s < 1 || s > 8)
        return {};
    return QString::fromUtf16(kSigns[s]) + QLatin1Char(' ') + orderStateText(v);
}

} // namespace

TfrmSprPor::TfrmSprPor(Session &session, QWidget *parent) : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("TfrmSprPor"));
    setWindowTitle(QStringLiteral("Справка за поръчки"));
    setSizeGripEnabled(true);
    output = [this](const documents::FilledDocument &doc, const QString &title) {
        documents::outputDocument(doc, *session_.prompt, *session_.settings, this, title);
    };
    showReadyCard = [this](qint64 idPor) {
        documents::TfrmPrnCard w(*session_.db, *session_.prompt, *session_.settings, session_.templatesFolder,
                                 session_.printFooter, int(idPor), this);
        w.exec();
    };
    partsModel_ = new QStandardItemModel(this);
    trudModel_ = new QStandardItemModel(this);
    extModel_ = new QStandardItemModel(this);
    buildFilter();
    buildGrid();
    resize(985, 695);
    if (const QScreen *s = QGuiApplication::primaryScreen(); s && s->geometry().width() <= 1024)
        setWindowState(windowState() | Qt::WindowMaximized);
    formShow();
}

TfrmSprPor::~TfrmSprPor() = default;

void TfrmSprPor::buildFilter()
{
    pnlFilter = new QGroupBox(QStringLiteral("Търсене"), this);
    pnlFilter->setObjectName(QStringLiteral("pnlFilter"));
    pnlFilter->setCheckable(true);
    auto *lists = new QGroupBox(QStringLiteral("Готови справки"), pnlFilter);
    rb1 = new QRadioButton(QStringLiteral("Неотчетени (неизпълнени) ремонти"), lists);
    rb6 = new QRadioButton(QStringLiteral("Неотчетени с изтекъл срок"), lists);
    rb2 = new QRadioButton(QStringLiteral("Готови, но непредадени"), lists);
    rb3 = new QRadioButton(QStringLiteral("Приети уреди за период"), lists);
    rb4 = new QRadioButton(QStringLiteral("Извършени ремонти за период"), lists);
    rb5 = new QRadioButton(QStringLiteral("Платени ремонти за период"), lists);
    const char *rbNames[] = {"rb1", "rb6", "rb2", "rb3", "rb4", "rb5"};
    QRadioButton *rbs[] = {rb1, rb6, rb2, rb3, rb4, rb5};
    date1 = dateEdit(lists, "date1");
    date2 = dateEdit(lists, "date2");
    BitBtn1 = new QPushButton(QStringLiteral("Покажи"), lists);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    auto *lg = new QGridLayout(lists);
    for (int i = 0; i < 6; ++i) {
        rbs[i]->setObjectName(QLatin1String(rbNames[i]));
        lg->addWidget(rbs[i], i, 0, 1, 4);
        connect(rbs[i], &QRadioButton::toggled, this, [this] {
            const bool period = rb3->isChecked() || rb4->isChecked() || rb5->isChecked();
            date1->setEnabled(period);
            date2->setEnabled(period);
        });
    }
    lg->addWidget(new QLabel(QStringLiteral("от"), lists), 6, 0);
    lg->addWidget(date1, 6, 1);
    lg->addWidget(new QLabel(QStringLiteral("до"), lists), 6, 2);
    lg->addWidget(date2, 6, 3);
    lg->addWidget(BitBtn1, 7, 3);

    auto *crit = new QGroupBox(QStringLiteral("Търсене по критерии"), pnlFilter);
    ePorNo = namedLineEdit(crit, "ePorNo");
    eNames = namedLineEdit(crit, "eNames");
    eAdres = namedLineEdit(crit, "eAdres");
    ePhone = namedLineEdit(crit, "ePhone");
    eArt = namedComboBox(crit, "eArt");
    eMarka = namedComboBox(crit, "eMarka");
    eModel = namedLineEdit(crit, "eModel");
    eSN = namedLineEdit(crit, "eSN");
    eClerk = namedComboBox(crit, "eClerk");
    eWarr = namedComboBox(crit, "eWarr");
    eWarr->addItems({QStringLiteral("Без избор"), QStringLiteral("Негаранционен ремонт"),
                     QStringLiteral("Собствена гаранция"), QStringLiteral("Външна гаранция")});
    eOuter = namedLineEdit(crit, "eOuter");
    fdate1 = dateEdit(crit, "fdate1");
    fdate2 = dateEdit(crit, "fdate2");
    BitBtn2 = new QPushButton(QStringLiteral("Търси"), crit);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto *cg = new QGridLayout(crit);
    struct Item {
        const char *label;
        QWidget *w;
    };
    const Item items[] = {{"Поръчка №", ePorNo}, {"Клиент", eNames},        {"Адрес", eAdres},
                          {"Телефон", ePhone},   {"Артикул", eArt},         {"Марка", eMarka},
                          {"Модел", eModel},     {"Сериен номер", eSN},     {"Техник", eClerk},
                          {"Гаранция", eWarr},   {"Външна поръчка", eOuter}};
    int i = 0;
    for (const Item &it : items) {
        cg->addWidget(new QLabel(QString::fromUtf8(it.label), crit), i / 2, (i % 2) * 2);
        cg->addWidget(it.w, i / 2, (i % 2) * 2 + 1);
        ++i;
    }
    const int last = (i + 1) / 2;
    cg->addWidget(new QLabel(QStringLiteral("Приети след"), crit), last, 0);
    cg->addWidget(fdate1, last, 1);
    cg->addWidget(new QLabel(QStringLiteral("Приети преди"), crit), last, 2);
    cg->addWidget(fdate2, last, 3);
    cg->addWidget(BitBtn2, last + 1, 3);

    auto *fl = new QHBoxLayout(pnlFilter);
    fl->addWidget(lists);
    fl->addWidget(crit, 1);
    // Unticking the group box folds the filter away.
    connect(pnlFilter, &QGroupBox::toggled, this, [this](bool on) {
        for (QWidget *w : pnlFilter->findChildren<QGroupBox *>(QString(), Qt::FindDirectChildrenOnly))
            w->setVisible(on);
    });
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmSprPor::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmSprPor::BitBtn2Click);
    connect(ePorNo, &QLineEdit::textChanged, this, &TfrmSprPor::numberEdited);
    connect(date1, &QDateEdit::dateChanged, this, [this] { periodChanged(date1, date2, true); });
    connect(date2, &QDateEdit::dateChanged, this, [this] { periodChanged(date1, date2, false); });
    connect(fdate1, &QDateEdit::dateChanged, this, [this] { periodChanged(fdate1, fdate2, true); });
    connect(fdate2, &QDateEdit::dateChanged, this, [this] { periodChanged(fdate1, fdate2, false); });
    for (QWidget *w : pnlFilter->findChildren<QWidget *>())
        w->installEventFilter(this);
}

void TfrmSprPor::buildGrid()
{
    toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    lblFilter = new QLabel(this);
    lblFilter->setObjectName(QStringLiteral("lblFilter"));
    QFont bold = lblFilter->font();
    bold.setBold(true);
    lblFilter->setFont(bold);
    dtPor = new DataGrid(this);
    dtPor->setObjectName(QStringLiteral("dtPor"));
    dtPor->setPrompt(session_.prompt);
    dtPor->setPrintFooter(session_.printFooter);
    dtPor->setExportName(QStringLiteral("spr_porychki"));
    dtPor->setKeyColumn(QStringLiteral("idPor"));
    // A long list (a common surname among a million orders) shows its first rows at once.
    dtPor->setFirstRows(1000);

    auto act = [this](const char *name, const QString &caption, auto slot) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        toolBar->addAction(a);
        return a;
    };
    btnOtchet = act("btnOtchet", QStringLiteral("Отчет"), [this] {
        if (orderCommand)
            orderCommand(1);
    });
    btnPay = act("btnPay", QStringLiteral("Плащане"), [this] {
        if (orderCommand)
            orderCommand(2);
    });
    btnParts = act("btnParts", QStringLiteral("Части"), [this] {
        if (orderCommand)
            orderCommand(0);
    });
    btnExport = act("btnExport", QStringLiteral("Външен сервиз"), &TfrmSprPor::btnExportClick);
    btnExport->setVisible(session_.hasRight(Right::ExternalService));
    mnWaitPart = act("mnWaitPart", QStringLiteral("Чака части"), &TfrmSprPor::mnWaitPartClick);
    prnPor = act("prnPor", QStringLiteral("Сервизна карта"), &TfrmSprPor::prnPorClick);
    popPrnCard = act("popPrnCard", QStringLiteral("Карта за готовност"), &TfrmSprPor::popPrnCardClick);
    toolBar->addSeparator();
    mnInfo = act("mnInfo", QStringLiteral("Информация"), &TfrmSprPor::mnInfoClick);
    mnInfo->setCheckable(true);
    prnGrid = act("prnGrid", QStringLiteral("Печат"), [this] {
        dtPor->finishLoading();
        dtPor->setPrintTitle(windowTitle(), {query_.description});
        dtPor->printPreview();
    });
    popExcel = act("popExcel", QStringLiteral("Експорт"), [this] {
        dtPor->finishLoading();
        dtPor->exportWithDialog();
    });
    toolBar->addSeparator();
    for (const char *name : {"expandOne", "collapseOne", "fullExpand", "fullCollapse", "grBestFit"})
        toolBar->addAction(dtPor->action(QLatin1String(name)));
    TBItem11 = act("TBItem11", QStringLiteral("Колони"),
                   [this] { dtPor->showColumnChooser(!dtPor->columnChooserVisible()); });
    TBItem1 = act("TBItem1", QStringLiteral("Запис на изгледа"), [this] { dtPor->saveLayout(); });
    for (QAction *a : {btnOtchet, btnPay, btnParts, btnExport, mnWaitPart, prnPor, popPrnCard})
        dtPor->contextMenu()->addAction(a);

    pnlInfo = new QWidget(this);
    pnlInfo->setObjectName(QStringLiteral("pnlInfo"));
    porParts = smallTable(pnlInfo, "porParts", partsModel_);
    porTrud = smallTable(pnlInfo, "porTrud", trudModel_);
    eNote = new QPlainTextEdit(pnlInfo);
    eNote->setObjectName(QStringLiteral("eNote"));
    btnSaveNote = new QPushButton(QStringLiteral("Запис на бележката"), pnlInfo);
    btnSaveNote->setObjectName(QStringLiteral("btnSaveNote"));
    auto *il = new QGridLayout(pnlInfo);
    il->addWidget(new QLabel(QStringLiteral("Части"), pnlInfo), 0, 0);
    il->addWidget(new QLabel(QStringLiteral("Труд"), pnlInfo), 0, 1);
    il->addWidget(new QLabel(QStringLiteral("Бележка"), pnlInfo), 0, 2);
    il->addWidget(porParts, 1, 0);
    il->addWidget(porTrud, 1, 1);
    il->addWidget(eNote, 1, 2);
    il->addWidget(btnSaveNote, 2, 2);
    pnlInfo->hide();
    connect(btnSaveNote, &QPushButton::clicked, this, &TfrmSprPor::saveNote);

    tExt = smallTable(this, "tExt", extModel_);
    tExt->setMaximumHeight(110);
    tExt->hide();
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(tExt, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pnlFilter);
    layout->addWidget(toolBar);
    layout->addWidget(lblFilter);
    layout->addWidget(dtPor, 1);
    layout->addWidget(pnlInfo);
    layout->addLayout(bottom);
    pnlExt = new ExternalPanel(*session_.db, this);
    connect(pnlExt->bRecExp, &QPushButton::clicked, this, &TfrmSprPor::bRecExpClick);
    connect(pnlExt->bCancel, &QPushButton::clicked, this, &TfrmSprPor::closeExternalPanel);
    connect(dtPor, &DataGrid::currentRecordChanged, this, &TfrmSprPor::currentChanged);
}

void TfrmSprPor::setUpColumns()
{
    // Once, on the first result, so that the stored layout finds every column.
    columnsReady_ = true;
    dtPor->addCalculatedColumn(QStringLiteral("Warranty"), QStringLiteral("Гаранция"),
                               [this](const QAbstractItemModel &, int row) -> QVariant {
                                   const QVariant v = dtPor->gridModel()->rawValue(
                                       row, dtPor->gridModel()->columnIndex(QStringLiteral("typeWarr")));
                                   return v.isNull() ? QVariant() : QVariant(warrantyText(v));
                               });
    dtPor->addCalculatedColumn(QStringLiteral("typePor"), QStringLiteral("Вид"),
                               [this](const QAbstractItemModel &, int row) -> QVariant {
                                   return orderKindText(dtPor->gridModel()->rawValue(
                                       row, dtPor->gridModel()->columnIndex(QStringLiteral("codeGet"))));
                               });
    dtPor->addLookupColumn(QStringLiteral("Technician"), QStringLiteral("Техник"), QStringLiteral("idClerk"),
                           [this](const QVariant &id) -> QVariant { return clerkNames_.value(id.toInt()); });
    dtPor->addLookupColumn(QStringLiteral("External"), QStringLiteral("Външен сервиз"),
                           QStringLiteral("idPor"), [this](const QVariant &id) -> QVariant {
                               return withExternal_.contains(id.toLongLong()) ? QStringLiteral("да")
                                                                              : QString();
                           });
    const QList<std::pair<const char *, const char *>> captions = {
        {"idPor", "Поръчка №"},       {"payed", "Платена"},         {"PorDate", "Приета"},
        {"readyDate", "Готова на"},   {"payDate", "Платена на"},    {"ready", "Готова"},
        {"Art", "Артикул"},           {"Marka", "Марка"},           {"Model", "Модел"},
        {"Serial", "Сериен номер"},   {"taksa", "Такса"},           {"sumTrud", "Труд"},
        {"sumParts", "Части"},        {"sumAll", "Общо"},           {"clientNames", "Клиент"},
        {"clientAdres", "Адрес"},     {"clientPhones", "Телефони"}, {"Technician", nullptr},
        {"Fiscal", "Фискална памет"}, {"External", nullptr},        {"Warranty", nullptr},
        {"WarName", "Гарант"},        {"typePor", nullptr},         {"Pech", "Печалба"},
        {"porState", "Състояние"},    {"Transport", "Транспорт"},
    };
    QStringList shown;
    for (const auto &[name, caption] : captions) {
        if (caption)
            dtPor->setColumnCaption(QLatin1String(name), QString::fromUtf8(caption));
        shown << QLatin1String(name);
    }
    for (const QString &name : dtPor->gridModel()->columnNames())
        if (!shown.contains(name, Qt::CaseInsensitive))
            dtPor->setColumnVisible(name, false);
    int position = 0;
    for (const QString &name : shown)
        dtPor->moveColumn(name, position++);
    dtPor->setColumnFormatter(QStringLiteral("porState"), stateWithPicture);
    for (const char *flag : {"ready", "payed"})
        dtPor->setColumnFormatter(QLatin1String(flag), [](const QVariant &v) {
            return v.toBool() ? QStringLiteral("да") : QString();
        });
    const bool profit = session_.hasRight(Right::Profit);
    if (profit)
        dtPor->setSummedColumns({QStringLiteral("taksa"), QStringLiteral("sumTrud"),
                                 QStringLiteral("sumParts"), QStringLiteral("sumAll"), QStringLiteral("Pech"),
                                 QStringLiteral("Transport")});
    else
        dtPor->setColumnVisible(QStringLiteral("Pech"), false);
    dtPor->setLayoutKey(QStringLiteral("SprPor"), &session_.settings->raw());
    // A stored layout must not bring the profit back.
    if (!profit)
        dtPor->setColumnVisible(QStringLiteral("Pech"), false);
}

void TfrmSprPor::fillLists()
{
    OrderIntake lists(*session_.db);
    for (auto [box, items] : {std::pair{eArt, lists.articles()}, std::pair{eMarka, lists.brands()}}) {
        box->clear();
        box->addItem(QStringLiteral("Без избор"));
        box->addItems(items);
    }
    technicians_ = registerTechnicians(*session_.db);
    eClerk->clear();
    eClerk->addItem(QStringLiteral("Без избор"));
    clerkNames_ = clerkNames(*session_.db);
    for (const RegisterTechnician &t : technicians_)
        eClerk->addItem(t.listed);
}

void TfrmSprPor::formShow()
{
    today_ = QDate::currentDate();
    pnlFilter->setChecked(true);
    enableOrderCommands(false);
    for (QAction *a : {prnGrid, popExcel, mnInfo})
        a->setEnabled(false);
    correcting_ = true;
    date1->setDate(QDate(today_.year(), today_.month(), 1));
    date2->setDate(today_);
    correcting_ = false;
    fillLists();
    for (QLineEdit *e : {ePorNo, eNames, eAdres, ePhone, eModel, eSN, eOuter})
        e->clear();
    for (QComboBox *c : {eArt, eMarka, eClerk, eWarr})
        c->setCurrentIndex(0);
    clearDate(fdate1);
    clearDate(fdate2);
    rb1->setChecked(true);
    date1->setEnabled(false);
    date2->setEnabled(false);
    pnlInfo->hide();
    mnInfo->setChecked(false);
    pnlExt->hide();
}

QDate TfrmSprPor::dateOf(const QDateEdit *e)
{
    return e->date() == kNoDate ? QDate() : e->date();
}

void TfrmSprPor::clearDate(QDateEdit *e)
{
    e->setDate(kNoDate);
}

void TfrmSprPor::periodChanged(QDateEdit *from, QDateEdit *to, bool fromChanged)
{
    if (correcting_)
        return;
    QDate f = dateOf(from), t = dateOf(to);
    correctPeriod(f, t, fromChanged, today_);
    correcting_ = true;
    from->setDate(f.isValid() ? f : kNoDate);
    to->setDate(t.isValid() ? t : kNoDate);
    correcting_ = false;
}

void TfrmSprPor::numberEdited(const QString &text)
{
    // The number is the only criterion once typed.
    const bool free = text.trimmed().isEmpty();
    if (!free) {
        for (QLineEdit *e : {eNames, eAdres, ePhone, eModel, eSN, eOuter})
            e->clear();
        for (QComboBox *c : {eArt, eMarka, eClerk, eWarr})
            c->setCurrentIndex(0);
        clearDate(fdate1);
        clearDate(fdate2);
    }
    for (QWidget *w : std::initializer_list<QWidget *>{eNames, eAdres, ePhone, eModel, eSN, eOuter, eArt,
                                                       eMarka, eClerk, eWarr, fdate1, fdate2})
        w->setEnabled(free);
}

bool TfrmSprPor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            QWidget *w = qobject_cast<QWidget *>(watched);
            const bool lists = qobject_cast<QRadioButton *>(w) || w == date1 || w == date2 ||
                               (w && (w->parentWidget() == date1 || w->parentWidget() == date2));
            if (lists)
                BitBtn1Click();
            else
                BitBtn2Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSprPor::BitBtn1Click()
{
    ReadyList list = ReadyList::Open;
    if (rb6->isChecked())
        list = ReadyList::Overdue;
    else if (rb2->isChecked())
        list = ReadyList::ReadyUnpaid;
    else if (rb3->isChecked())
        list = ReadyList::TakenIn;
    else if (rb4->isChecked())
        list = ReadyList::Finished;
    else if (rb5->isChecked())
        list = ReadyList::Paid;
    if (const auto q = readyListQuery(list, dateOf(date1), dateOf(date2), today_, *session_.prompt))
        runQuery(*q);
}

void TfrmSprPor::BitBtn2Click()
{
    RegisterCriteria c;
    c.number = ePorNo->text();
    c.clientName = eNames->text();
    c.address = eAdres->text();
    c.phone = ePhone->text();
    if (eArt->currentIndex() >= 1)
        c.article = eArt->currentText();
    if (eMarka->currentIndex() >= 1)
        c.brand = eMarka->currentText();
    c.model = eModel->text();
    c.serial = eSN->text();
    if (const int t = eClerk->currentIndex(); t >= 1 && t <= technicians_.size()) {
        c.technicianId = technicians_[t - 1].id;
        c.technicianListed = technicians_[t - 1].listed;
    }
    c.warrantyIndex = eWarr->currentIndex();
    c.warrantyText = eWarr->currentText();
    c.externalOrder = eOuter->text();
    c.from = dateOf(fdate1);
    c.to = dateOf(fdate2);
    for (QLineEdit *e : {ePorNo, eNames, eAdres, ePhone, eModel, eSN, eOuter})
        e->setText(e->text().trimmed());
    if (const auto q = criteriaQuery(*session_.db, c, *session_.prompt)) {
        pnlFilter->setChecked(false);
        runQuery(*q);
    }
}

void TfrmSprPor::runQuery(const RegisterQuery &q)
{
    query_ = q;
    setEnabled(false);
    {
        WaitMessage wait(*session_.prompt, QStringLiteral("Зареждане на поръчките, моля изчакайте ..."));
        try {
            dtPor->setQuery(*session_.db, q.sql(), q.params);
        } catch (const data::DbError &e) {
            setEnabled(true);
            session_.prompt->show(Prompt::errorCaption(), e.message(), PromptIcon::Error);
            return;
        }
        withExternal_ = ordersSentOut(*session_.db);
    }
    setEnabled(true);
    lblFilter->setText(q.description);
    const bool any = dtPor->rowCount() > 0;
    for (QAction *a : {prnGrid, popExcel, mnInfo})
        a->setEnabled(any);
    if (!any) {
        enableOrderCommands(false);
        session_.prompt->show(Prompt::messageCaption(),
                              QStringLiteral("Няма намерени данни по зададените критерии!"),
                              PromptIcon::Warning);
        return;
    }
    if (!columnsReady_) {
        setUpColumns();
        // Fitting measures many rows; after the first list the widths stay (grBestFit fits again).
        dtPor->bestFit();
    }
    dtPor->fullExpand();
    currentChanged();
}

qint64 TfrmSprPor::currentOrder() const
{
    return dtPor->currentSourceRow() >= 0 ? dtPor->currentValue(QStringLiteral("idPor")).toLongLong() : 0;
}

void TfrmSprPor::enableOrderCommands(bool on)
{
    for (QAction *a : {btnOtchet, btnPay, btnParts, btnExport, mnWaitPart, prnPor, popPrnCard})
        a->setEnabled(on);
    btnSaveNote->setEnabled(on);
    eNote->setReadOnly(!on);
}

void TfrmSprPor::currentChanged()
{
    const qint64 id = currentOrder();
    if (id == 0) {
        enableOrderCommands(false);
        return;
    }
    const OrderCommands c = orderCommands(dtPor->currentValue(QStringLiteral("ready")).toBool(),
                                          dtPor->currentValue(QStringLiteral("payed")).toBool(),
                                          dtPor->currentValue(QStringLiteral("porState")).toInt(),
                                          dtPor->currentValue(QStringLiteral("codeGet")).toString());
    btnOtchet->setEnabled(c.complete);
    btnParts->setEnabled(c.complete);
    btnPay->setEnabled(c.pay);
    btnExport->setEnabled(c.sendOut);
    mnWaitPart->setEnabled(c.waitParts);
    prnPor->setEnabled(c.complete);
    popPrnCard->setEnabled(c.readyCard);
    eNote->setReadOnly(!c.noteEditable);
    btnSaveNote->setEnabled(c.noteEditable);
    loadRelated(id);
}

void TfrmSprPor::loadRelated(qint64 idPor)
{
    QList<QStringList> rows;
    for (const ExternalRow &e : externalRows(*session_.db, idPor))
        rows << QStringList{e.contragent, dateText(e.sent), dateText(e.back),
                            e.success ? QStringLiteral("да") : QStringLiteral("не")};
    fillModel(extModel_, rows,
              {QStringLiteral("Сервиз"), QStringLiteral("Изпратена"), QStringLiteral("Върната"),
               QStringLiteral("Успешно")});
    tExt->setVisible(extModel_->rowCount() > 0);
    eNote->setPlainText(dtPor->currentValue(QStringLiteral("por_note")).toString());
    if (!pnlInfo->isVisible())
        return;
    rows.clear();
    for (const RegisterPart &p : registerParts(*session_.db, idPor))
        rows << QStringList{p.part, p.marka, p.type, QString::number(p.amnt), amount(p.priceLV)};
    fillModel(partsModel_, rows,
              {QStringLiteral("Част"), QStringLiteral("Марка"), QStringLiteral("Вид"), QStringLiteral("Бр."),
               QStringLiteral("Цена")});
    rows.clear();
    for (const WorkLine &w : workLines(*session_.db, idPor))
        rows << QStringList{w.trud, amount(w.pr1), amount(w.pr2)};
    fillModel(trudModel_, rows,
              {QStringLiteral("Операция"), QStringLiteral("Цена"), QStringLiteral("Техник")});
}

void TfrmSprPor::reload()
{
    if (columnsReady_)
        runQuery(query_);
}

void TfrmSprPor::mnInfoClick()
{
    pnlInfo->setVisible(mnInfo->isChecked());
    if (const qint64 id = currentOrder())
        loadRelated(id);
}

void TfrmSprPor::saveNote()
{
    const qint64 id = currentOrder();
    if (id == 0 || eNote->isReadOnly())
        return;
    saveOrderNote(*session_.db, id, eNote->toPlainText());
    runQuery(query_);
}

void TfrmSprPor::mnWaitPartClick()
{
    const qint64 id = currentOrder();
    if (id == 0 || dtPor->currentValue(QStringLiteral("porState")).toInt() != StateRegistered)
        return;
    markWaitingForParts(*session_.db, id, session_.clerkName, today_);
    runQuery(query_);
}

void TfrmSprPor::btnExportClick()
{
    const qint64 id = currentOrder();
    if (id == 0 || !session_.hasRight(Right::ExternalService))
        return;
    if (const auto refusal = dispatchRefusal(*session_.db, id)) {
        session_.prompt->show(Prompt::messageCaption(), *refusal, PromptIcon::Warning);
        return;
    }
    for (QWidget *w : std::initializer_list<QWidget *>{pnlFilter, dtPor, toolBar})
        w->setEnabled(false);
    releaseIdleTechnician(*session_.db, id);
    pnlExt->open(dispatchTarget(*session_.db, dtPor->currentValue(QStringLiteral("typeWarr")).toInt(),
                                dtPor->currentValue(QStringLiteral("WarName")).toString()));
}

void TfrmSprPor::closeExternalPanel()
{
    pnlExt->hide();
    for (QWidget *w : std::initializer_list<QWidget *>{pnlFilter, dtPor, toolBar})
        w->setEnabled(true);
}

void TfrmSprPor::bRecExpClick()
{
    if (!pnlExt->record(*session_.prompt, currentOrder(), today_))
        return;
    closeExternalPanel();
    runQuery(query_);
}

void TfrmSprPor::prnPorClick()
{
    const qint64 id = currentOrder();
    if (id == 0)
        return;
    if (dtPor->currentValue(QStringLiteral("ready")).toBool()) {
        session_.prompt->show(
            Prompt::messageCaption(),
            QStringLiteral("Не можете да отпечатате сервизна карта\nза поръчка, която вече е отчетена"),
            PromptIcon::Warning);
        return;
    }
    const QString kind = dtPor->currentValue(QStringLiteral("codeGet")).toString();
    const bool field = kind == QLatin1String(kOrderMounting) || kind == QLatin1String(kOrderMaintenance);
    const documents::OrderData order = documents::loadOrderData(*session_.db, int(id));
    const documents::ShopData shop = documents::loadShopData(*session_.db);
    // The air-conditioner card brings its own footer.
    const auto doc = documents::fillTemplate(
        field ? documents::DocumentKind::Conditioners : documents::DocumentKind::ServiceCard, session_,
        [&](bool matrix) {
            return field ? documents::conditionerValues(order, shop, matrix)
                         : documents::serviceCardValues(order, shop, matrix);
        });
    if (doc.ok)
        output(doc, QStringLiteral("Сервизна карта № %1").arg(id));
}

void TfrmSprPor::popPrnCardClick()
{
    if (const qint64 id = currentOrder(); id > 0 && dtPor->currentValue(QStringLiteral("ready")).toBool())
        showReadyCard(id);
}

void TfrmSprPor::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    pnlExt->centre();
}

} // namespace morlenta::orders
