#include "orders/tfrm_por_parts.h"

#include "common/local_settings.h"
#include "common/money.h"
#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "platform/data_grid.h"
#include "platform/form_widgets.h"
#include "stock/serial_stock.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace morlenta::orders {

namespace {

QFrame *panelFrame(QWidget *parent, const char *name, const QString &title)
{
    auto *f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Raised);
    f->setAutoFillBackground(true);
    auto *layout = new QGridLayout(f);
    auto *caption = new QLabel(title, f);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    layout->addWidget(caption, 0, 0, 1, 2);
    f->hide();
    return f;
}

} // namespace

TfrmPorParts::TfrmPorParts(Session &session, const QString &technicianName, bool sourceEnabled,
                           QWidget *parent)
    : QDialog(parent), session_(session), technicianName_(technicianName)
{
    setObjectName(QStringLiteral("TfrmPorParts"));
    setWindowTitle(QStringLiteral("Избор на резервна част"));
    resize(860, 560);
    if (const QScreen *screen = QGuiApplication::primaryScreen();
        screen && screen->geometry().width() <= 1024)
        setWindowState(windowState() | Qt::WindowMaximized);

    cmbSklad = new QComboBox(this);
    cmbSklad->setObjectName(QStringLiteral("cmbSklad"));
    cmbSklad->addItems({QStringLiteral("Наличност в склада"), QStringLiteral("Части при техника")});
    cmbSklad->setEnabled(sourceEnabled);

    eType = new QLineEdit(this);
    eType->setObjectName(QStringLiteral("eType"));
    eType->setPlaceholderText(QStringLiteral("наименование, * за произволни знаци"));
    eCat = new QLineEdit(this);
    eCat->setObjectName(QStringLiteral("eCat"));
    eCat->setPlaceholderText(QStringLiteral("каталожен номер"));
    btnSearch = namedButton(this, "btnSearch", QStringLiteral("Търси"));

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Източник:"), this));
    top->addWidget(cmbSklad);
    top->addSpacing(12);
    top->addWidget(new QLabel(QStringLiteral("Наименование:"), this));
    top->addWidget(eType, 2);
    top->addWidget(new QLabel(QStringLiteral("Кат. номер:"), this));
    top->addWidget(eCat, 1);
    top->addWidget(btnSearch);

    auto setupGrid = [&](const char *name, const char *layoutKey) {
        auto *g = new DataGrid(this);
        g->setObjectName(QLatin1String(name));
        g->setPrompt(session_.prompt);
        g->setKeyColumn(QStringLiteral("id"));
        g->setPrintFooter(session_.printFooter);
        g->setLayoutKey(QLatin1String(layoutKey), session_.settings ? &session_.settings->raw() : nullptr);
        connect(g, &DataGrid::rowActivated, this, [this] { Button1Click(); });
        return g;
    };
    grNal = setupGrid("grNal", "PorParts");
    grClerk = setupGrid("grClerk", "PorPartsClerk");
    grClerk->hide();

    Button1 = namedButton(this, "Button1", QStringLiteral("Избери"));
    btnCancel = namedButton(this, "btnCancel", QStringLiteral("Отказ"));
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(Button1);
    bottom->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grNal, 1);
    layout->addWidget(grClerk, 1);
    layout->addLayout(bottom);

    // The quantity panel over the list.
    pAmnt = panelFrame(this, "pAmnt", QStringLiteral("Количество"));
    auto *amntLayout = static_cast<QGridLayout *>(pAmnt->layout());
    eAmnt = new QLineEdit(pAmnt);
    eAmnt->setObjectName(QStringLiteral("eAmnt"));
    eAmnt->setMaxLength(6);
    eAmnt->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), eAmnt));
    listSN = new QComboBox(pAmnt);
    listSN->setObjectName(QStringLiteral("listSN"));
    btnRec = namedButton(pAmnt, "btnRec", QStringLiteral("Запис"));
    btnNo = namedButton(pAmnt, "btnNo", QStringLiteral("Отказ"));
    amntLayout->addWidget(new QLabel(QStringLiteral("Брой:"), pAmnt), 1, 0);
    amntLayout->addWidget(eAmnt, 1, 1);
    amntLayout->addWidget(listSN, 2, 0, 1, 2);
    amntLayout->addWidget(btnRec, 3, 0);
    amntLayout->addWidget(btnNo, 3, 1);

    // The count panel for a technician's piece.
    pbFromClerk = panelFrame(this, "pbFromClerk", QStringLiteral("Брой от техника"));
    auto *clerkLayout = static_cast<QGridLayout *>(pbFromClerk->layout());
    eBr = new QLineEdit(pbFromClerk);
    eBr->setObjectName(QStringLiteral("eBr"));
    eBr->setMaxLength(6);
    eBr->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), eBr));
    btnRec2 = namedButton(pbFromClerk, "btnRec2", QStringLiteral("Запис"));
    auto *btnNo2 = namedButton(pbFromClerk, "btnNo2", QStringLiteral("Отказ"));
    clerkLayout->addWidget(new QLabel(QStringLiteral("Брой:"), pbFromClerk), 1, 0);
    clerkLayout->addWidget(eBr, 1, 1);
    clerkLayout->addWidget(btnRec2, 2, 0);
    clerkLayout->addWidget(btnNo2, 2, 1);

    connect(btnSearch, &QPushButton::clicked, this, &TfrmPorParts::btnSearchClick);
    connect(eType, &QLineEdit::returnPressed, this, &TfrmPorParts::btnSearchClick);
    connect(eCat, &QLineEdit::returnPressed, this, &TfrmPorParts::btnSearchClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmPorParts::Button1Click);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmPorParts::reject);
    connect(btnRec, &QPushButton::clicked, this, &TfrmPorParts::btnRecClick);
    connect(eAmnt, &QLineEdit::returnPressed, this, &TfrmPorParts::btnRecClick);
    connect(btnNo, &QPushButton::clicked, this, &TfrmPorParts::btnNoClick);
    connect(btnRec2, &QPushButton::clicked, this, &TfrmPorParts::btnRec2Click);
    connect(eBr, &QLineEdit::returnPressed, this, &TfrmPorParts::btnRec2Click);
    connect(btnNo2, &QPushButton::clicked, this, &TfrmPorParts::btnNoClick);
    connect(cmbSklad, &QComboBox::currentIndexChanged, this, &TfrmPorParts::applySource);

    loadShop(QString(), QString());
}

