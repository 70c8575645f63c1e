#pragma once

// The rows of one query held in memory as a plain table, for the grids.
// Cheaper than one item object per cell: 100 000 rows are a few vectors.

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

class QSqlQuery;

namespace morlenta::data {
class Database;
}

namespace morlenta {

class GridRowsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridRowsModel(QObject *parent = nullptr);
    ~GridRowsModel() override;

    // Replaces the contents with every row of the statement (bound parameters).
    // With `firstRows` > 0 only that many rows come at once and the rest follow
    // from the event loop, so that a long list shows its first rows at once.
    void load(data::Database &db, const QString &sql, const QVariantList &params = {}, int firstRows = 0);
    // True while the rest of a long list is still to come.
    bool loading() const { return pending_ != nullptr; }
    // Reads the rest of a long list now.
    void finishLoading();
    // Replaces the contents with the rows left in an executed query.
    void load(QSqlQuery &query);
    // Replaces the contents with the given rows (tests, benchmarks, computed lists).
    void setRows(const QStringList &fields, std::vector<QVariantList> rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The field name for the display and user roles of a horizontal header.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const QStringList &fields() const { return fields_; }
    const QVariant &value(int row, int column) const { return rows_[size_t(row)][column]; }

private:
    // SQLite keeps dates as ISO text; a text column holding nothing but such
    // dates is turned back into dates so that grids sort and export them as dates.
    void restoreDates();
    void readRows(QSqlQuery &query, std::vector<QVariantList> &into, int limit);

    QStringList fields_;
    std::vector<QVariantList> rows_;
    // The query of a long list, positioned on its first row not read yet.
    std::unique_ptr<QSqlQuery> pending_;
};

} // namespace morlenta
