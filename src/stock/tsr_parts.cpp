#include "stock/tsr_parts.h"

#include "common/local_settings.h"
#include "common/money.h"
#include "common/prompt.h"
#include "common/rights.h"
#include "common/session.h"
#include "data/database.h"
#include "platform/data_grid.h"
#include "platform/form_widgets.h"
#include "platform/help_viewer.h"
#include "stock/tsr_type.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace morlenta::stock {

namespace {

QAction *action(QObject *parent, const char *name, const QString &text, bool checkable = false)
{
    auto *a = new QAction(text, parent);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(checkable);
    return a;
}

// Part numbers and barcodes: of the typed characters only capital Latin
// letters, digits and "-" arrive; editing keys pass. A value stored earlier
// with other characters stays editable.
class CodeKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const QString text = key->text();
            if (!text.isEmpty() && text.at(0).isPrint() && !key->matches(QKeySequence::Paste)) {
                const QChar c = text.at(0);
                const bool allowed = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                                     (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                                     c == QLatin1Char('-');
                if (!allowed || text.size() > 1)
                    return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

std::optional<qint64> chosenId(const QComboBox *box)
{
    const QVariant v = box->currentData();
    return v.isValid() ? std::optional<qint64>(v.toLongLong()) : std::nullopt;
}

} // namespace

TsrParts::TsrParts(Session &session, BarcodeScanner *scanner, QWidget *parent)
    : QDialog(parent), session_(session), scanner_(scanner), catalogue_(*session.db, *session.prompt)
{
    setObjectName(QStringLiteral("TsrParts"));
    setWindowTitle(QStringLiteral("Номенклатура на резервни части"));
    resize(980, 620);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    btnIns = namedButton(Panel1, "btnIns", QStringLiteral("Нов"));
    btnEdit = namedButton(Panel1, "btnEdit", QStringLiteral("Редакция"));
    btnExit = namedButton(Panel1, "btnExit", QStringLiteral("Изход"));
    auto *top = new QHBoxLayout(Panel1);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(btnIns);
    top->addWidget(btnEdit);
    top->addStretch();
    top->addWidget(btnExit);

    Panel3 = new QWidget(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    btnAutoWidth = namedButton(Panel3, "btnAutoWidth", QStringLiteral("Ширина по съдържанието"));
    auto *tools = new QHBoxLayout(Panel3);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->addWidget(btnAutoWidth);
    tools->addStretch();

    grid = new DataGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setPrompt(session_.prompt);
    grid->setKeyColumn(QStringLiteral("id"));
    grid->setPreviewColumn(QStringLiteral("catalogs"));
    grid->setPrintTitle(QStringLiteral("Номенклатура на резервни части"));
    grid->setPrintFooter(session_.printFooter);
    grid->setExportName(QStringLiteral("nomenklatura"), QStringLiteral("Експорт на номенклатура части"));
    grid->addLookupColumn(QStringLiteral("Type"), QStringLiteral("Тип"), QStringLiteral("TypeID"),
                          [this](const QVariant &id) { return QVariant(typeNames_.value(id.toLongLong())); });
    grid->addLookupColumn(
        QStringLiteral("Marka"), QStringLiteral("Марка"), QStringLiteral("idMarka"),
        [this](const QVariant &id) { return QVariant(brandNames_.value(id.toLongLong())); });

    buildSearchPanel();
    buildEditPanel();

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(buildMenu());
    layout->addWidget(Panel1);
    layout->addWidget(Panel3);
    layout->addWidget(pSearch);
    layout->addWidget(grid, 1);

    connect(btnIns, &QPushButton::clicked, this, &TsrParts::btnInsClick);
    connect(btnEdit, &QPushButton::clicked, this, &TsrParts::btnEditClick);
    connect(btnExit, &QPushButton::clicked, this, &TsrParts::close);
    connect(btnAutoWidth, &QPushButton::clicked, grid, &DataGrid::bestFit);
    connect(grid, &DataGrid::rowActivated, this, [this] { btnEditClick(); });

    refreshLookups();
    if (scanner_)
        scanner_->registerWindow(this, this);
}

TsrParts::~TsrParts()
{
    if (scanner_)
        scanner_->unregisterWindow(this);
}

QMenuBar *TsrParts::buildMenu()
{
    auto *bar = new QMenuBar(this);
    QMenu *file = bar->addMenu(QStringLiteral("&Номенклатура"));
    mnSearch = action(this, "mnSearch", QStringLiteral("Търсене"), true);
    mnSearch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnPrn = action(this, "mnPrn", QStringLiteral("Печат"));
    mnExport = action(this, "mnExport", QStringLiteral("Експорт в Excel"));
    mnExit = action(this, "mnExit", QStringLiteral("Изход"));
    file->addAction(mnSearch);
    file->addSeparator();
    file->addAction(mnPrn);
    file->addAction(mnExport);
    file->addSeparator();
    file->addAction(mnExit);

    QMenu *view = bar->addMenu(QStringLiteral("&Изглед"));
    mnInfo = action(this, "mnInfo", QStringLiteral("Допълнителна информация"), true);
    mnColumns = action(this, "mnColumns", QStringLiteral("Избор на колони"), true);
    mnSaveGrid = action(this, "mnSaveGrid", QStringLiteral("Запис на изгледа"));
    N1 = action(this, "N1", QStringLiteral("Разгъване на групата"));
    N2 = action(this, "N2", QStringLiteral("Свиване на групата"));
    N4 = action(this, "N4", QStringLiteral("Разгъване на всички"));
    N5 = action(this, "N5", QStringLiteral("Свиване на всички"));
    for (QAction *a : {mnInfo, mnColumns, mnSaveGrid})
        view->addAction(a);
    view->addSeparator();
    for (QAction *a : {N1, N2, N4, N5})
        view->addAction(a);

    Action1 = action(this, "Action1", QStringLiteral("Помощ"));
    Action1->setShortcut(QKeySequence(Qt::Key_F1));
    Action2 = action(this, "Action2", QStringLiteral("Нов тип или марка"));
    Action2->setShortcut(QKeySequence(Qt::Key_Insert));
    addAction(Action1);
    addAction(Action2);

    connect(mnSearch, &QAction::toggled, this, &TsrParts::showSearch);
    connect(mnPrn, &QAction::triggered, grid, &DataGrid::printPreview);
    connect(mnExport, &QAction::triggered, this, &TsrParts::mnExportClick);
    connect(mnExit, &QAction::triggered, this, &TsrParts::close);
    connect(mnInfo, &QAction::toggled, grid, &DataGrid::setPreviewVisible);
    connect(mnColumns, &QAction::toggled, grid, &DataGrid::showColumnChooser);
    connect(grid, &DataGrid::columnChooserClosed, this, [this] { mnColumns->setChecked(false); });
    connect(mnSaveGrid, &QAction::triggered, grid, &DataGrid::saveLayout);
    connect(N1, &QAction::triggered, grid, &DataGrid::expandOne);
    connect(N2, &QAction::triggered, grid, &DataGrid::collapseOne);
    connect(N4, &QAction::triggered, grid, &DataGrid::fullExpand);
    connect(N5, &QAction::triggered, grid, &DataGrid::fullCollapse);
    connect(Action1, &QAction::triggered, this,
            [this] { showHelpTopic(QStringLiteral("Номенклатура"), this); });
    connect(Action2, &QAction::triggered, this, [this] {
        if (LookType->hasFocus())
            Button1Click();
        else if (lookMarka->hasFocus())
            btnAddMarkaClick();
    });
    return bar;
}

void TsrParts::buildSearchPanel()
{
    pSearch = new QFrame(this);
    pSearch->setObjectName(QStringLiteral("pSearch"));
    pSearch->setFrameShape(QFrame::StyledPanel);
    searchStr = new QLineEdit(pSearch);
    searchStr->setObjectName(QStringLiteral("searchStr"));
    searchStr->setPlaceholderText(QStringLiteral("* замества произволен текст"));
    auto check = [this](const char *name, const QString &text) {
        auto *c = new QCheckBox(text, pSearch);
        c->setObjectName(QLatin1String(name));
        return c;
    };
    chk1 = check("chk1", QStringLiteral("Обозначение"));
    chk2 = check("chk2", QStringLiteral("Каталожен номер"));
    chk3 = check("chk3", QStringLiteral("Каталози"));
    chk4 = check("chk4", QStringLiteral("Баркод"));
    chk1->setChecked(true);
    btnSpr = namedButton(pSearch, "btnSpr", QStringLiteral("Търси"));
    BitBtn1 = namedButton(pSearch, "BitBtn1", QStringLiteral("Затвори"));
    auto *row = new QHBoxLayout(pSearch);
    row->addWidget(new QLabel(QStringLiteral("Търси:"), pSearch));
    row->addWidget(searchStr, 1);
    for (QWidget *w :
         {static_cast<QWidget *>(chk1), static_cast<QWidget *>(chk2), static_cast<QWidget *>(chk3),
          static_cast<QWidget *>(chk4), static_cast<QWidget *>(btnSpr), static_cast<QWidget *>(BitBtn1)})
        row->addWidget(w);
    pSearch->hide();
    connect(btnSpr, &QPushButton::clicked, this, &TsrParts::btnSprClick);
    connect(searchStr, &QLineEdit::returnPressed, this, &TsrParts::btnSprClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TsrParts::BitBtn1Click);
}

void TsrParts::buildEditPanel()
{
    pEdit = new QFrame(this);
    pEdit->setObjectName(QStringLiteral("pEdit"));
    pEdit->setFrameShape(QFrame::Panel);
    pEdit->setFrameShadow(QFrame::Raised);
    pEdit->setAutoFillBackground(true);
    dbPart = new QLineEdit(pEdit);
    dbPart->setObjectName(QStringLiteral("dbPart"));
    LookType = new QComboBox(pEdit);
    LookType->setObjectName(QStringLiteral("LookType"));
    lookMarka = new QComboBox(pEdit);
    lookMarka->setObjectName(QStringLiteral("lookMarka"));
    Button1 = namedButton(pEdit, "Button1", QStringLiteral("..."));
    Button1->setToolTip(QStringLiteral("Типове части"));
    btnAddMarka = namedButton(pEdit, "btnAddMarka", QStringLiteral("..."));
    btnAddMarka->setToolTip(QStringLiteral("Марки (производители)"));
    ePartNo = new QLineEdit(pEdit);
    ePartNo->setObjectName(QStringLiteral("ePartNo"));
    ePartNo->installEventFilter(new CodeKeyFilter(ePartNo));
    dbBarcode = new QLineEdit(pEdit);
    dbBarcode->setObjectName(QStringLiteral("dbBarcode"));
    dbBarcode->installEventFilter(new CodeKeyFilter(dbBarcode));
    dbBarcode->setMaxLength(13);
    moreInfo = new QPlainTextEdit(pEdit);
    moreInfo->setObjectName(QStringLiteral("moreInfo"));
    moreInfo->setTabChangesFocus(true);
    moreInfo->setMaximumHeight(80);
    // The column holds 200 characters; more cannot be typed or pasted.
    connect(moreInfo, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = moreInfo->toPlainText();
        if (text.size() > 200) {
            moreInfo->setPlainText(text.left(200));
            moreInfo->moveCursor(QTextCursor::End);
        }
    });
    btnRec = namedButton(pEdit, "btnRec", QStringLiteral("Запис"));
    btnCancel = namedButton(pEdit, "btnCancel", QStringLiteral("Отказ"));

    auto withButton = [this](QWidget *field, QPushButton *b) {
        auto *w = new QWidget(pEdit);
        auto *l = new QHBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(field, 1);
        l->addWidget(b);
        return w;
    };
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Обозначение:"), dbPart);
    form->addRow(QStringLiteral("Тип:"), withButton(LookType, Button1));
    form->addRow(QStringLiteral("Марка (производител):"), withButton(lookMarka, btnAddMarka));
    form->addRow(QStringLiteral("Каталожен номер:"), ePartNo);
    form->addRow(QStringLiteral("Баркод:"), dbBarcode);
    form->addRow(QStringLiteral("Каталози, бележки:"), moreInfo);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnRec);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(pEdit);
    layout->addWidget(new QLabel(QStringLiteral("<b>Артикул</b>"), pEdit));
    layout->addLayout(form);
    layout->addLayout(buttons);
    pEdit->resize(460, pEdit->sizeHint().height());
    pEdit->hide();

    connect(btnRec, &QPushButton::clicked, this, &TsrParts::btnRecClick);
    connect(btnCancel, &QPushButton::clicked, this, &TsrParts::btnCancelClick);
    connect(Button1, &QPushButton::clicked, this, &TsrParts::Button1Click);
    connect(btnAddMarka, &QPushButton::clicked, this, &TsrParts::btnAddMarkaClick);
}

void TsrParts::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // restored from the task bar: nothing to load again
    setEditShown(false);
    showSearch(false);
    loadList(PartsCatalogue::fullList(), true);
    grid->bestFit();
    // The main window put up the wait message before opening the catalogue.
    session_.prompt->waitMessage(QString());
}

