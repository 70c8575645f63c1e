#include "orders/tfrm_work_op.h"

#include "common/prompt.h"
#include "common/rights.h"
#include "common/session.h"
#include "data/database.h"
#include "orders/op_tree.h"
#include "orders/order_intake.h"
#include "orders/work_operations_model.h"
#include "platform/data_grid.h"
#include "platform/form_widgets.h"
#include "platform/help_viewer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace morlenta::orders {

namespace {

QAction *action(QToolBar *bar, const char *name, const QString &caption, bool checkable = false)
{
    QAction *a = bar->addAction(caption);
    a->setObjectName(QLatin1String(name));
    a->setCheckable(checkable);
    return a;
}

QDoubleSpinBox *amountBox(QWidget *parent, const char *name)
{
    auto *b = new QDoubleSpinBox(parent);
    b->setObjectName(QLatin1String(name));
    // Negative amounts can be typed so that the check can name them.
    b->setRange(-9999999.99, 9999999.99);
    b->setDecimals(2);
    return b;
}

} // namespace

TfrmWorkOp::TfrmWorkOp(Session &session, bool chooser, QWidget *parent)
    : QDialog(parent), session_(session),
      catalogue_(std::make_unique<WorkOperations>(*session.db, *session.prompt)), chooser_(chooser),
      mayEdit_(session.hasRight(Right::EditPriceLists))
{
    setObjectName(QStringLiteral("TfrmWorkOp"));
    setWindowTitle(QStringLiteral("Работни операции"));
    setSizeGripEnabled(true);
    preview = [](DataGrid &g) { g.printPreview(); };
    exportGrid = [](DataGrid &g) { g.exportWithDialog(); };

    tbMain = new QToolBar(this);
    tbMain->setObjectName(QStringLiteral("tbMain"));
    opNew = action(tbMain, "opNew", QStringLiteral("Нова операция"));
    opEdit = action(tbMain, "opEdit", QStringLiteral("Редакция"));
    opDelete = action(tbMain, "opDelete", QStringLiteral("Изтриване"));
    tbMain->addSeparator();
    mnEditPrices = action(tbMain, "mnEditPrices", QStringLiteral("Редакция на цените"), true);
    mnDrag = action(tbMain, "mnDrag", QStringLiteral("Влачене"), true);
    tbMain->addSeparator();
    // Printing and export in one drop-down, so that the bar fits a small screen.
    auto *output = new QMenu(this);
    auto outputAction = [output](const char *name, const QString &caption) {
        QAction *a = output->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    opPrint = outputAction("opPrint", QStringLiteral("Печат на всички операции"));
    TBItem1 = outputAction("TBItem1", QStringLiteral("Печат на списъка"));
    output->addSeparator();
    TBItem2 = outputAction("TBItem2", QStringLiteral("Експорт на всички операции"));
    TBItem3 = outputAction("TBItem3", QStringLiteral("Експорт на списъка"));
    auto *outputButton = new QToolButton(tbMain);
    outputButton->setObjectName(QStringLiteral("btnOutput"));
    outputButton->setText(QStringLiteral("Печат и експорт"));
    outputButton->setMenu(output);
    outputButton->setPopupMode(QToolButton::InstantPopup);
    tbMain->addWidget(outputButton);
    QAction *help = action(tbMain, "mnHelp", QStringLiteral("Помощ"));

    // The group tree and its panel for a new root.
    auto *left = new QWidget(this);
    auto *opTree = new OpTree(left);
    tree = opTree;
    tree->setObjectName(QStringLiteral("tree"));
    tree->setHeaderHidden(true);
    tree->setDragDropMode(QAbstractItemView::DragDrop);
    tree->setDefaultDropAction(Qt::CopyAction);
    tree->setExpandsOnDoubleClick(!mayEdit_); // a double-click renames then
    tree->setEditTriggers(mayEdit_ ? QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked
                                   : QAbstractItemView::NoEditTriggers);
    btnAdd = namedButton(left, "btnAdd", QStringLiteral("Нова група"));
    btnAddChild = namedButton(left, "btnAddChild", QStringLiteral("Подгрупа"));
    btnDelete = namedButton(left, "btnDelete", QStringLiteral("Изтриване"));
    addRoot = new QFrame(left);
    addRoot->setObjectName(QStringLiteral("addRoot"));
    addRoot->setFrameShape(QFrame::StyledPanel);
    eMarka = new QComboBox(addRoot);
    eMarka->setObjectName(QStringLiteral("eMarka"));
    eMarka->setEditable(true);
    eMarka->setInsertPolicy(QComboBox::NoInsert);
    bRecExp = namedButton(addRoot, "bRecExp", QStringLiteral("Запис"));
    bCancelExp = namedButton(addRoot, "bCancelExp", QStringLiteral("Отказ"));
    auto *rootLayout = new QGridLayout(addRoot);
    rootLayout->addWidget(new QLabel(QStringLiteral("Марка"), addRoot), 0, 0);
    rootLayout->addWidget(eMarka, 0, 1, 1, 2);
    rootLayout->addWidget(bRecExp, 1, 1);
    rootLayout->addWidget(bCancelExp, 1, 2);
    addRoot->hide();
    auto *treeButtons = new QHBoxLayout;
    treeButtons->addWidget(btnAdd);
    treeButtons->addWidget(btnAddChild);
    treeButtons->addWidget(btnDelete);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(tree, 1);
    leftLayout->addLayout(treeButtons);
    leftLayout->addWidget(addRoot);

    // The operations with the search and the operation panel.
    auto *right = new QWidget(this);
    eSearch = new QLineEdit(right);
    eSearch->setObjectName(QStringLiteral("eSearch"));
    eSearch->setPlaceholderText(QStringLiteral("Търсене по код (Ctrl+F)"));
    btnGo = namedButton(right, "btnGo", QStringLiteral("Търси"));
    model_ = new WorkOperationsModel(*catalogue_, this);
    grid = new DataGrid(right);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setPrompt(session.prompt);
    grid->setPrintFooter(session.printFooter);
    grid->setExportName(QStringLiteral("work_operations"));
    grid->setKeyColumn(QStringLiteral("id"));
    grid->setModel(model_);
    grid->setColumnVisible(QStringLiteral("id"), false);
    grid->setColumnCaption(QStringLiteral("Classification"), QStringLiteral("Класификация"));
    grid->setColumnCaption(QStringLiteral("Code"), QStringLiteral("Код"));
    grid->setColumnCaption(QStringLiteral("Operation"), QStringLiteral("Операция"));
    grid->setColumnCaption(QStringLiteral("clientPrice"), QStringLiteral("Към клиента"));
    grid->setColumnCaption(QStringLiteral("warrantyPrice"), QStringLiteral("Техник (гаранция)"));
    grid->setColumnCaption(QStringLiteral("workerPrice"), QStringLiteral("Техник (платен)"));
    grid->setColumnCaption(QStringLiteral("fromGarant"), QStringLiteral("От гаранта"));
    grid->setColumnWidth(QStringLiteral("Classification"), 150);
    grid->setColumnWidth(QStringLiteral("Operation"), 240);
    grid->setLayoutKey(QStringLiteral("WorkOp"));
    grid->view()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->view()->setDragDropMode(QAbstractItemView::DragOnly);

    addOp = new QFrame(right);
    addOp->setObjectName(QStringLiteral("addOp"));
    addOp->setFrameShape(QFrame::StyledPanel);
    eCode = new QLineEdit(addOp);
    eCode->setObjectName(QStringLiteral("eCode"));
    eOperation = new QLineEdit(addOp);
    eOperation->setObjectName(QStringLiteral("eOperation"));
    eClientPrice = amountBox(addOp, "eClientPrice");
    eWarrantyPrice = amountBox(addOp, "eWarrantyPrice");
    eWorkerPrice = amountBox(addOp, "eWorkerPrice");
    eFromGarant = amountBox(addOp, "eFromGarant");
    btnRecOp = namedButton(addOp, "btnRecOp", QStringLiteral("Запис"));
    btnCancelOp = namedButton(addOp, "btnCancelOp", QStringLiteral("Отказ"));
    auto *opLayout = new QGridLayout(addOp);
    opLayout->addWidget(new QLabel(QStringLiteral("Код"), addOp), 0, 0);
    opLayout->addWidget(eCode, 0, 1);
    opLayout->addWidget(new QLabel(QStringLiteral("Операция"), addOp), 0, 2);
    opLayout->addWidget(eOperation, 0, 3, 1, 3);
    opLayout->addWidget(new QLabel(QStringLiteral("Към клиента"), addOp), 1, 0);
    opLayout->addWidget(eClientPrice, 1, 1);
    opLayout->addWidget(new QLabel(QStringLiteral("От гаранта"), addOp), 1, 2);
    opLayout->addWidget(eFromGarant, 1, 3);
    opLayout->addWidget(new QLabel(QStringLiteral("Техник (платен)"), addOp), 2, 0);
    opLayout->addWidget(eWorkerPrice, 2, 1);
    opLayout->addWidget(new QLabel(QStringLiteral("Техник (гаранция)"), addOp), 2, 2);
    opLayout->addWidget(eWarrantyPrice, 2, 3);
    opLayout->addWidget(btnRecOp, 2, 4);
    opLayout->addWidget(btnCancelOp, 2, 5);
    opLayout->setColumnStretch(1, 1);
    opLayout->setColumnStretch(3, 1);
    addOp->hide();

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Код"), right));
    searchRow->addWidget(eSearch, 1);
    searchRow->addWidget(btnGo);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(searchRow);
    rightLayout->addWidget(grid, 1);
    rightLayout->addWidget(addOp);

    auto *split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({240, 640});

    panButtons = new QFrame(this);
    panButtons->setObjectName(QStringLiteral("panButtons"));
    btnOk = namedButton(panButtons, "btnOk", QStringLiteral("Избор"));
    btnCancel = namedButton(panButtons, "btnCancel", QStringLiteral("Отказ"));
    auto *panLayout = new QHBoxLayout(panButtons);
    panLayout->addStretch();
    panLayout->addWidget(btnOk);
    panLayout->addWidget(btnCancel);
    panButtons->setVisible(chooser);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setSizeGripEnabled(false);
    lblPath = new QLabel(status);
    lblPath->setObjectName(QStringLiteral("lblPath"));
    status->addWidget(lblPath, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tbMain);
    layout->addWidget(split, 1);
    layout->addWidget(panButtons);
    layout->addWidget(status);

    connect(opNew, &QAction::triggered, this, &TfrmWorkOp::opNewClick);
    connect(opEdit, &QAction::triggered, this, &TfrmWorkOp::opEditClick);
    connect(opDelete, &QAction::triggered, this, &TfrmWorkOp::opDeleteClick);
    connect(mnEditPrices, &QAction::toggled, this, [this](bool on) {
        model_->setPricesEditable(on);
        grid->view()->setEditTriggers(on ? QAbstractItemView::DoubleClicked |
                                               QAbstractItemView::EditKeyPressed |
                                               QAbstractItemView::AnyKeyPressed
                                         : QAbstractItemView::NoEditTriggers);
    });
    connect(mnDrag, &QAction::toggled, this, [this](bool on) {
        tree->setDragEnabled(on);
        grid->view()->setDragEnabled(on);
    });
    connect(opPrint, &QAction::triggered, this, &TfrmWorkOp::opPrintClick);
    connect(TBItem1, &QAction::triggered, this, &TfrmWorkOp::TBItem1Click);
    connect(TBItem2, &QAction::triggered, this, &TfrmWorkOp::TBItem2Click);
    connect(TBItem3, &QAction::triggered, this, &TfrmWorkOp::TBItem3Click);
    connect(help, &QAction::triggered, this,
            [this] { showHelpTopic(QStringLiteral("WorkOperations"), this); });
    connect(btnAdd, &QPushButton::clicked, this, &TfrmWorkOp::btnAddClick);
    connect(btnAddChild, &QPushButton::clicked, this, &TfrmWorkOp::btnAddChildClick);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmWorkOp::btnDeleteClick);
    connect(bRecExp, &QPushButton::clicked, this, &TfrmWorkOp::bRecExpClick);
    connect(bCancelExp, &QPushButton::clicked, this, [this] { setPanel(nullptr); });
    connect(eMarka->lineEdit(), &QLineEdit::editingFinished, this, &TfrmWorkOp::eMarkaExit);
    connect(btnRecOp, &QPushButton::clicked, this, &TfrmWorkOp::btnRecOpClick);
    connect(btnCancelOp, &QPushButton::clicked, this, &TfrmWorkOp::btnCancelOpClick);
    connect(btnGo, &QPushButton::clicked, this, &TfrmWorkOp::btnGoClick);
    connect(eSearch, &QLineEdit::returnPressed, this, &TfrmWorkOp::btnGoClick);
    auto *find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    connect(find, &QShortcut::activated, this, [this] { eSearch->setFocus(); });
    connect(btnOk, &QPushButton::clicked, this, &TfrmWorkOp::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmWorkOp::reject);
    connect(grid, &DataGrid::rowActivated, this, [this] {
        if (chooser_)
            btnOkClick();
        else if (mayEdit_)
            opEditClick();
    });
    connect(grid, &DataGrid::currentRecordChanged, this, &TfrmWorkOp::updateCommands);
    connect(tree, &QTreeWidget::currentItemChanged, this, [this] {
        if (!loading_)
            groupSelected();
    });
    connect(tree->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget *, QAbstractItemDelegate::EndEditHint hint) {
                treeEditClosed(hint == QAbstractItemDelegate::RevertModelCache);
            });
    opTree->accepts = [this](QObject *source) {
        return mayEdit_ && mnDrag->isChecked() && (source == tree || source == grid->view());
    };
    // Back in the tree after a code search, the group's list returns.
    opTree->entered = [this] {
        if (searchShown_ && !loading_)
            groupSelected();
    };
    opTree->dropped = [this](QObject *source, int group, int target) {
        if (source == tree)
            groupDropped(group, target);
        else
            operationsDropped(target);
    };

    resize(900, 560);
    if (const QScreen *s = screen(); s && s->availableGeometry().width() < 1024)
        setWindowState(Qt::WindowMaximized);
    loadTree(-1);
    grid->setFocus();
}

