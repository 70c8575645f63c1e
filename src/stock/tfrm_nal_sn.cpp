#include "stock/tfrm_nal_sn.h"

#include "common/session.h"
#include "data/database.h"
#include "platform/data_grid.h"
#include "stock/serial_search.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace morlenta::stock {

TfrmNalSN::TfrmNalSN(Session &session, QWidget *parent) : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("TfrmNalSN"));
    setWindowTitle(QStringLiteral("Серийни номера в наличност"));
    resize(760, 560);

    auto *bar = new QToolBar(this);
    auto act = [&](const char *name, const QString &text) {
        QAction *a = bar->addAction(text);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    TBItem1 = act("TBItem1", QStringLiteral("Експорт в Excel"));
    bar->addSeparator();
    N1 = act("N1", QStringLiteral("Разгъване на групата"));
    N2 = act("N2", QStringLiteral("Свиване на групата"));
    N4 = act("N4", QStringLiteral("Разгъване на всички"));
    N5 = act("N5", QStringLiteral("Свиване на всички"));

    eSearch = new QLineEdit(this);
    eSearch->setObjectName(QStringLiteral("eSearch"));
    eSearch->setPlaceholderText(QStringLiteral("поне 3 знака от серийния номер"));
    Button1 = new QPushButton(QStringLiteral("Търси"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    auto *search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("Сериен номер:"), this));
    search->addWidget(eSearch, 1);
    search->addWidget(Button1);

    grid = new DataGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setPrompt(session_.prompt);
    grid->setKeyColumn(QStringLiteral("id"));
    grid->setExportName(QStringLiteral("nal_serials"));
    grid->setPrintFooter(session_.printFooter);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(search);
    layout->addWidget(grid, 1);

    connect(Button1, &QPushButton::clicked, this, &TfrmNalSN::Button1Click);
    // The search button sits behind the other controls: Enter in the text runs it.
    connect(eSearch, &QLineEdit::returnPressed, this, &TfrmNalSN::Button1Click);
    connect(TBItem1, &QAction::triggered, this, [this] {
        if (grid->rowCount() > 0)
            grid->exportWithDialog();
    });
    connect(N1, &QAction::triggered, grid, &DataGrid::expandOne);
    connect(N2, &QAction::triggered, grid, &DataGrid::collapseOne);
    connect(N4, &QAction::triggered, grid, &DataGrid::fullExpand);
    connect(N5, &QAction::triggered, grid, &DataGrid::fullCollapse);
}

void TfrmNalSN::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Button1->lower();
    eSearch->clear();
    load(QString());
    eSearch->setFocus();
}

void TfrmNalSN::load(const QString &text)
{
    const Statement s = serialListStatement(*session_.db, text);
    grid->setQuery(*session_.db, s.sql, s.params);
    for (const char *c : {"id", "idPart"})
        grid->setColumnVisible(QLatin1String(c), false);
    grid->setColumnCaption(QStringLiteral("Type"), QStringLiteral("Тип"));
    grid->setColumnCaption(QStringLiteral("Part"), QStringLiteral("Артикул"));
    grid->setColumnCaption(QStringLiteral("Opis"), QStringLiteral("Описание"));
    grid->setColumnCaption(QStringLiteral("SN"), QStringLiteral("Сериен номер"));
    if (grid->groupColumns().isEmpty())
        grid->setGroupColumns({QStringLiteral("Type"), QStringLiteral("Part")});
    grid->fullExpand();
    grid->bestFit();
}

void TfrmNalSN::Button1Click()
{
    eSearch->setText(eSearch->text().trimmed());
    load(eSearch->text());
}

} // namespace morlenta::stock