void TsrParts::refreshLookups()
{
    typeNames_.clear();
    brandNames_.clear();
    const QList<NamedItem> types = catalogue_.types();
    const QList<NamedItem> brands = catalogue_.brands();
    for (const NamedItem &t : types)
        typeNames_.insert(t.first, t.second);
    for (const NamedItem &b : brands)
        brandNames_.insert(b.first, b.second);
    fillChoices(LookType, types, chosenId(LookType));
    fillChoices(lookMarka, brands, chosenId(lookMarka));
}

void TsrParts::fillChoices(QComboBox *box, const QList<NamedItem> &items, std::optional<qint64> current)
{
    box->clear();
    for (const NamedItem &i : items)
        box->addItem(i.second, i.first);
    box->setCurrentIndex(current ? box->findData(*current) : -1);
}

void TsrParts::loadList(const Statement &statement, bool full)
{
    list_ = statement;
    fullList_ = full;
    grid->setQuery(*session_.db, statement.sql, statement.params);
    applyColumns();
}

void TsrParts::applyColumns()
{
    static const std::pair<const char *, const char *> kCaptions[] = {
        {"Part", "Обозначение"},   {"PartNo", "Каталожен номер"},  {"barcode", "Баркод"},
        {"catalogs", "Каталози"},  {"Opis", "Описание"},           {"inPrice", "Доставна цена"},
        {"ipVal", "Валута дост."}, {"outPrice", "Цена за сервиз"}, {"salePrice", "Продажна цена"},
        {"opVal", "Валута"},       {"amnt", "Наличност"}};
    for (const auto &[column, caption] : kCaptions)
        grid->setColumnCaption(QLatin1String(column), QString::fromUtf8(caption));
    for (const char *column : {"ipVal", "opVal"})
        grid->setColumnFormatter(QLatin1String(column), [](const QVariant &v) {
            return v.isNull() ? QString() : currencyLabel(v.toInt());
        });
    grid->setColumnFormatter(QStringLiteral("amnt"),
                             [](const QVariant &v) { return QString::number(v.toInt()); });
    if (firstLoad_) {
        firstLoad_ = false;
        for (const char *column : {"id", "TypeID", "idMarka"})
            grid->setColumnVisible(QLatin1String(column), false);
        grid->setLayoutKey(QStringLiteral("Nomenklatura"), &session_.settings->raw());
    }
    // What the stock cost is for those who may see it.
    if (!session_.hasRight(Right::InvoiceRegister))
        for (const char *column : {"inPrice", "ipVal"})
            grid->setColumnVisible(QLatin1String(column), false);
}