TfrmWorkOp::~TfrmWorkOp()
{
    // The children go after this; their last signals must not reach a half-destroyed window.
    disconnect(grid, nullptr, this, nullptr);
    disconnect(tree, nullptr, this, nullptr);
    disconnect(tree->itemDelegate(), nullptr, this, nullptr);
}

int TfrmWorkOp::currentGroupId() const
{
    return groupIdOf(tree->currentItem());
}

std::optional<WorkOperation> TfrmWorkOp::chosen() const
{
    const int row = grid->currentSourceRow();
    if (row < 0 || row >= model_->rows().size())
        return std::nullopt;
    return model_->rows()[row];
}

void TfrmWorkOp::loadTree(int selectId)
{
    QSet<int> expanded;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->isExpanded())
            expanded.insert(groupIdOf(*it));
    loading_ = true;
    pending_ = nullptr;
    tree->clear();
    const QList<OpGroup> groups = catalogue_->groups();
    QHash<int, QTreeWidgetItem *> items;
    for (const OpGroup &g : groups) {
        auto *item = new QTreeWidgetItem(QStringList{g.name});
        item->setData(0, kGroupIdRole, g.id);
        if (mayEdit_)
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        items.insert(g.id, item);
    }
    // A group whose parent is gone is shown as a root, so that it can be reached.
    for (const OpGroup &g : groups) {
        QTreeWidgetItem *parent = g.parent >= 0 && g.parent != g.id ? items.value(g.parent) : nullptr;
        if (parent)
            parent->addChild(items[g.id]);
        else
            tree->addTopLevelItem(items[g.id]);
    }
    for (int id : std::as_const(expanded))
        if (QTreeWidgetItem *item = items.value(id))
            item->setExpanded(true);
    QTreeWidgetItem *current = items.value(selectId);
    if (!current && tree->topLevelItemCount() > 0)
        current = tree->topLevelItem(0);
    for (QTreeWidgetItem *p = current ? current->parent() : nullptr; p; p = p->parent())
        p->setExpanded(true);
    tree->setCurrentItem(current);
    loading_ = false;
    groupSelected();
}

