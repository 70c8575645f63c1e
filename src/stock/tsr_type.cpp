#include "stock/tsr_type.h"

#include "data/database.h"
#include "platform/data_grid.h"
#include "platform/form_widgets.h"
#include "platform/help_viewer.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace morlenta::stock {

TsrType::TsrType(data::Database &db, Prompt &prompt, NameListKind kind, QWidget *parent)
    : QDialog(parent), list_(db, prompt, kind)
{
    const bool brands = kind == NameListKind::PartBrands;
    setObjectName(brands ? QStringLiteral("TsrPartMarka") : QStringLiteral("TsrType"));
    setWindowTitle(brands ? QStringLiteral("Марки (производители) на части")
                          : QStringLiteral("Типове части"));
    resize(420, 480);

    grid = new DataGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setPrompt(&prompt);
    grid->setKeyColumn(list_.keyColumn());
    grid->setQuery(db, list_.listStatement().sql);
    grid->setColumnVisible(list_.keyColumn(), false);
    grid->setColumnCaption(list_.textColumn(), brands ? QStringLiteral("Марка") : QStringLiteral("Тип"));

    btnIns = namedButton(this, "btnIns", QStringLiteral("Нов"));
    btnEdit = namedButton(this, "btnEdit", QStringLiteral("Редакция"));
    btnExit = namedButton(this, "btnExit", QStringLiteral("Изход"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnIns);
    buttons->addWidget(btnEdit);
    buttons->addStretch();
    buttons->addWidget(btnExit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(grid, 1);

    pEdit = new QFrame(this);
    pEdit->setObjectName(QStringLiteral("pEdit"));
    pEdit->setFrameShape(QFrame::Panel);
    pEdit->setFrameShadow(QFrame::Raised);
    pEdit->setAutoFillBackground(true);
    dbType = new QLineEdit(pEdit);
    dbType->setObjectName(QStringLiteral("dbType"));
    if (list_.maxLength() > 0)
        dbType->setMaxLength(list_.maxLength());
    btnRec = namedButton(pEdit, "btnRec", QStringLiteral("Запис"));
    btnRec->setDefault(true);
    btnCancel = namedButton(pEdit, "btnCancel", QStringLiteral("Отказ"));
    auto *panel = new QVBoxLayout(pEdit);
    panel->addWidget(new QLabel(brands ? QStringLiteral("Марка:") : QStringLiteral("Тип:"), pEdit));
    panel->addWidget(dbType);
    auto *panelButtons = new QHBoxLayout;
    panelButtons->addStretch();
    panelButtons->addWidget(btnRec);
    panelButtons->addWidget(btnCancel);
    panel->addLayout(panelButtons);
    pEdit->resize(320, pEdit->sizeHint().height());
    pEdit->hide();

    auto *help = new QAction(this);
    help->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(help);
    connect(help, &QAction::triggered, this, [this] { showHelpTopic(QStringLiteral("Номенклатура"), this); });
    connect(btnIns, &QPushButton::clicked, this, &TsrType::btnInsClick);
    connect(btnEdit, &QPushButton::clicked, this, &TsrType::btnEditClick);
    connect(btnRec, &QPushButton::clicked, this, &TsrType::btnRecClick);
    connect(btnCancel, &QPushButton::clicked, this, &TsrType::btnCancelClick);
    connect(dbType, &QLineEdit::returnPressed, this, &TsrType::btnRecClick);
    connect(btnExit, &QPushButton::clicked, this, &TsrType::close);
    connect(grid, &DataGrid::rowActivated, this, [this] { btnEditClick(); });
    setPanelShown(false);
}

std::optional<qint64> TsrType::currentId() const
{
    const QVariant id = grid->currentValue(list_.keyColumn());
    return id.isValid() && !id.isNull() ? std::optional<qint64>(id.toLongLong()) : std::nullopt;
}

bool TsrType::entryOpen() const
{
    return pEdit->isVisible();
}

void TsrType::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!entryOpen())
        btnInsClick();
}

void TsrType::reload(std::optional<qint64> current)
{
    grid->setQuery(*list_.db(), list_.listStatement().sql);
    if (!current)
        return;
    const GridModel *m = grid->gridModel();
    const int key = m->columnIndex(list_.keyColumn());
    for (int r = 0; m->sourceModel() && r < m->sourceModel()->rowCount(); ++r)
        if (m->rawValue(r, key).toLongLong() == *current)
            grid->setCurrentSourceRow(r);
}

void TsrType::setPanelShown(bool shown)
{
    if (shown) {
        pEdit->move((width() - pEdit->width()) / 2, (height() - pEdit->height()) / 2);
        pEdit->show();
        pEdit->raise();
    } else {
        pEdit->hide();
    }
    btnIns->setEnabled(!shown);
    btnExit->setEnabled(!shown);
    grid->setEnabled(!shown);
    btnEdit->setEnabled(!shown && grid->rowCount() > 0);
    btnRec->setEnabled(shown);
    btnCancel->setEnabled(shown);
}

void TsrType::startEntry(std::optional<qint64> id, const QString &text)
{
    editedId_ = id;
    dbType->setText(text);
    setPanelShown(true);
    dbType->selectAll();
    dbType->setFocus();
}

void TsrType::btnInsClick()
{
    if (!entryOpen())
        startEntry(std::nullopt, QString());
}

void TsrType::btnEditClick()
{
    const std::optional<qint64> id = currentId();
    if (entryOpen() || !id)
        return;
    startEntry(id, grid->currentValue(list_.textColumn()).toString());
}

void TsrType::btnRecClick()
{
    if (!entryOpen())
        return;
    dbType->setText(dbType->text().trimmed());
    if (dbType->text().isEmpty()) {
        dbType->setFocus();
        return;
    }
    const std::optional<qint64> saved = list_.save(editedId_, dbType->text());
    if (!saved) {
        // Refused: the entry stays open with its text selected.
        dbType->selectAll();
        dbType->setFocus();
        return;
    }
    setPanelShown(false);
    reload(saved);
    setPanelShown(false);
    btnIns->setFocus();
}

void TsrType::btnCancelClick()
{
    setPanelShown(false);
    btnIns->setFocus();
}

void TsrType::closeEvent(QCloseEvent *event)
{
    if (entryOpen()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TsrType::reject()
{
    if (entryOpen()) {
        btnCancelClick();
        return;
    }
    QDialog::reject();
}

TsrPartMarka::TsrPartMarka(data::Database &db, Prompt &prompt, QWidget *parent)
    : TsrType(db, prompt, NameListKind::PartBrands, parent)
{
}

} // namespace morlenta::stock
