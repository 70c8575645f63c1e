#include "stock/tfrm_arts_marks.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morlenta::stock {

NameListTable::NameListTable(data::Database &db, Prompt &prompt, NameListKind kind, const QString &caption,
                             QWidget *parent)
    : QTableWidget(parent), list_(db, prompt, kind)
{
    setColumnCount(1);
    setHorizontalHeaderLabels({caption});
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    connect(this, &QTableWidget::itemChanged, this, &NameListTable::committed);
    reload();
}

void NameListTable::reload()
{
    loading_ = true;
    const QList<NamedItem> items = list_.items();
    setRowCount(int(items.size()));
    for (int r = 0; r < items.size(); ++r) {
        auto *item = new QTableWidgetItem(items[r].second);
        item->setData(Qt::UserRole, items[r].first);
        setItem(r, 0, item);
    }
    loading_ = false;
}

void NameListTable::appendRow()
{
    // One unsaved row at a time.
    for (int r = 0; r < rowCount(); ++r)
        if (!item(r, 0) || !item(r, 0)->data(Qt::UserRole).isValid()) {
            setCurrentCell(r, 0);
            editItem(item(r, 0));
            return;
        }
    loading_ = true;
    const int row = rowCount();
    insertRow(row);
    setItem(row, 0, new QTableWidgetItem);
    loading_ = false;
    setCurrentCell(row, 0);
    setFocus();
    editItem(item(row, 0));
}

void NameListTable::committed(QTableWidgetItem *item)
{
    if (loading_ || discard_)
        return;
    const QVariant key = item->data(Qt::UserRole);
    const std::optional<qint64> id = key.isValid() ? std::optional<qint64>(key.toLongLong()) : std::nullopt;
    const std::optional<qint64> saved = list_.save(id, item->text());
    if (saved) {
        const QSignalBlocker block(this);
        item->setData(Qt::UserRole, *saved);
        item->setText(item->text().trimmed());
        return;
    }
    // Refused or empty: the row shows what is stored again.
    // (After this signal: the items are replaced.)
    const int row = item->row();
    QMetaObject::invokeMethod(
        this,
        [this, row] {
            reload();
            if (rowCount() > 0)
                setCurrentCell(qMin(row, rowCount() - 1), 0);
        },
        Qt::QueuedConnection);
}

TfrmArtsMarks::TfrmArtsMarks(data::Database &db, Prompt &prompt, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmArtsMarks"));
    setWindowTitle(QStringLiteral("Артикули и марки"));
    resize(620, 480);
    dtArt = new NameListTable(db, prompt, NameListKind::DeviceArticles, QStringLiteral("Артикул"), this);
    dtArt->setObjectName(QStringLiteral("dtArt"));
    dtMarka = new NameListTable(db, prompt, NameListKind::DeviceBrands, QStringLiteral("Марка"), this);
    dtMarka->setObjectName(QStringLiteral("dtMarka"));
    btnNewArt = new QPushButton(QStringLiteral("Нов артикул"), this);
    btnNewArt->setObjectName(QStringLiteral("btnNewArt"));
    btnNewMarka = new QPushButton(QStringLiteral("Нова марка"), this);
    btnNewMarka->setObjectName(QStringLiteral("btnNewMarka"));
    btnExit = new QPushButton(QStringLiteral("Изход"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    for (QPushButton *b : {btnNewArt, btnNewMarka, btnExit})
        b->setAutoDefault(false);

    auto *lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Артикули на устройствата"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Марки на устройствата"), this), 0, 1);
    lists->addWidget(dtArt, 1, 0);
    lists->addWidget(dtMarka, 1, 1);
    lists->addWidget(btnNewArt, 2, 0);
    lists->addWidget(btnNewMarka, 2, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btnExit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);

    connect(btnNewArt, &QPushButton::clicked, dtArt, &NameListTable::appendRow);
    connect(btnNewMarka, &QPushButton::clicked, dtMarka, &NameListTable::appendRow);
    connect(btnExit, &QPushButton::clicked, this, &TfrmArtsMarks::accept);
}

void TfrmArtsMarks::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    for (NameListTable *t : {dtArt, dtMarka})
        if (t->rowCount() > 0)
            t->setCurrentCell(0, 0);
}

void TfrmArtsMarks::done(int result)
{
    // An edit still open in either list is cancelled, not written.
    dtArt->discardEdits();
    dtMarka->discardEdits();
    QDialog::done(result);
}

} // namespace morlenta::stock
