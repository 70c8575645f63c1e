#include "platform/grid_view.h"

#include "platform/grid_model.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

namespace morlenta {

GridTreeView::GridTreeView(QWidget *parent) : QTreeView(parent)
{
    // One row height for all rows: the view then never measures rows one by
    // one, which keeps 100 000 rows fast.
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setRootIsDecorated(false);
    setItemDelegate(new GridDelegate(this));
    header()->setSectionsMovable(true);
    header()->setStretchLastSection(false);
    header()->setSortIndicatorClearable(true);
    header()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
}

GridModel *GridTreeView::gridModel() const
{
    return qobject_cast<GridModel *>(model());
}

void GridTreeView::setPreview(int column, bool on)
{
    if (column == previewColumn_ && on == previewOn_)
        return;
    previewColumn_ = column;
    previewOn_ = on;
    // The row height changes; uniform rows take it from the delegate again.
    doItemsLayout();
    viewport()->update();
}

int GridTreeView::firstVisualColumn() const
{
    for (int v = 0; v < header()->count(); ++v) {
        const int logical = header()->logicalIndex(v);
        if (!header()->isSectionHidden(logical))
            return logical;
    }
    return -1;
}

void GridTreeView::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    QTreeView::drawRow(painter, option, index);
    GridModel *m = gridModel();
    const int first = firstVisualColumn();
    if (!m || first < 0)
        return;
    int depth = 0;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        ++depth;
    const int indent = rootIsDecorated() ? indentation() * (depth + 1) : 0;
    const int left = columnViewportPosition(first) + indent + 4;
    const bool selected = selectionModel() && selectionModel()->isRowSelected(index.row(), index.parent());
    painter->save();
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));

    if (m->isGroup(index)) {
        // The group caption runs over the empty cells up to the first sum on its right.
        int right = viewport()->width();
        for (int c = 0; c < m->columnCount(); ++c) {
            if (!m->isSummed(c) || isColumnHidden(c))
                continue;
            const int x = columnViewportPosition(c);
            if (x >= left && x < right)
                right = x;
        }
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        const QRect r(left, option.rect.top(), right - left - 4, option.rect.height());
        const QString text = index.sibling(index.row(), 0).data(GridModel::GroupTextRole).toString();
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(bold).elidedText(text, Qt::ElideRight, r.width()));
    } else if (previewOn()) {
        const int row = m->sourceRow(index);
        const QString text = m->displayText(previewColumn_, m->rawValue(row, previewColumn_)).simplified();
        QFont italic = option.font;
        italic.setItalic(true);
        painter->setFont(italic);
        if (!selected)
            painter->setPen(option.palette.color(QPalette::Link));
        const int h = option.rect.height();
        const QRect r(left, option.rect.top() + h / 2, viewport()->width() - left - 4, h - h / 2);
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(italic).elidedText(text, Qt::ElideRight, r.width()));
    }
    painter->restore();
}

GridDelegate::GridDelegate(GridTreeView *view) : QStyledItemDelegate(view), view_(view) {}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    const int line = option.fontMetrics.height() + 4;
    s.setHeight(qMax(s.height(), line) * (view_->previewOn() ? 2 : 1));
    return s;
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    // Group rows have no preview line; their sums stay in the middle of the row.
    if (!view_->previewOn() || index.data(GridModel::IsGroupRole).toBool()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // With the preview line the cell's own text takes the upper half.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget *w = opt.widget;
    QStyle *style = w ? w->style() : nullptr;
    if (!style)
        return;
    const QString text = opt.text;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
    QRect top = opt.rect.adjusted(4, 0, -4, 0);
    top.setHeight(opt.rect.height() / 2);
    painter->save();
    painter->setPen(
        opt.palette.color((opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(opt.font);
    painter->drawText(top, int(opt.displayAlignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter,
                      opt.fontMetrics.elidedText(text, Qt::ElideRight, top.width()));
    painter->restore();
}

GridFooter::GridFooter(GridTreeView *view, GridModel *model, QWidget *parent)
    : QWidget(parent), view_(view), model_(model)
{
    setObjectName(QStringLiteral("pFooter"));
    auto update = [this] { this->update(); };
    connect(view_->header(), &QHeaderView::sectionResized, this, update);
    connect(view_->header(), &QHeaderView::sectionMoved, this, update);
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, this, update);
    connect(model_, &QAbstractItemModel::modelReset, this, &GridFooter::refresh);
    refresh();
}

void GridFooter::refresh()
{
    bool any = false;
    for (int c = 0; c < model_->columnCount(); ++c)
        any = any || model_->isSummed(c);
    setVisible(any);
    update();
}

QSize GridFooter::sizeHint() const
{
    return {100, fontMetrics().height() + 8};
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, 0, width(), 0);
    p.setPen(palette().color(QPalette::ButtonText));
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    const int offset = view_->viewport()->geometry().left();
    p.setClipRect(QRect(offset, 0, view_->viewport()->width(), height()));
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (!model_->isSummed(c) || view_->isColumnHidden(c))
            continue;
        const QRect r(offset + view_->columnViewportPosition(c) + 4, 0, view_->columnWidth(c) - 8, height());
        p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, model_->sumText(c, model_->total(c)));
    }
    const int first = view_->firstVisualColumn();
    if (first >= 0 && !model_->isSummed(first)) {
        const QRect r(offset + view_->columnViewportPosition(first) + 4, 0, view_->columnWidth(first) - 8,
                      height());
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Записи: %1").arg(model_->leafCount()));
    }
}

GridColumnChooser::GridColumnChooser(GridTreeView *view, GridModel *model, QWidget *parent)
    : QWidget(parent, Qt::Tool), view_(view), model_(model)
{
    setObjectName(QStringLiteral("TfmColumns"));
    setWindowTitle(QStringLiteral("Избор на колони"));
    auto *layout = new QVBoxLayout(this);
    auto *hint = new QLabel(QStringLiteral("Отметнете колоните, които да се виждат:"), this);
    hint->setObjectName(QStringLiteral("lblColumns"));
    hint->setWordWrap(true);
    layout->addWidget(hint);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstColumns"));
    layout->addWidget(list_);
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!filling_)
            Q_EMIT columnToggled(item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
    });
    resize(220, 320);
}

void GridColumnChooser::refresh()
{
    filling_ = true;
    list_->clear();
    QHeaderView *h = view_->header();
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        auto *item = new QListWidgetItem(model_->caption(logical), list_);
        item->setData(Qt::UserRole, logical);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(view_->isColumnHidden(logical) ? Qt::Unchecked : Qt::Checked);
    }
    filling_ = false;
}

void GridColumnChooser::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

} // namespace morlenta
