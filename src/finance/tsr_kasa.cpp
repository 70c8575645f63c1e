#include "finance/tsr_kasa.h"

#include "common/local_settings.h"
#include "common/money.h"
#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "finance/cash_ledger.h"
#include "platform/data_grid.h"
#include "platform/grid_rows_model.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeView>
#include <QVBoxLayout>

namespace morlenta::finance {

namespace {

QDateEdit *datePicker(const char *name, QWidget *parent)
{
    auto *e = new QDateEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setCalendarPopup(true);
    e->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return e;
}

QPushButton *button(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QLineEdit *balanceField(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight);
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

} // namespace

TsrKasa::TsrKasa(Session &session, QWidget *parent)
    : QDialog(parent), session_(session), desk_(session), range_(initialKasaRange(QDate::currentDate()))
{
    setObjectName(QStringLiteral("TsrKasa"));
    setWindowTitle(QStringLiteral("Каса"));
    resize(900, 600);

    body_ = new QWidget(this);
    Picker2 = datePicker("Picker2", body_);
    Picker3 = datePicker("Picker3", body_);
    btnSpr = button("btnSpr", QStringLiteral("Справка"), body_);
    btnSort = button("btnSort", QStringLiteral("Подредба по подразбиране"), body_);
    btnNal = button("btnNal", QStringLiteral("Наличност"), body_);
    btnTransact = button("btnTransact", QStringLiteral("Нова транзакция..."), body_);
    BitBtn1 = button("BitBtn1", QStringLiteral("Печат"), body_);
    BitBtn2 = button("BitBtn2", QStringLiteral("Експорт"), body_);
    btnExit = button("btnExit", QStringLiteral("Изход"), body_);
    eBGN = balanceField("eBGN", body_);
    eUSD = balanceField("eUSD", body_);
    eEUR = balanceField("eEUR", body_);

    grKasa = new DataGrid(body_);
    grKasa->setObjectName(QStringLiteral("grKasa"));
    grKasa->setPrompt(session_.prompt);
    grKasa->setPrintFooter(session_.printFooter);
    grKasa->setExportName(QStringLiteral("Spravka_Kasa"), QStringLiteral("Експорт на касовите операции"));
    grKasa->setKeyColumn(QStringLiteral("id"));
    rows_ = new GridRowsModel(this);
    rows_->setRows({QStringLiteral("id"), QStringLiteral("Data"), QStringLiteral("Chas"),
                    QStringLiteral("inSum"), QStringLiteral("outSum"), QStringLiteral("Val"),
                    QStringLiteral("Notes"), QStringLiteral("User"), QStringLiteral("Suma"),
                    QStringLiteral("idVal"), QStringLiteral("UserID")},
                   {});
    grKasa->setModel(rows_);
    const std::pair<const char *, const char *> captions[] = {
        {"Data", "Дата"},  {"Chas", "Час"},        {"inSum", "Приход"},    {"outSum", "Разход"},
        {"Val", "Валута"}, {"Notes", "Основание"}, {"User", "Потребител"},
    };
    for (const auto &[column, caption] : captions)
        grKasa->setColumnCaption(QLatin1String(column), QString::fromUtf8(caption));
    for (const char *hidden : {"id", "Suma", "idVal", "UserID"})
        grKasa->setColumnVisible(QLatin1String(hidden), false);
    grKasa->setColumnFormatter(QStringLiteral("Chas"),
                               [](const QVariant &v) { return timeText(v.toTime()); });
    auto money = [](const QVariant &v) {
        return v.isNull() ? QString() : amountText(v.toDouble()).trimmed();
    };
    grKasa->setColumnFormatter(QStringLiteral("inSum"), money);
    grKasa->setColumnFormatter(QStringLiteral("outSum"), money);
    const std::pair<const char *, int> widths[] = {{"Data", 90},   {"Chas", 70}, {"inSum", 90},
                                                   {"outSum", 90}, {"Val", 55},  {"Notes", 330},
                                                   {"User", 130}};
    for (const auto &[column, width] : widths)
        grKasa->setColumnWidth(QLatin1String(column), width);
    grKasa->setGroupColumns({QStringLiteral("Data")});
    // Sums across currencies would add leva to dollars.
    if (!desk_.currencyChoice())
        grKasa->setSummedColumns({QStringLiteral("inSum"), QStringLiteral("outSum")});
    grKasa->setLayoutKey(QStringLiteral("Kasa"), session_.settings ? &session_.settings->raw() : nullptr);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("От:"), body_));
    top->addWidget(Picker2);
    top->addWidget(new QLabel(QStringLiteral("до:"), body_));
    top->addWidget(Picker3);
    top->addWidget(btnSpr);
    top->addStretch();
    top->addWidget(btnSort);

