#include "orders/tfrm_symp.h"

#include "common/prompt.h"
#include "common/session.h"
#include "data/database.h"
#include "orders/order_intake.h"
#include "orders/symptoms.h"
#include "platform/data_grid.h"
#include "platform/form_widgets.h"
#include "platform/help_viewer.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace morlenta::orders {

TfrmSymp::TfrmSymp(Session &session, bool chooser, QWidget *parent) : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("TfrmSymp"));
    setWindowTitle(QStringLiteral("Симптоми на повреди"));
    setSizeGripEnabled(true);
    grid = new DataGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setPrompt(session.prompt);
    grid->setPrintFooter(session.printFooter);
    grid->setPrintTitle(windowTitle());
    grid->setExportName(QStringLiteral("symptom codes"));
    grid->setKeyColumn(QStringLiteral("ID"));

    pnlEdit = new QFrame(this);
    pnlEdit->setObjectName(QStringLiteral("pnlEdit"));
    pnlEdit->setFrameShape(QFrame::StyledPanel);
    eDescription = new QLineEdit(pnlEdit);
    eDescription->setObjectName(QStringLiteral("eDescription"));
    cmbMarka = new QComboBox(pnlEdit);
    cmbMarka->setObjectName(QStringLiteral("cmbMarka"));
    cmbMarka->setEditable(true);
    cmbMarka->setInsertPolicy(QComboBox::NoInsert);
    eCode = new QLineEdit(pnlEdit);
    eCode->setObjectName(QStringLiteral("eCode"));
    btnSave = namedButton(pnlEdit, "btnSave", QStringLiteral("Запис"));
    btnCancelEdit = namedButton(pnlEdit, "btnCancelEdit", QStringLiteral("Отказ"));
    auto *eg = new QGridLayout(pnlEdit);
    eg->addWidget(new QLabel(QStringLiteral("Описание"), pnlEdit), 0, 0);
    eg->addWidget(eDescription, 0, 1, 1, 3);
    eg->addWidget(new QLabel(QStringLiteral("Марка"), pnlEdit), 1, 0);
    eg->addWidget(cmbMarka, 1, 1);
    eg->addWidget(new QLabel(QStringLiteral("Код"), pnlEdit), 1, 2);
    eg->addWidget(eCode, 1, 3);
    eg->addWidget(btnSave, 2, 2);
    eg->addWidget(btnCancelEdit, 2, 3);
    pnlEdit->hide();

    btnNew = namedButton(this, "btnNew", QStringLiteral("Нов"));
    btnEdit = namedButton(this, "btnEdit", QStringLiteral("Редакция"));
    btnDelete = namedButton(this, "btnDelete", QStringLiteral("Изтриване"));
    btnPrn = namedButton(this, "btnPrn", QStringLiteral("Печат"));
    btnExp = namedButton(this, "btnExp", QStringLiteral("Експорт"));
    btnOk = namedButton(this, "btnOk", QStringLiteral("Избор"));
    btnOk->setVisible(chooser);
    btnClose = namedButton(this, "btnClose", QStringLiteral("Затвори"));
    auto *help = namedButton(this, "btnHelp", QStringLiteral("Помощ"));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {btnNew, btnEdit, btnDelete, btnPrn, btnExp})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(help);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addWidget(pnlEdit);
    layout->addLayout(buttons);

    connect(btnNew, &QPushButton::clicked, this, &TfrmSymp::btnNewClick);
    connect(btnEdit, &QPushButton::clicked, this, &TfrmSymp::btnEditClick);
    connect(btnDelete, &QPushButton::clicked, this, &TfrmSymp::btnDeleteClick);
    connect(btnSave, &QPushButton::clicked, this, &TfrmSymp::btnSaveClick);
    connect(btnCancelEdit, &QPushButton::clicked, this, &TfrmSymp::btnCancelEditClick);
    connect(btnPrn, &QPushButton::clicked, grid, &DataGrid::printPreview);
    connect(btnExp, &QPushButton::clicked, grid, &DataGrid::exportWithDialog);
    connect(btnOk, &QPushButton::clicked, this, [this] {
        if (!chosenLine().isEmpty())
            accept();
    });
    connect(btnClose, &QPushButton::clicked, this, &TfrmSymp::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { showHelpTopic(QStringLiteral("SymptomCodes"), this); });
    connect(grid, &DataGrid::rowActivated, this, [this, chooser] {
        if (chooser && !editing() && !chosenLine().isEmpty())
            accept();
    });
    connect(grid, &DataGrid::currentRecordChanged, this, &TfrmSymp::updateButtons);
    resize(720, 480);
    reload(0);
    grid->setFocus();
}