void TsrParts::focusFirstRow()
{
    const QModelIndex first = grid->gridModel()->index(0, 0);
    if (first.isValid())
        grid->view()->setCurrentIndex(first);
    grid->view()->setFocus();
}

int TsrParts::rowOfId(qint64 id) const
{
    const GridModel *m = grid->gridModel();
    const int column = m->columnIndex(QStringLiteral("id"));
    if (column < 0 || !m->sourceModel())
        return -1;
    for (int r = 0; r < m->sourceModel()->rowCount(); ++r)
        if (m->rawValue(r, column).toLongLong() == id)
            return r;
    return -1;
}

qint64 TsrParts::currentId() const
{
    return grid->currentValue(QStringLiteral("id")).toLongLong();
}

bool TsrParts::editing() const
{
    return pEdit->isVisible();
}

void TsrParts::setEditShown(bool shown)
{
    if (shown) {
        centreEditPanel();
        pEdit->show();
        pEdit->raise();
    } else {
        pEdit->hide();
    }
    for (QWidget *w : {Panel1, Panel3, static_cast<QWidget *>(grid), static_cast<QWidget *>(pSearch)})
        w->setEnabled(!shown);
    for (QAction *a : {mnSearch, mnInfo, mnExport, mnExit})
        a->setEnabled(!shown);
}

