#pragma once

// The operations list of the catalogue as a table: the rows as read, the
// four amounts editable in place while price editing is on.

#include "orders/work_operations.h"

#include <QAbstractTableModel>

namespace morlenta::orders {

class WorkOperationsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Id,
        Classification,
        Code,
        Operation,
        ClientPrice,
        WarrantyPrice,
        WorkerPrice,
        FromGarant,
        Count
    };

    WorkOperationsModel(WorkOperations &catalogue, QObject *parent = nullptr);

    void setRows(const QList<WorkOperation> &rows);
    const QList<WorkOperation> &rows() const { return rows_; }
    void setPricesEditable(bool on);
    bool pricesEditable() const { return editable_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Writes the amount to the database at once; a negative one is refused with its message.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    WorkOperations &catalogue_;
    QList<WorkOperation> rows_;
    bool editable_ = false;
};

} // namespace morlenta::orders
