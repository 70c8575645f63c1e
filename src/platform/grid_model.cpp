#include "platform/grid_model.h"
#include "platform/grid_table.h"

#include "common/money.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace morlenta {

struct GridModel::Group {
    Group *parent = nullptr;
    int rowInParent = 0;
    int level = -1; // -1: the root
    QVariant key;
    std::vector<std::unique_ptr<Group>> groups;
    std::vector<int> rows; // source rows, only in the deepest level
    int count = 0;         // rows below, at any depth
    std::vector<double> sums;
};

namespace {

template <typename T> int cmp(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// A value reduced once to what ordering needs, so that sorting 100 000 rows
// compares plain numbers and case-folded text instead of variants.
struct SortKey {
    int kind = 0; // 0 empty, 1 number, date or flag, 2 text
    double number = 0;
    QString text;
};

SortKey sortKey(const QVariant &v)
{
    constexpr double msPerDay = 86400000.0;
    if (v.isNull())
        return {};
    if (isNumberValue(v))
        return {1, v.toDouble(), {}};
    switch (v.typeId()) {
    case QMetaType::QDate: return {1, double(v.toDate().toJulianDay()) * msPerDay, {}};
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        return {1, double(dt.date().toJulianDay()) * msPerDay + dt.time().msecsSinceStartOfDay(), {}};
    }
    case QMetaType::Bool: return {1, v.toBool() ? 1.0 : 0.0, {}};
    default: return {2, 0, v.toString().toCaseFolded()};
    }
}

int compareKeys(const SortKey &a, const SortKey &b)
{
    if (a.kind != b.kind)
        return a.kind < b.kind ? -1 : 1;
    if (a.kind == 1)
        return cmp(a.number, b.number);
    if (a.kind == 2) {
        const int c = QString::compare(a.text, b.text);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return 0;
}

// Each row's place among the column's distinct values: equal values get the
// same rank, so the row sort and the group breaks compare integers only.
std::vector<int> ranksBySorting(const std::vector<SortKey> &keys)
{
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return compareKeys(keys[size_t(a)], keys[size_t(b)]) < 0; });
    std::vector<int> rank(keys.size());
    int current = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && compareKeys(keys[size_t(order[i - 1])], keys[size_t(order[i])]) != 0)
            ++current;
        rank[size_t(order[i])] = current;
    }
    return rank;
}

std::vector<int> ranks(const std::vector<SortKey> &keys)
{
    // Mostly distinct values (names, numbers): sorting them directly is cheaper than hashing.
    const size_t sample = std::min<size_t>(keys.size(), 1000);
    {
        QHash<QString, int> seen;
        for (size_t r = 0; r < sample; ++r)
            seen.insert(keys[r].kind == 2 ? keys[r].text : QString::number(keys[r].number), 0);
        if (sample >= 100 && size_t(seen.size()) > sample / 2)
            return ranksBySorting(keys);
    }
    QHash<QString, int> texts;
    QHash<double, int> numbers;
    std::vector<int> id(keys.size());
    std::vector<const SortKey *> distinct;
    int empty = -1;
    auto idOf = [&](auto &hash, const auto &key, int next) {
        auto it = hash.constFind(key);
        return it == hash.constEnd() ? *hash.insert(key, next) : *it;
    };
    for (size_t r = 0; r < keys.size(); ++r) {
        const SortKey &k = keys[r];
        const int next = int(distinct.size());
        int found;
        if (k.kind == 2) {
            found = idOf(texts, k.text, next);
        } else if (k.kind == 1) {
            found = idOf(numbers, k.number, next);
        } else {
            if (empty < 0)
                empty = next;
            found = empty;
        }
        if (found == next)
            distinct.push_back(&k);
        id[r] = found;
    }
    std::vector<int> order(distinct.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return compareKeys(*distinct[size_t(a)], *distinct[size_t(b)]) < 0; });
    std::vector<int> rankOfId(distinct.size());
    for (size_t i = 0; i < order.size(); ++i)
        rankOfId[size_t(order[i])] = int(i);
    for (int &v : id)
        v = rankOfId[size_t(v)];
    return id;
}

} // namespace

GridModel::GridModel(QObject *parent) : QAbstractItemModel(parent), root_(std::make_unique<Group>()) {}

GridModel::~GridModel() = default;

int GridModel::compareValues(const QVariant &a, const QVariant &b)
{
    return compareKeys(sortKey(a), sortKey(b));
}

