#include "platform/data_grid.h"

#include "common/prompt.h"
#include "platform/grid_export.h"
#include "platform/grid_print.h"
#include "platform/grid_rows_model.h"
#include "platform/grid_view.h"
#include "platform/message_prompt.h"

#include <QAction>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>

namespace morlenta {

namespace {

} // namespace

DataGrid::DataGrid(QWidget *parent) : QWidget(parent)
{
    model_ = new GridModel(this);
    view_ = new GridTreeView(this);
    view_->setObjectName(QStringLiteral("tvGrid"));
    view_->setModel(model_);
    footer_ = new GridFooter(view_, model_, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_);
    layout->addWidget(footer_);
    setFocusProxy(view_);

    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("popGrid"));
    createActions();
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        updateActions();
        menu_->popup(view_->viewport()->mapToGlobal(pos));
    });
    view_->header()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_->header(), &QWidget::customContextMenuRequested, this, &DataGrid::headerMenu);

    connect(view_->header(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (size > 0)
            shownWidths_[model_->columnName(logical)] = size;
    });
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, &DataGrid::rememberState);
    connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::restoreState);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                const int row = model_->sourceRow(current);
                if (row >= 0)
                    currentKey_ = model_->rawValue(row, column(keyColumn_));
                Q_EMIT currentRecordChanged(row);
            });
    connect(view_, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        const int row = model_->sourceRow(index);
        if (row >= 0)
            Q_EMIT rowActivated(row);
        else
            view_->setExpanded(index, !view_->isExpanded(index));
    });
}

DataGrid::~DataGrid() = default;

QTreeView *DataGrid::view() const
{
    return view_;
}

void DataGrid::createActions()
{
    struct Def {
        const char *name;
        const char *caption;
        void (DataGrid::*slot)();
    };
    const Def defs[] = {
        {"expandOne", "Разгъване на групата", &DataGrid::expandOne},
        {"collapseOne", "Свиване на групата", &DataGrid::collapseOne},
        {"fullExpand", "Разгъване на всички групи", &DataGrid::fullExpand},
        {"fullCollapse", "Свиване на всички групи", &DataGrid::fullCollapse},
        {nullptr, nullptr, nullptr},
        {"grBestFit", "Автоматична ширина на колоните", &DataGrid::bestFit},
        {"mnInfo", "Ред за преглед", nullptr},
        {"mnColumns", "Избор на колони", nullptr},
        {"mnSaveGrid", "Запис на изгледа", &DataGrid::saveLayout},
        {nullptr, nullptr, nullptr},
        {"prnGrid", "Печат...", &DataGrid::printPreview},
        {"popExcel", "Експорт в Excel...", nullptr},
    };
    for (const Def &d : defs) {
        if (!d.name) {
            menu_->addSeparator();
            continue;
        }
        auto *a = new QAction(QString::fromUtf8(d.caption), this);
        a->setObjectName(QString::fromLatin1(d.name));
        if (d.slot)
            connect(a, &QAction::triggered, this, d.slot);
        menu_->addAction(a);
    }
    QAction *info = action(QStringLiteral("mnInfo"));
    info->setCheckable(true);
    info->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    info->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(info);
    connect(info, &QAction::toggled, this, &DataGrid::setPreviewVisible);
    QAction *columns = action(QStringLiteral("mnColumns"));
    columns->setCheckable(true);
    connect(columns, &QAction::toggled, this, &DataGrid::showColumnChooser);
    connect(action(QStringLiteral("popExcel")), &QAction::triggered, this, [this] { exportWithDialog(); });
    updateActions();
}