    auto *balances = new QGroupBox(QStringLiteral("Наличност в касата"), body_);
    auto *balanceRow = new QHBoxLayout(balances);
    balanceRow->addWidget(new QLabel(localCurrencyLabel(), balances));
    balanceRow->addWidget(eBGN);
    balanceRow->addWidget(new QLabel(QStringLiteral("USD"), balances));
    balanceRow->addWidget(eUSD);
    balanceRow->addWidget(new QLabel(QStringLiteral("EUR"), balances));
    balanceRow->addWidget(eEUR);
    balanceRow->addWidget(btnNal);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(btnTransact);
    bottom->addStretch();
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);
    bottom->addWidget(btnExit);

    auto *bodyLayout = new QVBoxLayout(body_);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(top);
    bodyLayout->addWidget(grKasa, 1);
    bodyLayout->addWidget(balances);
    bodyLayout->addLayout(bottom);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(body_);

    // The transaction panel floats over the disabled window.
    pnlTransact = new QFrame(this);
    pnlTransact->setObjectName(QStringLiteral("pnlTransact"));
    pnlTransact->setFrameShape(QFrame::Panel);
    pnlTransact->setFrameShadow(QFrame::Raised);
    pnlTransact->setLineWidth(2);
    pnlTransact->setAutoFillBackground(true);
    PayType = new QComboBox(pnlTransact);
    PayType->setObjectName(QStringLiteral("PayType"));
    PayType->addItems(
        {QStringLiteral("Изваждане на пари от касата"), QStringLiteral("Внасяне на пари в касата")});
    editSum = new QLineEdit(pnlTransact);
    editSum->setObjectName(QStringLiteral("editSum"));
    editSum->setAlignment(Qt::AlignRight);
    eVal = new QComboBox(pnlTransact);
    eVal->setObjectName(QStringLiteral("eVal"));
    for (int c : {CurLeva, CurUsd, CurEur})
        eVal->addItem(currencyLabel(c), c);
    EditNote = new QLineEdit(pnlTransact);
    EditNote->setObjectName(QStringLiteral("EditNote"));
    EditNote->setMaxLength(250);
    btnRec = button("btnRec", QStringLiteral("Запис"), pnlTransact);
    btnRec->setDefault(true);
    btnCancel = button("btnCancel", QStringLiteral("Отказ"), pnlTransact);
    auto *panelTitle = new QLabel(QStringLiteral("<b>Касова транзакция</b>"), pnlTransact);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Вид:"), PayType);
    auto *amountRow = new QHBoxLayout;
    amountRow->addWidget(editSum, 1);
    amountRow->addWidget(eVal);
    form->addRow(QStringLiteral("Сума:"), amountRow);
    form->addRow(QStringLiteral("Основание:"), EditNote);
    auto *panelButtons = new QHBoxLayout;
    panelButtons->addStretch();
    panelButtons->addWidget(btnRec);
    panelButtons->addWidget(btnCancel);
    auto *panelLayout = new QVBoxLayout(pnlTransact);
    panelLayout->addWidget(panelTitle);
    panelLayout->addLayout(form);
    panelLayout->addLayout(panelButtons);
    pnlTransact->setMinimumWidth(460);
    pnlTransact->hide();

    connect(btnSpr, &QPushButton::clicked, this, &TsrKasa::btnSprClick);
    connect(btnSort, &QPushButton::clicked, this, &TsrKasa::btnSortClick);
    connect(btnNal, &QPushButton::clicked, this, &TsrKasa::btnNalClick);
    connect(btnTransact, &QPushButton::clicked, this, &TsrKasa::btnTransactClick);
    connect(btnRec, &QPushButton::clicked, this, &TsrKasa::btnRecClick);
    connect(btnCancel, &QPushButton::clicked, this, &TsrKasa::endEntry);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (preparePrint())
            grKasa->printPreview();
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        if (grKasa->rowCount() > 0)
            grKasa->exportWithDialog();
    });
    connect(btnExit, &QPushButton::clicked, this, &QDialog::accept);
    connect(Picker2, &QDateEdit::dateChanged, this, [this] { dateChanged(true); });
    connect(Picker3, &QDateEdit::dateChanged, this, [this] { dateChanged(false); });

    showRange();
    btnSprClick();
    btnNalClick();
}