void GridModel::setSourceModel(QAbstractItemModel *source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source_) {
        auto reset = [this] { sourceReset(); };
        connect(source_, &QAbstractItemModel::modelReset, this, reset);
        connect(source_, &QAbstractItemModel::layoutChanged, this, reset);
        connect(source_, &QAbstractItemModel::rowsInserted, this, reset);
        connect(source_, &QAbstractItemModel::rowsRemoved, this, reset);
        connect(source_, &QAbstractItemModel::rowsMoved, this, reset);
        connect(source_, &QAbstractItemModel::columnsInserted, this, reset);
        connect(source_, &QAbstractItemModel::columnsRemoved, this, reset);
        connect(source_, &QAbstractItemModel::dataChanged, this, reset);
        connect(source_, &QObject::destroyed, this, reset);
    }
    sourceReset();
}

int GridModel::addCalculatedColumn(const QString &name, const QString &caption, ValueFn value)
{
    Column c;
    c.name = name;
    c.caption = caption;
    c.value = std::move(value);
    calculated_ << c;
    sourceReset();
    return columnIndex(name);
}

void GridModel::buildColumns()
{
    const QList<Column> old = columns_;
    auto previous = [&old](const QString &name) -> const Column * {
        for (const Column &c : old)
            if (c.name == name)
                return &c;
        return nullptr;
    };
    columns_.clear();
    const int n = source_ ? source_->columnCount() : 0;
    for (int i = 0; i < n; ++i) {
        Column c;
        QVariant name = source_->headerData(i, Qt::Horizontal, Qt::UserRole);
        if (!name.isValid())
            name = source_->headerData(i, Qt::Horizontal, Qt::DisplayRole);
        c.name = name.toString();
        c.caption = source_->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        c.source = i;
        columns_ << c;
    }
    for (const Column &c : std::as_const(calculated_))
        columns_ << c;
    for (Column &c : columns_) {
        if (const Column *p = previous(c.name)) {
            c.caption = p->caption;
            c.format = p->format;
            c.summed = p->summed;
        }
    }
}

void GridModel::sourceReset()
{
    const QScopedValueRollback<bool> flag(fromSource_, true);
    beginResetModel();
    const QStringList before = columnNames();
    buildColumns();
    if (columnNames() != before) {
        groupColumns_.clear();
        sortColumn_ = -1;
    }
    rebuild();
    endResetModel();
}