void TfrmPorParts::setTechnician(const QString &technicianName, bool sourceEnabled)
{
    technicianName_ = technicianName;
    cmbSklad->setEnabled(sourceEnabled);
    if (!sourceEnabled)
        cmbSklad->setCurrentIndex(FromShop);
}

void TfrmPorParts::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    closePanels();
    pick_ = PartPick{};
    eType->clear();
    eCat->clear();
    loadShop(QString(), QString());
    if (grNal->rowCount() > 0)
        grNal->setCurrentSourceRow(0);
    applySource();
    placePanels();
}

void TfrmPorParts::loadShop(const QString &partText, const QString &numberText)
{
    const stock::Statement s = shopStockStatement(*session_.db, partText, numberText);
    grNal->setQuery(*session_.db, s.sql, s.params);
    for (const char *c : {"id", "TypeID", "idMarka", "inPrice", "ipVal", "salePrice", "opVal", "catalogs"})
        grNal->setColumnVisible(QLatin1String(c), false);
    grNal->setColumnCaption(QStringLiteral("Type"), QStringLiteral("Тип"));
    grNal->setColumnCaption(QStringLiteral("Part"), QStringLiteral("Наименование"));
    grNal->setColumnCaption(QStringLiteral("PartNo"), QStringLiteral("Каталожен номер"));
    grNal->setColumnCaption(QStringLiteral("Opis"), QStringLiteral("Описание"));
    grNal->setColumnCaption(QStringLiteral("Marka"), QStringLiteral("Марка"));
    grNal->setColumnCaption(QStringLiteral("barcode"), QStringLiteral("Баркод"));
    grNal->setColumnCaption(QStringLiteral("amnt"), QStringLiteral("Наличност"));
    grNal->setColumnCaption(QStringLiteral("outPrice"), QStringLiteral("Цена"));
    grNal->setColumnFormatter(QStringLiteral("outPrice"),
                              [](const QVariant &v) { return QString::number(v.toDouble(), 'f', 2); });
}

void TfrmPorParts::applySource()
{
    if (cmbSklad->currentIndex() == FromTechnician) {
        const std::optional<qint64> clerk = technicianByName(*session_.db, technicianName_);
        if (!clerk || !holdsParts(*session_.db, *clerk)) {
            const QSignalBlocker block(cmbSklad);
            cmbSklad->setCurrentIndex(FromShop);
        } else {
            const stock::Statement s = technicianStockStatement(*clerk);
            grClerk->setQuery(*session_.db, s.sql, s.params);
            for (const char *c : {"id", "idPart"})
                grClerk->setColumnVisible(QLatin1String(c), false);
            grClerk->setColumnCaption(QStringLiteral("technician"), QStringLiteral("Техник"));
            grClerk->setColumnCaption(QStringLiteral("Type"), QStringLiteral("Тип"));
            grClerk->setColumnCaption(QStringLiteral("Part"), QStringLiteral("Наименование"));
            grClerk->setColumnCaption(QStringLiteral("PartNo"), QStringLiteral("Каталожен номер"));
            grClerk->setColumnCaption(QStringLiteral("Opis"), QStringLiteral("Описание"));
            grClerk->setColumnCaption(QStringLiteral("notes"), QStringLiteral("Сериен номер"));
            grClerk->setColumnCaption(QStringLiteral("amnt"), QStringLiteral("Брой"));
            grClerk->setColumnCaption(QStringLiteral("Marka"), QStringLiteral("Марка"));
            grClerk->setColumnCaption(QStringLiteral("barcode"), QStringLiteral("Баркод"));
            if (grClerk->rowCount() > 0)
                grClerk->setCurrentSourceRow(0);
        }
    }
    const bool shop = cmbSklad->currentIndex() == FromShop;
    grNal->setVisible(shop);
    grClerk->setVisible(!shop);
    for (QWidget *w :
         {static_cast<QWidget *>(eType), static_cast<QWidget *>(eCat), static_cast<QWidget *>(btnSearch)})
        w->setEnabled(shop);
}

