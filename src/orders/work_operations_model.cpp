#include "orders/work_operations_model.h"

#include "common/money.h"

namespace morlenta::orders {

namespace {

constexpr const char *kNames[] = {"id",          "Classification", "Code",        "Operation",
                                  "clientPrice", "warrantyPrice",  "workerPrice", "fromGarant"};

std::optional<OpPrice> priceOf(int column)
{
    switch (column) {
    case WorkOperationsModel::ClientPrice: return OpPrice::Client;
    case WorkOperationsModel::WarrantyPrice: return OpPrice::Warranty;
    case WorkOperationsModel::WorkerPrice: return OpPrice::Worker;
    case WorkOperationsModel::FromGarant: return OpPrice::FromGarant;
    default: return std::nullopt;
    }
}

double &amountOf(WorkOperation &op, OpPrice price)
{
    switch (price) {
    case OpPrice::Client: return op.clientPrice;
    case OpPrice::Warranty: return op.warrantyPrice;
    case OpPrice::Worker: return op.workerPrice;
    case OpPrice::FromGarant: break;
    }
    return op.fromGarant;
}

} // namespace

WorkOperationsModel::WorkOperationsModel(WorkOperations &catalogue, QObject *parent)
    : QAbstractTableModel(parent), catalogue_(catalogue)
{
}

void WorkOperationsModel::setRows(const QList<WorkOperation> &rows)
{
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

void WorkOperationsModel::setPricesEditable(bool on)
{
    editable_ = on;
}

int WorkOperationsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int WorkOperationsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Count;
}

QVariant WorkOperationsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    WorkOperation op = rows_[index.row()];
    if (const auto price = priceOf(index.column()))
        return amountOf(op, *price);
    switch (index.column()) {
    case Id: return op.id;
    case Classification: return op.classification;
    case Code: return op.code;
    case Operation: return op.operation;
    default: return {};
    }
}

QVariant WorkOperationsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= Count)
        return {};
    if (role == Qt::DisplayRole || role == Qt::UserRole)
        return QString::fromLatin1(kNames[section]);
    return {};
}

Qt::ItemFlags WorkOperationsModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (editable_ && priceOf(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool WorkOperationsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const auto price = priceOf(index.column());
    if (!editable_ || role != Qt::EditRole || !price || index.row() >= rows_.size())
        return false;
    bool ok = false;
    const double v = roundCents(value.toDouble(&ok));
    if (!ok)
        return false;
    WorkOperation &op = rows_[index.row()];
    if (amountOf(op, *price) == v)
        return true;
    if (!catalogue_.setPrice(op.id, *price, v))
        return false;
    amountOf(op, *price) = v;
    // The grid rebuilds on a change; not while the view is still finishing the edit.
    QMetaObject::invokeMethod(
        this,
        [this, row = index.row(), column = index.column()] {
            if (row < rows_.size())
                Q_EMIT dataChanged(this->index(row, column), this->index(row, column));
        },
        Qt::QueuedConnection);
    return true;
}

} // namespace morlenta::orders