QAction *DataGrid::action(const QString &name) const
{
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

void DataGrid::updateActions()
{
    const bool grouped = !model_->groupColumns().isEmpty();
    for (const char *n : {"expandOne", "collapseOne", "fullExpand", "fullCollapse"})
        action(QString::fromLatin1(n))->setEnabled(grouped);
    const bool rows = model_->leafCount() > 0;
    action(QStringLiteral("prnGrid"))->setEnabled(rows);
    action(QStringLiteral("popExcel"))->setEnabled(rows);
    action(QStringLiteral("mnInfo"))->setEnabled(model_->columnIndex(previewColumn_) >= 0);
}

void DataGrid::setModel(QAbstractItemModel *source)
{
    attach(source);
}

void DataGrid::setQuery(data::Database &db, const QString &sql, const QVariantList &params)
{
    if (!rows_)
        rows_ = new GridRowsModel(this);
    rows_->load(db, sql, params, firstRows_);
    if (source_ != rows_)
        attach(rows_);
}

void DataGrid::finishLoading()
{
    if (rows_)
        rows_->finishLoading();
}

void DataGrid::attach(QAbstractItemModel *source)
{
    source_ = source;
    model_->setSourceModel(source);
    view_->setPreview(model_->columnIndex(previewColumn_),
                      view_->previewOn() || action(QStringLiteral("mnInfo"))->isChecked());
    if (!layoutKey_.isEmpty())
        restoreLayout();
    updateActions();
}

int DataGrid::column(const QString &name) const
{
    return model_->columnIndex(name);
}

void DataGrid::setColumnCaption(const QString &column, const QString &caption)
{
    model_->setCaption(this->column(column), caption);
}

void DataGrid::setColumnFormatter(const QString &column, GridModel::FormatFn format)
{
    model_->setFormatter(this->column(column), std::move(format));
}

void DataGrid::addCalculatedColumn(const QString &name, const QString &caption,
                                   std::function<QVariant(const QAbstractItemModel &, int)> value)
{
    model_->addCalculatedColumn(name, caption, [this, value = std::move(value)](int row) {
        return source_ ? value(*source_, row) : QVariant();
    });
}

void DataGrid::addLookupColumn(const QString &name, const QString &caption, const QString &keyColumn,
                               std::function<QVariant(const QVariant &)> lookup)
{
    model_->addCalculatedColumn(name, caption, [this, keyColumn, lookup = std::move(lookup)](int row) {
        const int key = model_->columnIndex(keyColumn);
        return key >= 0 ? lookup(model_->rawValue(row, key)) : QVariant();
    });
}

void DataGrid::setSummedColumns(const QStringList &columns)
{
    for (int c = 0; c < model_->columnCount(); ++c)
        model_->setSummed(c, columns.contains(model_->columnName(c), Qt::CaseInsensitive));
    footer_->refresh();
}

void DataGrid::setGroupColumns(const QStringList &columns)
{
    QList<int> indexes;
    for (const QString &c : columns)
        if (column(c) >= 0)
            indexes << column(c);
    model_->setGroupColumns(indexes);
    updateActions();
}

QStringList DataGrid::groupColumns() const
{
    QStringList out;
    for (int c : model_->groupColumns())
        out << model_->columnName(c);
    return out;
}

void DataGrid::sortBy(const QString &column, Qt::SortOrder order)
{
    view_->sortByColumn(this->column(column), order);
}

void DataGrid::setColumnVisible(const QString &column, bool visible)
{
    const int c = this->column(column);
    if (c < 0)
        return;
    view_->setColumnHidden(c, !visible);
    if (chooser_)
        chooser_->refresh();
    footer_->update();
}

bool DataGrid::isColumnVisible(const QString &column) const
{
    const int c = this->column(column);
    return c >= 0 && !view_->isColumnHidden(c);
}

QList<int> DataGrid::visualColumns() const
{
    QList<int> out;
    QHeaderView *h = view_->header();
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        if (!h->isSectionHidden(logical))
            out << logical;
    }
    return out;
}

QStringList DataGrid::visibleColumns() const
{
    QStringList out;
    for (int c : visualColumns())
        out << model_->columnName(c);
    return out;
}

void DataGrid::moveColumn(const QString &column, int visualPosition)
{
    const int c = this->column(column);
    if (c < 0)
        return;
    QHeaderView *h = view_->header();
    h->moveSection(h->visualIndex(c), qBound(0, visualPosition, h->count() - 1));
}