void TfrmWorkOp::selectGroup(int groupId)
{
    loadTree(groupId);
}

void TfrmWorkOp::groupSelected()
{
    const int id = currentGroupId();
    path_ = id >= 0 ? catalogue_->pathOf(id) : QString();
    lblPath->setText(path_);
    searchShown_ = false;
    showRows(catalogue_->operationsUnder(path_), -1);
}

void TfrmWorkOp::showRows(const QList<WorkOperation> &rows, int focusId)
{
    model_->setRows(rows);
    int focus = rows.isEmpty() ? -1 : 0;
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].id == focusId)
            focus = i;
    if (focus >= 0)
        grid->setCurrentSourceRow(focus);
    updateCommands();
}

void TfrmWorkOp::refreshList(int focusId)
{
    if (!searchShown_) {
        showRows(catalogue_->operationsUnder(path_), focusId);
        return;
    }
    QList<WorkOperation> rows;
    for (int id : std::as_const(searchIds_))
        if (const auto op = catalogue_->operation(id))
            rows.append(*op);
    showRows(rows, focusId);
}

void TfrmWorkOp::updateCommands()
{
    const bool browsing = editingId_ < 0 && !addRoot->isVisible();
    const int group = currentGroupId();
    const bool current = grid->currentSourceRow() >= 0;
    const bool any = model_->rowCount() > 0;
    opNew->setEnabled(browsing && mayEdit_);
    opEdit->setEnabled(browsing && mayEdit_ && current);
    opDelete->setEnabled(browsing && mayEdit_ && any);
    mnEditPrices->setEnabled(browsing && mayEdit_);
    mnDrag->setEnabled(browsing && mayEdit_);
    btnAdd->setEnabled(browsing && mayEdit_);
    btnAddChild->setEnabled(browsing && mayEdit_ && group >= 0);
    btnDelete->setEnabled(browsing && mayEdit_ && group >= 0 && catalogue_->canDeleteGroup(group));
    opPrint->setEnabled(browsing);
    TBItem1->setEnabled(browsing && any);
    TBItem2->setEnabled(browsing);
    TBItem3->setEnabled(browsing && any);
    btnOk->setEnabled(browsing && current);
    btnCancel->setEnabled(browsing);
    tree->setEnabled(browsing);
    grid->setEnabled(browsing);
    eSearch->setEnabled(browsing);
    btnGo->setEnabled(browsing);
}