void TsrParts::centreEditPanel()
{
    pEdit->resize(qMax(460, pEdit->sizeHint().width()), pEdit->sizeHint().height());
    pEdit->move((width() - pEdit->width()) / 2, (height() - pEdit->height()) / 2);
}

void TsrParts::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (pEdit->isVisible())
        centreEditPanel();
}

void TsrParts::startEdit(const PartEntry &entry)
{
    listsChanged_ = false;
    editing_ = entry;
    dbPart->setText(entry.part);
    LookType->setCurrentIndex(entry.typeId ? LookType->findData(*entry.typeId) : -1);
    lookMarka->setCurrentIndex(entry.idMarka ? lookMarka->findData(*entry.idMarka) : -1);
    ePartNo->setText(entry.partNo);
    dbBarcode->setText(entry.barcode);
    moreInfo->setPlainText(entry.catalogs);
    setEditShown(true);
    dbPart->selectAll();
    dbPart->setFocus();
}

void TsrParts::btnInsClick()
{
    if (editing())
        return;
    startEdit(PartEntry{});
}

void TsrParts::btnEditClick()
{
    if (editing())
        return;
    const qint64 id = currentId();
    if (id == 0)
        return;
    startEdit(catalogue_.load(id));
}

void TsrParts::btnCancelClick()
{
    setEditShown(false);
    grid->view()->setFocus();
}

