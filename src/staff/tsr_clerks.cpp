#include "staff/tsr_clerks.h"

#include "common/local_settings.h"
#include "common/session.h"
#include "platform/data_grid.h"
#include "staff/clerks.h"
#include "staff/tsr_add_clerk.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace morlenta::staff {

TsrClerks::TsrClerks(Session &session, QWidget *parent) : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("TsrClerks"));
    setWindowTitle(QStringLiteral("Служители"));
    resize(700, 480);
    grNames = new DataGrid(this);
    grNames->setObjectName(QStringLiteral("grNames"));
    grNames->setPrompt(session_.prompt);
    grNames->setPrintTitle(QStringLiteral("Служители"));
    grNames->setPrintFooter(session_.printFooter);
    grNames->setExportName(QStringLiteral("Sluzhiteli"));
    grNames->setKeyColumn(QStringLiteral("id"));
    grNames->addCalculatedColumn(QStringLiteral("Rabotnik"), QStringLiteral("Вид"),
                                 [](const QAbstractItemModel &m, int row) -> QVariant {
                                     return clerkKindText(m.index(row, 4).data());
                                 });
    grNames->addCalculatedColumn(QStringLiteral("Status"), QStringLiteral("Статус"),
                                 [](const QAbstractItemModel &m, int row) -> QVariant {
                                     return clerkStatusText(m.index(row, 5).data().toBool());
                                 });
    grNames->setLayoutKey(QStringLiteral("Sluzhiteli"),
                          session_.settings ? &session_.settings->raw() : nullptr);

    brnIns = new QPushButton(QStringLiteral("Нов"), this);
    brnIns->setObjectName(QStringLiteral("brnIns"));
    btnEdit = new QPushButton(QStringLiteral("Редакция"), this);
    btnEdit->setObjectName(QStringLiteral("btnEdit"));
    btnExit = new QPushButton(QStringLiteral("Изход"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(brnIns);
    buttons->addWidget(btnEdit);
    buttons->addStretch();
    buttons->addWidget(btnExit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grNames);
    layout->addLayout(buttons);

    connect(brnIns, &QPushButton::clicked, this, [this] { brnInsClick(); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { btnEditClick(); });
    connect(grNames, &DataGrid::rowActivated, this, [this] { btnEditClick(); });
    connect(btnExit, &QPushButton::clicked, this, &QDialog::accept);

    reload();
    if (grNames->rowCount() == 0) {
        brnIns->setFocus();
    } else {
        grNames->setCurrentSourceRow(0);
        grNames->view()->setFocus();
    }
}

void TsrClerks::reload()
{
    // Columns 4 and 5 (worker, Active) feed the calculated columns.
    grNames->setQuery(
        *session_.db,
        QStringLiteral("select id, Name, Pay, Percent, worker, Active from clerks order by id"));
    grNames->setColumnCaption(QStringLiteral("Name"), QStringLiteral("Име"));
    grNames->setColumnCaption(QStringLiteral("Pay"), QStringLiteral("Заплата"));
    grNames->setColumnCaption(QStringLiteral("Percent"), QStringLiteral("Процент"));
    for (const char *hidden : {"id", "worker", "Active"})
        grNames->setColumnVisible(QLatin1String(hidden), false);
    btnEdit->setEnabled(grNames->rowCount() > 0);
}

int TsrClerks::brnInsClick()
{
    return openClerk(true);
}

int TsrClerks::btnEditClick()
{
    return openClerk(false);
}

int TsrClerks::openClerk(bool isNew)
{
    Clerk clerk = newClerk();
    if (!isNew) {
        const QVariant id = grNames->currentValue(QStringLiteral("id"));
        if (!id.isValid())
            return 0;
        const auto stored = loadClerk(*session_.db, id.toInt());
        if (!stored)
            return 0;
        clerk = *stored;
    }
    TsrAddClerk dialog(*session_.db, *session_.prompt, clerk, this);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    const int id = dialog.clerk().id;
    reload();
    for (int row = 0; row < grNames->rowCount(); ++row) {
        grNames->setCurrentSourceRow(row);
        if (grNames->currentValue(QStringLiteral("id")).toInt() == id)
            break;
    }
    return id;
}

} // namespace morlenta::staff