void TfrmWorkOp::setPanel(QFrame *panel)
{
    addRoot->setVisible(panel == addRoot);
    addOp->setVisible(panel == addOp);
    if (panel != addOp)
        editingId_ = -1;
    updateCommands();
}

void TfrmWorkOp::loadBrands()
{
    const QString typed = eMarka->currentText();
    eMarka->clear();
    eMarka->addItems(OrderIntake(*session_.db).brands());
    eMarka->setEditText(typed);
}

void TfrmWorkOp::btnAddClick()
{
    if (!mayEdit_)
        return;
    QTreeWidgetItem *focused = tree->currentItem();
    QTreeWidgetItem *parent = focused ? focused->parent() : nullptr;
    if (!parent) {
        eMarka->setEditText(QString());
        loadBrands();
        setPanel(addRoot);
        eMarka->setFocus();
        return;
    }
    pendingParent_ = groupIdOf(parent);
    pending_ = new QTreeWidgetItem(parent);
    pending_->setFlags(pending_->flags() | Qt::ItemIsEditable);
    pending_->setData(0, kGroupIdRole, -1);
    loading_ = true; // the empty row is no group yet
    tree->setCurrentItem(pending_);
    loading_ = false;
    tree->editItem(pending_, 0);
}

void TfrmWorkOp::btnAddChildClick()
{
    QTreeWidgetItem *focused = tree->currentItem();
    if (!mayEdit_ || !focused)
        return;
    pendingParent_ = groupIdOf(focused);
    focused->setExpanded(true);
    pending_ = new QTreeWidgetItem(focused);
    pending_->setFlags(pending_->flags() | Qt::ItemIsEditable);
    pending_->setData(0, kGroupIdRole, -1);
    loading_ = true; // the empty row is no group yet
    tree->setCurrentItem(pending_);
    loading_ = false;
    tree->editItem(pending_, 0);
}