void TsrParts::focusField(PartField field)
{
    switch (field) {
    case PartField::Part:
        dbPart->selectAll();
        dbPart->setFocus();
        break;
    case PartField::Type: LookType->setFocus(); break;
    case PartField::Marka: lookMarka->setFocus(); break;
    case PartField::Barcode:
        dbBarcode->selectAll();
        dbBarcode->setFocus();
        break;
    case PartField::None: break;
    }
}

void TsrParts::btnRecClick()
{
    if (!editing())
        return;
    btnRec->setFocus();
    PartEntry entry = editing_;
    entry.part = dbPart->text();
    entry.typeId = chosenId(LookType);
    entry.idMarka = chosenId(lookMarka);
    entry.partNo = ePartNo->text();
    entry.barcode = dbBarcode->text();
    entry.catalogs = moreInfo->toPlainText();
    const SaveOutcome outcome = catalogue_.save(entry);
    dbPart->setText(entry.part);
    if (!outcome.saved) {
        focusField(outcome.focus);
        return;
    }
    editing_ = entry;
    setEditShown(false);
    if (listsChanged_)
        refreshLookups();
    // The list shows the saved article; a search that does not find it gives way to the whole list.
    loadList(list_, fullList_);
    if (rowOfId(entry.id) < 0)
        loadList(PartsCatalogue::fullList(), true);
    grid->bestFit();
    grid->setCurrentSourceRow(rowOfId(entry.id));
    btnIns->setFocus();
}

void TsrParts::Button1Click()
{
    TsrType w(*session_.db, *session_.prompt, NameListKind::PartTypes, this);
    w.exec();
    refreshLookups();
    listsChanged_ = true;
    if (w.currentId())
        LookType->setCurrentIndex(LookType->findData(*w.currentId()));
    LookType->setFocus();
}