void DataGrid::setColumnWidth(const QString &column, int width)
{
    if (this->column(column) >= 0)
        view_->setColumnWidth(this->column(column), width);
}

int DataGrid::columnWidth(const QString &column) const
{
    return this->column(column) >= 0 ? view_->columnWidth(this->column(column)) : 0;
}

void DataGrid::setPreviewColumn(const QString &column)
{
    previewColumn_ = column;
    view_->setPreview(this->column(column),
                      view_->previewOn() || action(QStringLiteral("mnInfo"))->isChecked());
    updateActions();
}

void DataGrid::setPreviewVisible(bool on)
{
    QAction *info = action(QStringLiteral("mnInfo"));
    if (info->isChecked() != on) {
        info->setChecked(on); // comes back here through toggled
        return;
    }
    view_->setPreview(column(previewColumn_), on);
}

bool DataGrid::previewVisible() const
{
    return view_->previewOn();
}

void DataGrid::expandOne()
{
    QModelIndex g = view_->currentIndex().siblingAtColumn(0);
    if (g.isValid() && !model_->isGroup(g))
        g = g.parent();
    if (g.isValid())
        view_->expandRecursively(g);
}

void DataGrid::collapseOne()
{
    QModelIndex g = view_->currentIndex().siblingAtColumn(0);
    if (g.isValid() && !model_->isGroup(g))
        g = g.parent();
    if (!g.isValid())
        return;
    std::function<void(const QModelIndex &)> collapse = [&](const QModelIndex &group) {
        for (int r = 0; r < model_->rowCount(group); ++r) {
            const QModelIndex child = model_->index(r, 0, group);
            if (!model_->isGroup(child))
                break;
            collapse(child);
        }
        view_->collapse(group);
    };
    collapse(g);
    view_->setCurrentIndex(g);
}

void DataGrid::fullExpand()
{
    view_->expandAll();
}

void DataGrid::fullCollapse()
{
    // The focus moves up to the outermost group, which stays in sight.
    QModelIndex top = view_->currentIndex().siblingAtColumn(0);
    while (top.isValid() && top.parent().isValid())
        top = top.parent();
    view_->collapseAll();
    if (top.isValid())
        view_->setCurrentIndex(top);
}

void DataGrid::bestFit()
{
    // The view would measure only the rows on screen; this looks at every row up
    // to a few thousand and at an even sample beyond, and at the sums.
    const QFontMetrics fm(view_->font());
    QFont bold = footer_->font();
    bold.setBold(true);
    const QFontMetrics boldFm(bold);
    const std::vector<int> order = model_->rowsInOrder();
    const size_t step = std::max<size_t>(1, order.size() / 5000);
    const int first = view_->firstVisualColumn();
    const int depth = int(model_->groupColumns().size());
    const int pad = 16;
    for (int c : visualColumns()) {
        int w = view_->header()->sectionSizeHint(c);
        for (size_t i = 0; i < order.size(); i += step)
            w = qMax(w, fm.horizontalAdvance(model_->displayText(c, model_->rawValue(order[i], c))) + pad);
        if (model_->isSummed(c))
            w = qMax(w, boldFm.horizontalAdvance(model_->sumText(c, model_->total(c))) + pad);
        if (c == first && depth > 0)
            w += view_->indentation() * (depth + 1);
        view_->setColumnWidth(c, qMin(w, 600));
    }
}