void TfrmWorkOp::treeEditClosed(bool reverted)
{
    QTreeWidgetItem *item = tree->currentItem();
    if (!item)
        return;
    int select = groupIdOf(item);
    if (item == pending_) {
        select = pendingParent_;
        if (!reverted) {
            if (const int id = catalogue_->addGroup(pendingParent_, item->text(0)); id > 0)
                select = id;
        }
    } else if (!reverted) {
        catalogue_->renameGroup(groupIdOf(item), item->text(0));
    }
    // The tree is read again once the view is done with its editor.
    QMetaObject::invokeMethod(
        this, [this, select] { loadTree(select); }, Qt::QueuedConnection);
}

void TfrmWorkOp::eMarkaExit()
{
    if (!addRoot->isVisible())
        return;
    const QString name = eMarka->currentText().trimmed();
    eMarka->setEditText(name);
    if (name.isEmpty() || OrderIntake(*session_.db).hasBrand(name))
        return;
    if (catalogue_->ensureBrand(name)) {
        loadBrands();
        eMarka->setCurrentIndex(eMarka->findText(name));
    } else {
        eMarka->setEditText(QString());
        eMarka->setFocus();
    }
}

void TfrmWorkOp::bRecExpClick()
{
    const QString name = eMarka->currentText().trimmed();
    if (name.isEmpty()) {
        eMarka->setFocus();
        return;
    }
    const int id = catalogue_->addRoot(name);
    if (id == 0) {
        eMarka->setFocus();
        return;
    }
    setPanel(nullptr);
    loadTree(id);
}

