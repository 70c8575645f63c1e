#pragma once

// The model behind DataGrid: the columns of a flat source table plus
// calculated ones, sorted, and grouped by any number of columns into a tree
// of group rows with their row counts and sums. Source rows are never copied;
// the tree holds row numbers only.

#include <QAbstractItemModel>
#include <QList>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace morlenta {

class GridModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        RawValueRole = Qt::UserRole + 1, // the value as stored, for sorting and export
        SourceRowRole,                   // the row of the source model; -1 for a group row
        IsGroupRole,
        GroupTextRole, // "Caption: value (count)" of a group row
        GroupLevelRole,
    };
    // A calculated or looked-up column: the value for one source row.
    using ValueFn = std::function<QVariant(int sourceRow)>;
    using FormatFn = std::function<QString(const QVariant &)>;

    explicit GridModel(QObject *parent = nullptr);
    ~GridModel() override;

    // A flat table; column names come from the header's Qt::UserRole, else its text.
    void setSourceModel(QAbstractItemModel *source);
    QAbstractItemModel *sourceModel() const { return source_; }

    // Appended after the source columns; kept when the source changes.
    int addCalculatedColumn(const QString &name, const QString &caption, ValueFn value);

    int columnIndex(const QString &name) const; // -1 when there is none
    QString columnName(int column) const;
    QStringList columnNames() const;
    QString caption(int column) const;
    void setCaption(int column, const QString &caption);
    // How a column's values are shown; numbers, dates and flags have defaults.
    void setFormatter(int column, FormatFn format);
    void setSummed(int column, bool summed);
    bool isSummed(int column) const;

    void setGroupColumns(const QList<int> &columns);
    const QList<int> &groupColumns() const { return groupColumns_; }

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

    QVariant rawValue(int sourceRow, int column) const;
    QString displayText(int column, const QVariant &value) const;
    // A sum as the column shows it: whole numbers without decimals.
    QString sumText(int column, double sum) const;
    bool isGroup(const QModelIndex &index) const;
    int sourceRow(const QModelIndex &index) const;
    QModelIndex indexOfSourceRow(int sourceRow, int column = 0) const;
    int leafCount() const { return int(leafGroup_.size()); }
    // The sum of a summed column over all rows, or over the rows of one group.
    double total(int column) const;
    double groupSum(const QModelIndex &group, int column) const;
    int groupCount(const QModelIndex &group) const;
    // The keys of a group and its parents, to find the same group after a rebuild.
    QVariantList groupPath(const QModelIndex &group) const;
    QModelIndex indexOfGroupPath(const QVariantList &path) const;
    // true while the model is rebuilt because the source's rows changed (not
    // for a new sort or grouping): source row numbers then no longer mean the same rows.
    bool rebuildingFromSource() const { return fromSource_; }
    // Every source row in the order shown, groups flattened.
    std::vector<int> rowsInOrder() const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Data rows take editing and dragging from the source's own flags; an
    // edit goes to the source row.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Orders values as the grid sorts them: empty first, numbers and dates by
    // value, text without regard to letter case.
    static int compareValues(const QVariant &a, const QVariant &b);

private:
    struct Group;
    struct Column {
        QString name;
        QString caption;
        int source = -1;
        ValueFn value;
        FormatFn format;
        bool summed = false;
    };

    void sourceReset();
    void rebuild();
    void buildColumns();
    bool holdsGroups(const Group *g) const;
    Group *groupOf(const QModelIndex &index) const;

    QPointer<QAbstractItemModel> source_;
    QList<Column> columns_;
    QList<Column> calculated_;
    QList<int> groupColumns_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    std::unique_ptr<Group> root_;
    // Where each source row sits in the tree.
    std::vector<Group *> leafGroup_;
    std::vector<int> leafPos_;
    // Summed columns holding whole numbers only show their sums without decimals.
    std::vector<char> integral_;
    bool fromSource_ = false;
};

} // namespace morlenta