void TsrKasa::showRange()
{
    const QSignalBlocker b2(Picker2), b3(Picker3);
    Picker2->setDate(range_.from);
    Picker3->setDate(range_.to);
}

void TsrKasa::dateChanged(bool fromChanged)
{
    const QDate today = QDate::currentDate();
    KasaRange r{Picker2->date(), Picker3->date()};
    range_ = fromChanged ? kasaFromChanged(r, today) : kasaToChanged(r, today);
    showRange();
    btnSpr->setEnabled(true);
}

void TsrKasa::btnSprClick()
{
    std::vector<QVariantList> rows;
    for (const KasaRow &r : loadKasa(session_, range_))
        rows.push_back({r.id, r.date, r.time, kasaInSum(r.amount), kasaOutSum(r.amount),
                        currencyLabel(r.currency), r.notes, r.user, r.amount, r.currency, r.userId});
    rows_->setRows(rows_->fields(), std::move(rows));
    btnSpr->setEnabled(false);
    btnSortClick();
    const std::vector<int> order = grKasa->gridModel()->rowsInOrder();
    if (!order.empty())
        grKasa->setCurrentSourceRow(order.front());
}

void TsrKasa::btnSortClick()
{
    grKasa->sortBy(QStringLiteral("Chas"), Qt::DescendingOrder);
    grKasa->fullExpand();
}

void TsrKasa::btnNalClick()
{
    const auto b = cashBalances(*session_.db);
    eBGN->setText(amountText(b[0]).trimmed());
    eUSD->setText(amountText(b[1]).trimmed());
    eEUR->setText(amountText(b[2]).trimmed());
}

void TsrKasa::btnTransactClick()
{
    btnSortClick();
    entering_ = true;
    editSum->setText(QStringLiteral("0"));
    EditNote->clear();
    PayType->setCurrentIndex(0);
    eVal->setCurrentIndex(0);
    eVal->setEnabled(desk_.currencyChoice());
    const QDate today = QDate::currentDate();
    range_ = {today, today};
    showRange();
    btnSpr->setEnabled(true);
    body_->setEnabled(false);
    placePanel();
    pnlTransact->show();
    pnlTransact->raise();
    editSum->setFocus();
    editSum->selectAll();
}

void TsrKasa::btnRecClick()
{
    const ManualEntry entry{editSum->text(), PayType->currentIndex() == 0, eVal->currentData().toInt(),
                            EditNote->text()};
    CashDesk::Result result;
    try {
        result = desk_.record(entry);
    } catch (const data::DbError &e) {
        // Nothing was written; the entry stays on the panel.
        session_.prompt->error(e.message());
        return;
    }
    switch (result) {
    case CashDesk::Result::Saved:
        endEntry();
        btnSprClick(); // the period is today: the new row shows
        btnNalClick();
        break;
    case CashDesk::Result::FixAmount:
    case CashDesk::Result::Declined:
        editSum->setFocus();
        editSum->selectAll();
        break;
    case CashDesk::Result::FixReason: EditNote->setFocus(); break;
    case CashDesk::Result::ClockGuard: endEntry(); break;
    }
}

void TsrKasa::endEntry()
{
    entering_ = false;
    EditNote->clear();
    pnlTransact->hide();
    body_->setEnabled(true);
    btnTransact->setFocus();
}

bool TsrKasa::preparePrint()
{
    if (grKasa->rowCount() == 0)
        return false;
    grKasa->setPrintTitle(
        QStringLiteral("Касови опрации за периода"),
        {QStringLiteral("от ") + dateText(range_.from) + QStringLiteral(" до ") + dateText(range_.to)});
    grKasa->setPrintFooter(session_.printFooter);
    return true;
}

void TsrKasa::placePanel()
{
    pnlTransact->adjustSize();
    pnlTransact->move((width() - pnlTransact->width()) / 2, (height() - pnlTransact->height()) / 2);
}

void TsrKasa::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (pnlTransact->isVisible())
        placePanel();
}

void TsrKasa::closeEvent(QCloseEvent *event)
{
    // Closing is allowed only while the window is not entering a transaction.
    if (entering_)
        event->ignore();
}

void TsrKasa::reject()
{
    if (entering_)
        endEntry(); // Escape abandons the entry, the window stays
    else
        QDialog::reject();
}

} // namespace morlenta::finance
