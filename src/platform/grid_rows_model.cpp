#include "platform/grid_rows_model.h"

#include "data/database.h"

#include <QDate>
#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>

namespace morlenta {

namespace {

bool digitsAt(const QString &s, std::initializer_list<int> positions)
{
    for (int p : positions)
        if (!s[p].isDigit())
            return false;
    return true;
}

// "yyyy-MM-dd" and "yyyy-MM-ddTHH:mm:ss[.zzz]", as Qt's SQLite driver writes them.
QVariant isoDateValue(const QString &s)
{
    if (s.size() < 10 || s[4] != QLatin1Char('-') || s[7] != QLatin1Char('-') ||
        !digitsAt(s, {0, 1, 2, 3, 5, 6, 8, 9}))
        return {};
    if (s.size() == 10) {
        const QDate d = QDate::fromString(s, Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    if (s.size() >= 19 && (s[10] == QLatin1Char('T') || s[10] == QLatin1Char(' '))) {
        QString t = s;
        t[10] = QLatin1Char('T');
        const QDateTime dt = QDateTime::fromString(t, Qt::ISODateWithMs);
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    return {};
}

} // namespace

GridRowsModel::GridRowsModel(QObject *parent) : QAbstractTableModel(parent) {}

GridRowsModel::~GridRowsModel() = default;

void GridRowsModel::readRows(QSqlQuery &query, std::vector<QVariantList> &into, int limit)
{
    for (int n = 0; limit <= 0 || n < limit; ++n) {
        if (!query.next())
            return;
        QVariantList row;
        row.reserve(fields_.size());
        for (int i = 0; i < fields_.size(); ++i)
            row << query.value(i);
        into.push_back(std::move(row));
    }
}

void GridRowsModel::load(data::Database &db, const QString &sql, const QVariantList &params, int firstRows)
{
    pending_.reset();
    if (firstRows <= 0) {
        QSqlQuery q = db.exec(sql, params);
        load(q);
        return;
    }
    auto query = std::make_unique<QSqlQuery>(db.exec(sql, params));
    beginResetModel();
    const QSqlRecord rec = query->record();
    fields_.clear();
    for (int i = 0; i < rec.count(); ++i)
        fields_ << rec.fieldName(i);
    rows_.clear();
    readRows(*query, rows_, firstRows);
    restoreDates();
    const bool more = int(rows_.size()) == firstRows && query->isActive();
    if (more)
        pending_ = std::move(query);
    endResetModel();
    if (more)
        QTimer::singleShot(0, this, &GridRowsModel::finishLoading);
}

void GridRowsModel::finishLoading()
{
    if (!pending_)
        return;
    std::unique_ptr<QSqlQuery> query = std::move(pending_);
    std::vector<QVariantList> rest;
    readRows(*query, rest, 0);
    query.reset();
    if (rest.empty())
        return;
    const int first = int(rows_.size());
    beginInsertRows({}, first, first + int(rest.size()) - 1);
    for (QVariantList &r : rest)
        rows_.push_back(std::move(r));
    restoreDates();
    endInsertRows();
}

void GridRowsModel::load(QSqlQuery &query)
{
    pending_.reset();
    beginResetModel();
    const QSqlRecord rec = query.record();
    fields_.clear();
    for (int i = 0; i < rec.count(); ++i)
        fields_ << rec.fieldName(i);
    rows_.clear();
    if (query.isForwardOnly() == false && query.size() > 0)
        rows_.reserve(size_t(query.size()));
    readRows(query, rows_, 0);
    restoreDates();
    endResetModel();
}

void GridRowsModel::setRows(const QStringList &fields, std::vector<QVariantList> rows)
{
    pending_.reset();
    beginResetModel();
    fields_ = fields;
    rows_ = std::move(rows);
    for (QVariantList &r : rows_)
        while (r.size() < fields_.size())
            r << QVariant();
    endResetModel();
}

void GridRowsModel::restoreDates()
{
    for (int c = 0; c < fields_.size(); ++c) {
        bool any = false;
        bool allDates = true;
        for (const QVariantList &r : rows_) {
            const QVariant &v = r[c];
            if (v.isNull())
                continue;
            // Rows of an earlier part of the same list were turned already.
            if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime) {
                any = true;
                continue;
            }
            if (v.typeId() != QMetaType::QString || !isoDateValue(v.toString()).isValid()) {
                allDates = false;
                break;
            }
            any = true;
        }
        if (!any || !allDates)
            continue;
        for (QVariantList &r : rows_)
            if (r[c].typeId() == QMetaType::QString)
                r[c] = isoDateValue(r[c].toString());
    }
}

int GridRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int GridRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(fields_.size());
}

QVariant GridRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return rows_[size_t(index.row())][index.column()];
}

QVariant GridRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= fields_.size() ||
        (role != Qt::DisplayRole && role != Qt::UserRole))
        return {};
    return fields_[section];
}

} // namespace morlenta