void TfrmPorParts::btnSearchClick()
{
    if (cmbSklad->currentIndex() != FromShop)
        return;
    loadShop(eType->text(), eCat->text());
    if (grNal->rowCount() > 0)
        grNal->setCurrentSourceRow(0);
}

void TfrmPorParts::Button1Click()
{
    if (panelOpen())
        return;
    // The pick command from a search field runs the search.
    if (eType->hasFocus() || eCat->hasFocus()) {
        btnSearchClick();
        return;
    }
    pick_ = PartPick{};
    if (cmbSklad->currentIndex() == FromTechnician) {
        if (grClerk->currentSourceRow() < 0)
            return;
        pick_.source = FromTechnician;
        pick_.idPart = grClerk->currentValue(QStringLiteral("idPart")).toLongLong();
        pick_.clerkStockRow = grClerk->currentValue(QStringLiteral("id")).toLongLong();
        rowAmount_ = grClerk->currentValue(QStringLiteral("amnt")).toInt();
        eBr->setText(QStringLiteral("1"));
        openPanel(pbFromClerk, eBr);
        return;
    }
    if (grNal->currentSourceRow() < 0)
        return;
    pick_.source = FromShop;
    pick_.idPart = grNal->currentValue(QStringLiteral("id")).toLongLong();
    rowAmount_ = grNal->currentValue(QStringLiteral("amnt")).toInt();
    const QStringList serials = stock::SerialStock(*session_.db).serialsOf(pick_.idPart);
    listSN->clear();
    listSN->addItems(serials);
    // A serial-numbered part goes one piece at a time, by its serial.
    listSN->setVisible(!serials.isEmpty());
    listSN->setEnabled(!serials.isEmpty());
    eAmnt->setEnabled(serials.isEmpty());
    eAmnt->setText(QStringLiteral("1"));
    eAmnt->selectAll();
    openPanel(pAmnt, serials.isEmpty() ? static_cast<QWidget *>(eAmnt) : static_cast<QWidget *>(listSN));
}

void TfrmPorParts::btnRecClick()
{
    if (pAmnt->isHidden())
        return;
    const QString text = eAmnt->text().trimmed();
    if (text.isEmpty()) {
        eAmnt->setFocus();
        return;
    }
    const int amount = text.toInt();
    if (amount <= 0) {
        eAmnt->clear();
        eAmnt->setFocus();
        return;
    }
    if (amount > rowAmount_) {
        session_.prompt->warning(amountAboveStockText());
        eAmnt->clear();
        eAmnt->setFocus();
        return;
    }
    closePanels();
    pick_.amount = amount;
    pick_.serial = !listSN->isHidden() ? listSN->currentText() : QString();
    if (!stillInStock(*session_.db, pick_)) {
        session_.prompt->warning(partNotInStockText());
        pick_ = PartPick{};
        QDialog::reject();
        return;
    }
    accept();
}

void TfrmPorParts::btnRec2Click()
{
    if (pbFromClerk->isHidden())
        return;
    const int count = eBr->text().trimmed().toInt();
    if (count < 1 || count > rowAmount_) {
        eBr->setText(QStringLiteral("1"));
        eBr->selectAll();
        eBr->setFocus();
        return;
    }
    eAmnt->setText(QString::number(count));
    pick_.amount = count;
    closePanels();
    accept();
}

void TfrmPorParts::btnNoClick()
{
    closePanels();
    pick_ = PartPick{};
    QDialog::reject();
}

void TfrmPorParts::reject()
{
    // Not while the quantity is asked: the panel's own buttons end it.
    if (panelOpen())
        return;
    pick_ = PartPick{};
    QDialog::reject();
}

void TfrmPorParts::closeEvent(QCloseEvent *event)
{
    if (panelOpen()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmPorParts::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placePanels();
}

void TfrmPorParts::openPanel(QFrame *panel, QWidget *focus)
{
    grNal->setEnabled(false);
    grClerk->setEnabled(false);
    Button1->setEnabled(false);
    panel->adjustSize();
    placePanels();
    panel->show();
    panel->raise();
    focus->setFocus();
}

void TfrmPorParts::closePanels()
{
    pAmnt->hide();
    pbFromClerk->hide();
    grNal->setEnabled(true);
    grClerk->setEnabled(true);
    Button1->setEnabled(true);
}

void TfrmPorParts::placePanels()
{
    for (QFrame *panel : {pAmnt, pbFromClerk}) {
        const QSize size = panel->sizeHint().expandedTo(QSize(260, 0));
        panel->setGeometry((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
                           size.height());
    }
}

bool TfrmPorParts::panelOpen() const
{
    return !pAmnt->isHidden() || !pbFromClerk->isHidden();
}

} // namespace morlenta::orders