void TfrmSymp::reload(int keepId)
{
    grid->setQuery(*session_.db,
                   QStringLiteral("select ID, Description, Marka, code_add from Sympt_Codes order by ID"));
    grid->setColumnVisible(QStringLiteral("ID"), false);
    grid->setColumnCaption(QStringLiteral("Description"), QStringLiteral("Описание"));
    grid->setColumnCaption(QStringLiteral("Marka"), QStringLiteral("Марка"));
    grid->setColumnCaption(QStringLiteral("code_add"), QStringLiteral("Код"));
    if (keepId > 0) {
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->gridModel()->sourceModel()->index(r, 0).data().toInt() == keepId)
                grid->setCurrentSourceRow(r);
    }
    updateButtons();
}

void TfrmSymp::updateButtons()
{
    const bool browsing = !editing();
    const bool any = grid->rowCount() > 0;
    const bool current = grid->currentSourceRow() >= 0;
    btnNew->setEnabled(browsing);
    btnEdit->setEnabled(browsing && current);
    btnDelete->setEnabled(browsing && current);
    btnPrn->setEnabled(browsing && any);
    btnExp->setEnabled(browsing && any);
    btnOk->setEnabled(browsing && current);
    btnClose->setEnabled(browsing);
    grid->setEnabled(browsing);
    pnlEdit->setVisible(!browsing);
}

QString TfrmSymp::chosenLine() const
{
    if (grid->currentSourceRow() < 0)
        return {};
    Symptom s;
    s.description = grid->currentValue(QStringLiteral("Description")).toString();
    s.marka = grid->currentValue(QStringLiteral("Marka")).toString();
    s.codeAdd = grid->currentValue(QStringLiteral("code_add")).toString();
    return symptomDefectLine(s);
}

void TfrmSymp::setEditing(int id)
{
    editingId_ = id;
    if (id >= 0) {
        cmbMarka->clear();
        cmbMarka->addItems(OrderIntake(*session_.db).brands());
    }
    updateButtons();
}

void TfrmSymp::btnNewClick()
{
    eDescription->clear();
    eCode->clear();
    setEditing(0);
    cmbMarka->setEditText(QString());
    eDescription->setFocus();
}

void TfrmSymp::btnEditClick()
{
    if (grid->currentSourceRow() < 0)
        return;
    const int id = grid->currentValue(QStringLiteral("ID")).toInt();
    setEditing(id);
    eDescription->setText(grid->currentValue(QStringLiteral("Description")).toString());
    cmbMarka->setEditText(grid->currentValue(QStringLiteral("Marka")).toString());
    eCode->setText(grid->currentValue(QStringLiteral("code_add")).toString());
    eDescription->setFocus();
}

void TfrmSymp::btnSaveClick()
{
    Symptom s{editingId_, eDescription->text(), cmbMarka->currentText(), eCode->text()};
    try {
        if (const auto problem = saveSymptom(*session_.db, s)) {
            session_.prompt->show(Prompt::errorCaption(), *problem, PromptIcon::Error);
            eDescription->setFocus();
            return;
        }
    } catch (const data::DbError &e) {
        session_.prompt->show(Prompt::errorCaption(), e.message(), PromptIcon::Error);
        return;
    }
    editingId_ = -1;
    reload(s.id);
    grid->setFocus();
}

void TfrmSymp::btnCancelEditClick()
{
    editingId_ = -1;
    updateButtons();
    grid->setFocus();
}

void TfrmSymp::btnDeleteClick()
{
    const int row = grid->currentSourceRow();
    if (row < 0)
        return;
    if (!session_.prompt->yesNo(QStringLiteral("Желаете ли да изтриете симптома?")))
        return;
    deleteSymptom(*session_.db, grid->currentValue(QStringLiteral("ID")).toInt());
    reload(0);
    // The row that took the deleted one's place.
    if (grid->rowCount() > 0)
        grid->setCurrentSourceRow(std::min(row, grid->rowCount() - 1));
    updateButtons();
}

void TfrmSymp::reject()
{
    // Not while a row is being edited.
    if (editing())
        return;
    QDialog::reject();
}

} // namespace morlenta::orders