int GridModel::columnIndex(const QString &name) const
{
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString GridModel::columnName(int column) const
{
    return column >= 0 && column < columns_.size() ? columns_[column].name : QString();
}

QStringList GridModel::columnNames() const
{
    QStringList out;
    for (const Column &c : columns_)
        out << c.name;
    return out;
}

QString GridModel::caption(int column) const
{
    return column >= 0 && column < columns_.size() ? columns_[column].caption : QString();
}

void GridModel::setCaption(int column, const QString &caption)
{
    if (column < 0 || column >= columns_.size())
        return;
    columns_[column].caption = caption;
    for (Column &c : calculated_)
        if (c.name == columns_[column].name)
            c.caption = caption;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void GridModel::setFormatter(int column, FormatFn format)
{
    if (column < 0 || column >= columns_.size())
        return;
    columns_[column].format = std::move(format);
    beginResetModel();
    endResetModel();
}

void GridModel::setSummed(int column, bool summed)
{
    if (column < 0 || column >= columns_.size() || columns_[column].summed == summed)
        return;
    beginResetModel();
    columns_[column].summed = summed;
    rebuild();
    endResetModel();
}

bool GridModel::isSummed(int column) const
{
    return column >= 0 && column < columns_.size() && columns_[column].summed;
}

void GridModel::setGroupColumns(const QList<int> &columns)
{
    QList<int> valid;
    for (int c : columns)
        if (c >= 0 && c < columns_.size() && !valid.contains(c))
            valid << c;
    if (valid == groupColumns_)
        return;
    beginResetModel();
    groupColumns_ = valid;
    rebuild();
    endResetModel();
}

void GridModel::sort(int column, Qt::SortOrder order)
{
    if (column >= columns_.size())
        column = -1;
    beginResetModel();
    sortColumn_ = column;
    sortOrder_ = order;
    rebuild();
    endResetModel();
}

QVariant GridModel::rawValue(int sourceRow, int column) const
{
    if (!source_ || column < 0 || column >= columns_.size())
        return {};
    const Column &c = columns_[column];
    if (c.source >= 0)
        return source_->data(source_->index(sourceRow, c.source), Qt::DisplayRole);
    return c.value ? c.value(sourceRow) : QVariant();
}

QString GridModel::displayText(int column, const QVariant &value) const
{
    if (column >= 0 && column < columns_.size() && columns_[column].format)
        return columns_[column].format(value);
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: return QString::number(value.toDouble(), 'f', 2);
    case QMetaType::QDate: return dateText(value.toDate());
    case QMetaType::QDateTime: return dateTimeText(value.toDateTime());
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("Да") : QStringLiteral("Не");
    default: return value.toString();
    }
}

QString GridModel::sumText(int column, double sum) const
{
    if (column >= 0 && size_t(column) < integral_.size() && integral_[size_t(column)])
        return displayText(column, qint64(std::llround(sum)));
    return displayText(column, sum);
}

void GridModel::rebuild()
{
    root_ = std::make_unique<Group>();
    const int n = source_ ? source_->rowCount() : 0;
    const int ncol = int(columns_.size());
    leafGroup_.assign(size_t(n), nullptr);
    leafPos_.assign(size_t(n), 0);

    // Keys are read once; the comparisons then work on plain vectors.
    const int levels = int(groupColumns_.size());
    std::vector<std::vector<int>> keys(size_t(levels + 1));
    auto rankColumn = [&](int column) {
        std::vector<SortKey> k(static_cast<size_t>(n));
        for (int r = 0; r < n; ++r)
            k[size_t(r)] = sortKey(rawValue(r, column));
        return ranks(k);
    };
    for (int l = 0; l < levels; ++l)
        keys[size_t(l)] = rankColumn(groupColumns_[l]);
    const bool sorted = sortColumn_ >= 0;
    if (sorted)
        keys[size_t(levels)] = rankColumn(sortColumn_);
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    if (levels > 0 || sorted) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            for (int l = 0; l <= levels; ++l) {
                if (l == levels && !sorted)
                    break;
                const int c = cmp(keys[size_t(l)][size_t(a)], keys[size_t(l)][size_t(b)]);
                if (c == 0)
                    continue;
                // A grouped column that is also the sort column orders its groups.
                const int column = l < levels ? groupColumns_[l] : sortColumn_;
                const bool descending = column == sortColumn_ && sortOrder_ == Qt::DescendingOrder;
                return descending ? c > 0 : c < 0;
            }
            return false;
        });
    }

    std::vector<int> summed;
    for (int c = 0; c < ncol; ++c)
        if (columns_[c].summed)
            summed.push_back(c);
    root_->sums.assign(size_t(ncol), 0.0);
    integral_.assign(size_t(ncol), 1);

    // Walk the sorted rows, opening a new group wherever a key changes.
    std::vector<Group *> open(size_t(levels), nullptr);
    for (int i = 0; i < n; ++i) {
        const int r = order[size_t(i)];
        int firstNew = levels;
        if (i == 0) {
            firstNew = 0;
        } else {
            const int prev = order[size_t(i - 1)];
            for (int l = 0; l < levels; ++l)
                if (keys[size_t(l)][size_t(prev)] != keys[size_t(l)][size_t(r)]) {
                    firstNew = l;
                    break;
                }
        }
        for (int l = firstNew; l < levels; ++l) {
            Group *parent = l == 0 ? root_.get() : open[size_t(l - 1)];
            auto g = std::make_unique<Group>();
            g->parent = parent;
            g->level = l;
            g->rowInParent = int(parent->groups.size());
            g->key = rawValue(r, groupColumns_[l]);
            g->sums.assign(size_t(ncol), 0.0);
            open[size_t(l)] = g.get();
            parent->groups.push_back(std::move(g));
        }
        Group *leafHolder = levels == 0 ? root_.get() : open[size_t(levels - 1)];
        leafGroup_[size_t(r)] = leafHolder;
        leafPos_[size_t(r)] = int(leafHolder->rows.size());
        leafHolder->rows.push_back(r);
        for (Group *g = leafHolder; g; g = g->parent) {
            ++g->count;
        }
        for (int c : summed) {
            const QVariant value = rawValue(r, c);
            if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
                integral_[size_t(c)] = 0;
            const double v = value.toDouble();
            for (Group *g = leafHolder; g; g = g->parent)
                g->sums[size_t(c)] += v;
        }
    }
}

bool GridModel::holdsGroups(const Group *g) const
{
    return g->level + 1 < groupColumns_.size();
}

GridModel::Group *GridModel::groupOf(const QModelIndex &index) const
{
    if (!index.isValid())
        return root_.get();
    auto *container = static_cast<Group *>(index.internalPointer());
    if (!holdsGroups(container))
        return nullptr; // a data row
    return container->groups[size_t(index.row())].get();
}

bool GridModel::isGroup(const QModelIndex &index) const
{
    return index.isValid() && holdsGroups(static_cast<Group *>(index.internalPointer()));
}

int GridModel::sourceRow(const QModelIndex &index) const
{
    if (!index.isValid())
        return -1;
    auto *container = static_cast<Group *>(index.internalPointer());
    if (holdsGroups(container))
        return -1;
    return container->rows[size_t(index.row())];
}

QModelIndex GridModel::indexOfSourceRow(int sourceRow, int column) const
{
    if (sourceRow < 0 || sourceRow >= int(leafGroup_.size()) || !leafGroup_[size_t(sourceRow)])
        return {};
    return createIndex(leafPos_[size_t(sourceRow)], column, leafGroup_[size_t(sourceRow)]);
}