void DataGrid::showColumnChooser(bool show)
{
    if (show && !chooser_) {
        chooser_ = new GridColumnChooser(view_, model_, this);
        connect(chooser_, &GridColumnChooser::columnToggled, this, [this](int c, bool visible) {
            view_->setColumnHidden(c, !visible);
            footer_->update();
        });
        connect(chooser_, &GridColumnChooser::closed, this, [this] {
            action(QStringLiteral("mnColumns"))->setChecked(false);
            Q_EMIT columnChooserClosed();
        });
    }
    QAction *a = action(QStringLiteral("mnColumns"));
    if (a->isChecked() != show)
        a->setChecked(show);
    if (!chooser_)
        return;
    if (show) {
        chooser_->refresh();
        if (!chooser_->isVisible() && isVisible()) {
            // Beside the grid's right edge, over the grid, where it hides the fewest columns.
            const QPoint corner = mapToGlobal(QPoint(width() - chooser_->width() - 24, 24));
            chooser_->move(corner);
        }
        chooser_->show();
        chooser_->raise();
    } else if (chooser_->isVisible()) {
        chooser_->close();
    }
}

bool DataGrid::columnChooserVisible() const
{
    return chooser_ && chooser_->isVisible();
}

int DataGrid::currentSourceRow() const
{
    return model_->sourceRow(view_->currentIndex());
}

QVariant DataGrid::currentValue(const QString &column) const
{
    const int row = currentSourceRow();
    return row >= 0 ? model_->rawValue(row, this->column(column)) : QVariant();
}

void DataGrid::setCurrentSourceRow(int sourceRow)
{
    const QModelIndex index = model_->indexOfSourceRow(sourceRow);
    if (!index.isValid())
        return;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        view_->expand(p);
    view_->setCurrentIndex(index);
    view_->scrollTo(index);
}

int DataGrid::rowCount() const
{
    return model_->leafCount();
}

void DataGrid::rememberState()
{
    expandedPaths_.clear();
    std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
        for (int r = 0; r < model_->rowCount(parent); ++r) {
            const QModelIndex child = model_->index(r, 0, parent);
            if (!model_->isGroup(child))
                return;
            if (view_->isExpanded(child)) {
                expandedPaths_ << model_->groupPath(child);
                walk(child);
            }
        }
    };
    walk({});
    // After new rows a row number means another record; the key finds the same one.
    keptSourceRow_ = model_->rebuildingFromSource() ? -1 : currentSourceRow();
}

void DataGrid::restoreState()
{
    view_->setRootIsDecorated(!model_->groupColumns().isEmpty());
    for (const QVariantList &path : std::as_const(expandedPaths_)) {
        const QModelIndex g = model_->indexOfGroupPath(path);
        if (g.isValid())
            view_->expand(g);
    }
    expandedPaths_.clear();
    int kept = keptSourceRow_;
    keptSourceRow_ = -1;
    const int key = column(keyColumn_);
    if (model_->rebuildingFromSource() && key >= 0 && currentKey_.isValid()) {
        const int n = model_->leafCount();
        for (int r = 0; r < n && kept < 0; ++r)
            if (GridModel::compareValues(model_->rawValue(r, key), currentKey_) == 0)
                kept = r;
    }
    const QModelIndex index = model_->indexOfSourceRow(kept);
    if (index.isValid()) {
        setCurrentSourceRow(kept);
    } else {
        Q_EMIT currentRecordChanged(-1);
        if (model_->rowCount() > 0)
            view_->setCurrentIndex(model_->index(0, 0));
    }
    updateActions();
    footer_->refresh();
}

void DataGrid::headerMenu(const QPoint &pos)
{
    QHeaderView *h = view_->header();
    const int c = h->logicalIndexAt(pos);
    QMenu m(this);
    if (c >= 0) {
        const QString name = model_->columnName(c);
        QStringList groups = groupColumns();
        if (groups.contains(name)) {
            m.addAction(QStringLiteral("Без групиране по „%1“").arg(model_->caption(c)), this, [this, name] {
                QStringList g = groupColumns();
                g.removeAll(name);
                setGroupColumns(g);
            });
        } else {
            m.addAction(QStringLiteral("Групиране по „%1“").arg(model_->caption(c)), this,
                        [this, name] { setGroupColumns(groupColumns() << name); });
        }
        m.addAction(QStringLiteral("Скриване на колоната"), this,
                    [this, name] { setColumnVisible(name, false); });
    }
    if (!model_->groupColumns().isEmpty())
        m.addAction(QStringLiteral("Без групиране"), this, [this] { setGroupColumns({}); });
    m.addSeparator();
    m.addAction(action(QStringLiteral("mnColumns")));
    m.addAction(action(QStringLiteral("grBestFit")));
    m.exec(h->mapToGlobal(pos));
}