void TfrmWorkOp::btnDeleteClick()
{
    const int id = currentGroupId();
    if (!mayEdit_ || id < 0)
        return;
    QTreeWidgetItem *item = tree->currentItem();
    const int next = item->parent() ? groupIdOf(item->parent()) : -1;
    if (catalogue_->deleteGroup(id))
        loadTree(next);
}

void TfrmWorkOp::groupDropped(int groupId, int targetId)
{
    if (catalogue_->moveGroup(groupId, targetId))
        loadTree(groupId);
}

void TfrmWorkOp::operationsDropped(int targetId)
{
    const QList<int> ids = selectedOperationIds();
    if (ids.isEmpty())
        return;
    catalogue_->fileOperations(ids, targetId);
    refreshList(-1);
    updateCommands();
}

QList<int> TfrmWorkOp::selectedOperationIds() const
{
    QList<int> ids;
    const QModelIndexList rows = grid->view()->selectionModel()->selectedRows();
    for (const QModelIndex &index : rows) {
        const int row = index.data(GridModel::SourceRowRole).toInt();
        if (row >= 0 && row < model_->rows().size())
            ids.append(model_->rows()[row].id);
    }
    if (ids.isEmpty()) {
        if (const auto op = chosen())
            ids.append(op->id);
    }
    return ids;
}

void TfrmWorkOp::opNewClick()
{
    if (!mayEdit_)
        return;
    if (tree->topLevelItemCount() == 0 || currentGroupId() < 0) {
        session_.prompt->warning(QStringLiteral("Няма въведени класификации!"));
        return;
    }
    editingId_ = 0;
    eCode->clear();
    eOperation->clear();
    for (QDoubleSpinBox *b : {eClientPrice, eWarrantyPrice, eWorkerPrice, eFromGarant})
        b->setValue(0);
    setPanel(addOp);
    eCode->setFocus();
}