double GridModel::total(int column) const
{
    return column >= 0 && size_t(column) < root_->sums.size() ? root_->sums[size_t(column)] : 0.0;
}

double GridModel::groupSum(const QModelIndex &group, int column) const
{
    const Group *g = isGroup(group) ? groupOf(group) : nullptr;
    return g && column >= 0 && size_t(column) < g->sums.size() ? g->sums[size_t(column)] : 0.0;
}

int GridModel::groupCount(const QModelIndex &group) const
{
    const Group *g = isGroup(group) ? groupOf(group) : nullptr;
    return g ? g->count : 0;
}

QVariantList GridModel::groupPath(const QModelIndex &group) const
{
    QVariantList path;
    for (const Group *g = isGroup(group) ? groupOf(group) : nullptr; g && g->level >= 0; g = g->parent)
        path.prepend(g->key);
    return path;
}

QModelIndex GridModel::indexOfGroupPath(const QVariantList &path) const
{
    const Group *g = root_.get();
    QModelIndex index;
    for (const QVariant &key : path) {
        if (!holdsGroups(g))
            return {};
        const Group *found = nullptr;
        for (const auto &child : g->groups)
            if (child->key == key) {
                found = child.get();
                break;
            }
        if (!found)
            return {};
        index = createIndex(found->rowInParent, 0, found->parent);
        g = found;
    }
    return index;
}

std::vector<int> GridModel::rowsInOrder() const
{
    std::vector<int> out;
    out.reserve(leafGroup_.size());
    std::function<void(const Group *)> walk = [&](const Group *g) {
        if (holdsGroups(g)) {
            for (const auto &child : g->groups)
                walk(child.get());
        } else {
            out.insert(out.end(), g->rows.begin(), g->rows.end());
        }
    };
    walk(root_.get());
    return out;
}

QModelIndex GridModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column < 0 || column >= columns_.size() || row < 0)
        return {};
    Group *g = groupOf(parent);
    if (!g)
        return {};
    const size_t size = holdsGroups(g) ? g->groups.size() : g->rows.size();
    if (size_t(row) >= size)
        return {};
    return createIndex(row, column, g);
}

QModelIndex GridModel::parent(const QModelIndex &child) const
{
    if (!child.isValid())
        return {};
    auto *container = static_cast<Group *>(child.internalPointer());
    if (container == root_.get())
        return {};
    return createIndex(container->rowInParent, 0, container->parent);
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    const Group *g = groupOf(parent);
    if (!g)
        return 0;
    return int(holdsGroups(g) ? g->groups.size() : g->rows.size());
}

int GridModel::columnCount(const QModelIndex &) const
{
    return int(columns_.size());
}

bool GridModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    if (isGroup(index)) {
        const Group *g = groupOf(index);
        switch (role) {
        case Qt::DisplayRole:
            return columns_[column].summed ? sumText(column, g->sums[size_t(column)]) : QVariant();
        case RawValueRole: return columns_[column].summed ? QVariant(g->sums[size_t(column)]) : QVariant();
        case Qt::TextAlignmentRole: return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case IsGroupRole: return true;
        case SourceRowRole: return -1;
        case GroupLevelRole: return g->level;
        case GroupTextRole: {
            const int by = groupColumns_[g->level];
            return columns_[by].caption + QStringLiteral(": ") + displayText(by, g->key) +
                   QStringLiteral(" (%1)").arg(g->count);
        }
        default: return {};
        }
    }
    const int row = sourceRow(index);
    switch (role) {
    case Qt::DisplayRole: return displayText(column, rawValue(row, column));
    case RawValueRole:
    case Qt::EditRole: return rawValue(row, column);
    case Qt::TextAlignmentRole: {
        const QVariant v = rawValue(row, column);
        return isNumberValue(v) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    case IsGroupRole: return false;
    case SourceRowRole: return row;
    case GroupLevelRole: return int(groupColumns_.size());
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return {};
    if (role == Qt::DisplayRole)
        return columns_[section].caption;
    if (role == Qt::UserRole)
        return columns_[section].name;
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Data rows say they never have children: the tree view then keeps no
    // persistent index per row when it expands everything.
    if (!isGroup(index)) {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
        const int column = columns_[index.column()].source;
        if (source_ && column >= 0)
            f |= source_->flags(source_->index(sourceRow(index), column)) &
                 (Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
        return f;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool GridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !source_ || isGroup(index))
        return false;
    const int column = columns_[index.column()].source;
    if (column < 0)
        return false;
    return source_->setData(source_->index(sourceRow(index), column), value, role);
}

} // namespace morlenta