// Layout kept per computer: the columns in their order with width and
// visibility, the grouping and the sorting. The column names are stored too,
// and a layout stored for other columns is left alone.
void DataGrid::setLayoutKey(const QString &key, QSettings *settings)
{
    layoutKey_ = key;
    settings_ = settings;
    if (!settings_) {
        ownSettings_ = std::make_unique<QSettings>(QStringLiteral("Dravik"), QStringLiteral("Morlenta"));
        settings_ = ownSettings_.get();
    }
    restoreLayout();
}

void DataGrid::saveLayout()
{
    if (layoutKey_.isEmpty() || !settings_)
        return;
    QHeaderView *h = view_->header();
    QStringList columns, widths, hidden;
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        columns << model_->columnName(logical);
        // A hidden column has no size of its own; the width it had when shown is kept.
        const int size = h->isSectionHidden(logical) ? shownWidths_.value(model_->columnName(logical), 0)
                                                     : h->sectionSize(logical);
        widths << QString::number(size);
        if (h->isSectionHidden(logical))
            hidden << model_->columnName(logical);
    }
    settings_->beginGroup(layoutKey_);
    settings_->remove(QString());
    settings_->setValue(QStringLiteral("Columns"), columns);
    settings_->setValue(QStringLiteral("Widths"), widths);
    settings_->setValue(QStringLiteral("Hidden"), hidden);
    settings_->setValue(QStringLiteral("GroupBy"), groupColumns());
    settings_->setValue(QStringLiteral("SortColumn"), model_->columnName(model_->sortColumn()));
    settings_->setValue(QStringLiteral("SortDescending"), model_->sortOrder() == Qt::DescendingOrder);
    settings_->endGroup();
    settings_->sync();
}