void TsrParts::btnAddMarkaClick()
{
    TsrPartMarka w(*session_.db, *session_.prompt, this);
    w.exec();
    refreshLookups();
    listsChanged_ = true;
    if (w.currentId())
        lookMarka->setCurrentIndex(lookMarka->findData(*w.currentId()));
    lookMarka->setFocus();
}

void TsrParts::showSearch(bool show)
{
    if (mnSearch->isChecked() != show) {
        const QSignalBlocker block(mnSearch);
        mnSearch->setChecked(show);
    }
    if (!show) {
        BitBtn1Click();
        return;
    }
    pSearch->show();
    searchStr->clear();
    grid->setEnabled(false);
    btnIns->setEnabled(false);
    btnEdit->setEnabled(false);
    btnSpr->setEnabled(true);
    searchStr->setFocus();
}

void TsrParts::BitBtn1Click()
{
    grid->setEnabled(true);
    btnIns->setEnabled(true);
    btnEdit->setEnabled(true);
    btnSpr->setEnabled(false);
    grid->view()->setFocus();
    pSearch->hide();
    const QSignalBlocker block(mnSearch);
    mnSearch->setChecked(false);
}

void TsrParts::btnSprClick()
{
    if (!pSearch->isVisible() || !btnSpr->isEnabled())
        return;
    searchStr->setText(searchStr->text().trimmed());
    int columns = 0;
    if (chk1->isChecked())
        columns |= SearchPart;
    if (chk2->isChecked())
        columns |= SearchPartNo;
    if (chk3->isChecked())
        columns |= SearchCatalogs;
    if (chk4->isChecked())
        columns |= SearchBarcode;
    const std::optional<Statement> s = catalogue_.searchStatement(searchStr->text(), columns);
    if (!s) {
        chk1->setFocus();
        return;
    }
    loadList(*s, searchStr->text().isEmpty());
    BitBtn1Click();
    if (grid->rowCount() == 0) {
        showSearch(true);
        return;
    }
    focusFirstRow();
    grid->bestFit();
}

void TsrParts::mnExportClick()
{
    if (grid->rowCount() > 0)
        grid->exportWithDialog();
}

int TsrParts::rowOfBarcode(const QString &code) const
{
    const GridModel *m = grid->gridModel();
    const int column = m->columnIndex(QStringLiteral("barcode"));
    if (column < 0 || code.isEmpty() || !m->sourceModel())
        return -1;
    for (int r = 0; r < m->sourceModel()->rowCount(); ++r)
        if (m->rawValue(r, column).toString() == code)
            return r;
    return -1;
}

void TsrParts::askNewArticle(const QString &code)
{
    if (session_.prompt->ask(
            Prompt::messageCaption(),
            QStringLiteral("Този баркод не е намерен, желаете ли\nда създадете нов артикул с "
                           "този баркод?"),
            PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    btnInsClick();
    dbBarcode->setText(code);
}

void TsrParts::barcodeScanned(const QString &code)
{
    if (editing()) {
        dbBarcode->setText(code);
        return;
    }
    if (const int row = rowOfBarcode(code); row >= 0) {
        grid->setCurrentSourceRow(row);
        return;
    }
    if (fullList_) {
        askNewArticle(code);
        return;
    }
    const std::optional<qint64> id = catalogue_.findByBarcode(code);
    if (!id) {
        askNewArticle(code);
        return;
    }
    loadList(PartsCatalogue::oneArticle(*id), false);
    focusFirstRow();
}

void TsrParts::closeEvent(QCloseEvent *event)
{
    if (editing()) {
        event->ignore();
        return;
    }
    grid->showColumnChooser(false);
    QDialog::closeEvent(event);
}

void TsrParts::reject()
{
    // Escape leaves the edit panel or the search first, then the window.
    if (editing()) {
        btnCancelClick();
        return;
    }
    if (pSearch->isVisible()) {
        BitBtn1Click();
        return;
    }
    grid->showColumnChooser(false);
    QDialog::reject();
}

} // namespace morlenta::stock