void TfrmWorkOp::opEditClick()
{
    const auto op = chosen();
    if (!mayEdit_ || !op)
        return;
    editingId_ = op->id;
    eCode->setText(op->code);
    eOperation->setText(op->operation);
    eClientPrice->setValue(op->clientPrice);
    eWarrantyPrice->setValue(op->warrantyPrice);
    eWorkerPrice->setValue(op->workerPrice);
    eFromGarant->setValue(op->fromGarant);
    setPanel(addOp);
    eOperation->setFocus();
}

void TfrmWorkOp::btnRecOpClick()
{
    if (editingId_ < 0)
        return;
    WorkOperation op;
    if (editingId_ > 0) {
        if (const auto stored = catalogue_->operation(editingId_))
            op = *stored;
    } else {
        op.classification = path_;
        op.idMarka = currentGroupId();
    }
    op.id = editingId_;
    op.code = eCode->text();
    op.operation = eOperation->text();
    op.clientPrice = eClientPrice->value();
    op.warrantyPrice = eWarrantyPrice->value();
    op.workerPrice = eWorkerPrice->value();
    op.fromGarant = eFromGarant->value();
    const OpSaveResult r = catalogue_->saveOperation(op);
    if (!r.saved) {
        switch (r.field) {
        case OpField::Code:
            eCode->setText(r.storedCode);
            eCode->setFocus();
            break;
        case OpField::Name: eOperation->setFocus(); break;
        default: eClientPrice->setFocus(); break;
        }
        return;
    }
    if (searchShown_ && !searchIds_.contains(op.id))
        searchIds_.append(op.id);
    setPanel(nullptr);
    refreshList(op.id);
    grid->setFocus();
}

void TfrmWorkOp::btnCancelOpClick()
{
    setPanel(nullptr);
    grid->setFocus();
}

void TfrmWorkOp::opDeleteClick()
{
    if (!mayEdit_ || model_->rowCount() == 0)
        return;
    if (catalogue_->deleteOperations(selectedOperationIds())) {
        refreshList(-1);
        updateCommands();
    }
}

void TfrmWorkOp::btnGoClick()
{
    const auto found = catalogue_->searchByCode(eSearch->text());
    if (!found)
        return;
    searchShown_ = true;
    searchIds_.clear();
    for (const WorkOperation &op : found->rows)
        searchIds_.append(op.id);
    grid->sortBy(QStringLiteral("Code"));
    showRows(found->rows, found->rows.isEmpty() ? -1 : found->rows[found->focus].id);
    eSearch->clear();
}

void TfrmWorkOp::opPrintClick()
{
    model_->setRows(catalogue_->allOperations());
    grid->sortBy(QStringLiteral("Classification"));
    grid->setPrintTitle(windowTitle());
    preview(*grid);
    refreshList(-1);
}

void TfrmWorkOp::TBItem1Click()
{
    grid->setPrintTitle(windowTitle() + QStringLiteral(" ") + path_);
    preview(*grid);
}

void TfrmWorkOp::TBItem2Click()
{
    const int keep = chosen() ? chosen()->id : -1;
    model_->setRows(catalogue_->allOperations());
    exportGrid(*grid);
    refreshList(keep);
}

void TfrmWorkOp::TBItem3Click()
{
    exportGrid(*grid);
}

void TfrmWorkOp::commitPendingEdit()
{
    // An open cell editor is the index widget of the current cell.
    QAbstractItemView *view = grid->view();
    if (QWidget *editor = view->indexWidget(view->currentIndex())) {
        Q_EMIT view->itemDelegate()->commitData(editor);
        Q_EMIT view->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TfrmWorkOp::btnOkClick()
{
    if (!chooser_)
        return;
    commitPendingEdit();
    if (chosen())
        accept();
}

void TfrmWorkOp::reject()
{
    // Not while a panel is open: it is closed first.
    if (addOp->isVisible() || addRoot->isVisible()) {
        setPanel(nullptr);
        return;
    }
    QDialog::reject();
}

} // namespace morlenta::orders