bool DataGrid::restoreLayout()
{
    if (layoutKey_.isEmpty() || !settings_ || model_->columnCount() == 0)
        return false;
    settings_->beginGroup(layoutKey_);
    const QStringList columns = settings_->value(QStringLiteral("Columns")).toStringList();
    const QStringList widths = settings_->value(QStringLiteral("Widths")).toStringList();
    const QStringList hidden = settings_->value(QStringLiteral("Hidden")).toStringList();
    const QStringList groups = settings_->value(QStringLiteral("GroupBy")).toStringList();
    const QString sortColumn = settings_->value(QStringLiteral("SortColumn")).toString();
    const bool descending = settings_->value(QStringLiteral("SortDescending")).toBool();
    settings_->endGroup();

    // Fits only when it names exactly the grid's columns.
    QStringList mine = model_->columnNames();
    QStringList stored = columns;
    for (QString &s : mine)
        s = s.toLower();
    for (QString &s : stored)
        s = s.toLower();
    mine.sort();
    stored.sort();
    if (stored != mine || widths.size() != columns.size())
        return false;
    for (const QString &g : groups)
        if (column(g) < 0)
            return false;
    QList<int> sizes;
    for (const QString &w : widths) {
        bool ok = false;
        const int size = w.toInt(&ok);
        if (!ok || size < 0)
            return false;
        sizes << size;
    }

    QHeaderView *h = view_->header();
    for (int i = 0; i < columns.size(); ++i) {
        const int logical = column(columns[i]);
        h->moveSection(h->visualIndex(logical), i);
        if (sizes[i] > 0)
            h->resizeSection(logical, sizes[i]);
        view_->setColumnHidden(logical, hidden.contains(columns[i], Qt::CaseInsensitive));
    }
    setGroupColumns(groups);
    if (column(sortColumn) >= 0)
        view_->sortByColumn(column(sortColumn), descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (chooser_)
        chooser_->refresh();
    footer_->update();
    return true;
}

Prompt &DataGrid::prompt()
{
    if (prompt_)
        return *prompt_;
    if (!ownPrompt_)
        ownPrompt_ = std::make_unique<MessagePrompt>(this);
    return *ownPrompt_;
}

void DataGrid::setPrintTitle(const QString &title, const QStringList &extraLines)
{
    printTitle_ = title;
    printExtra_ = extraLines;
}

void DataGrid::setExportName(const QString &fileStem, const QString &dialogTitle)
{
    exportStem_ = fileStem;
    exportTitle_ = dialogTitle;
}

GridTable DataGrid::tableHead() const
{
    GridTable t;
    for (int c : visualColumns()) {
        GridTableColumn col;
        col.caption = model_->caption(c);
        col.width = view_->columnWidth(c);
        col.alignRight =
            model_->isSummed(c) || (model_->leafCount() > 0 && isNumberValue(model_->rawValue(0, c)));
        t.columns << col;
    }
    return t;
}

GridTable DataGrid::shownTable() const
{
    GridTable t = tableHead();
    const QList<int> columns = visualColumns();
    std::function<void(const QModelIndex &, int)> walk = [&](const QModelIndex &parent, int level) {
        for (int r = 0; r < model_->rowCount(parent); ++r) {
            const QModelIndex index = model_->index(r, 0, parent);
            GridTableLine line;
            if (model_->isGroup(index)) {
                line.kind = GridTableLine::Group;
                line.level = level;
                line.text = index.data(GridModel::GroupTextRole).toString();
                for (int c : columns)
                    line.cells << (model_->isSummed(c) ? model_->sumText(c, model_->groupSum(index, c))
                                                       : QString());
                t.lines << line;
                if (view_->isExpanded(index))
                    walk(index, level + 1);
            } else {
                const int row = model_->sourceRow(index);
                line.level = level;
                for (int c : columns)
                    line.cells << model_->displayText(c, model_->rawValue(row, c));
                t.lines << line;
            }
        }
    };
    walk({}, 0);
    bool summed = false;
    GridTableLine total;
    total.kind = GridTableLine::Total;
    total.text = QStringLiteral("Общо");
    for (int c : columns) {
        summed = summed || model_->isSummed(c);
        total.cells << (model_->isSummed(c) ? model_->sumText(c, model_->total(c)) : QString());
    }
    if (summed)
        t.lines << total;
    return t;
}

GridTable DataGrid::flatTable() const
{
    GridTable t = tableHead();
    const QList<int> columns = visualColumns();
    for (int row : model_->rowsInOrder()) {
        GridTableLine line;
        for (int c : columns) {
            const QVariant v = model_->rawValue(row, c);
            line.values << v;
            line.cells << model_->displayText(c, v);
        }
        t.lines << line;
    }
    return t;
}

void DataGrid::printPreview()
{
    GridPrinter(shownTable(), printTitle_, printExtra_, printFooter_).preview(this, &prompt());
}

bool DataGrid::writePdf(const QString &path) const
{
    return GridPrinter(shownTable(), printTitle_, printExtra_, printFooter_).writePdf(path);
}

bool DataGrid::exportWithDialog()
{
    if (model_->leafCount() == 0)
        return false;
    const QString path = QFileDialog::getSaveFileName(
        this, exportTitle_.isEmpty() ? QStringLiteral("Експорт в Excel") : exportTitle_,
        proposedExportPath(exportStem_), spreadsheetFilter());
    if (path.isEmpty())
        return false;
    return exportTo(withSpreadsheetSuffix(path));
}

bool DataGrid::exportTo(const QString &path)
{
    QString error;
    bool written;
    {
        WaitMessage wait(prompt(), QStringLiteral("Експорт, моля изчакайте ..."));
        written = writeXlsx(path, flatTable(), exportTitle_, &error);
    }
    if (written)
        return true;
    prompt().error(QStringLiteral("Файлът не може да бъде записан: %1\n%2").arg(path, error));
    return false;
}

} // namespace morlenta
