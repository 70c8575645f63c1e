#include "orders/op_tree.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>

namespace morlenta::orders {

int groupIdOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, kGroupIdRole).toInt() : -1;
}

void OpTree::focusInEvent(QFocusEvent *e)
{
    QTreeWidget::focusInEvent(e);
    if (entered)
        entered();
}

void OpTree::dragEnterEvent(QDragEnterEvent *e)
{
    if (accepts && accepts(e->source()))
        e->acceptProposedAction();
    else
        e->ignore();
}

void OpTree::dragMoveEvent(QDragMoveEvent *e)
{
    QTreeWidgetItem *target = itemAt(e->position().toPoint());
    if (target && accepts && accepts(e->source()) && !(e->source() == this && target == currentItem())) {
        e->setDropAction(Qt::CopyAction);
        e->accept();
    } else {
        e->ignore();
    }
}

void OpTree::dropEvent(QDropEvent *e)
{
    QTreeWidgetItem *target = itemAt(e->position().toPoint());
    if (!target || !accepts || !accepts(e->source())) {
        e->ignore();
        return;
    }
    // A copy, so that neither view removes what was dragged: the tree is read again.
    e->setDropAction(Qt::CopyAction);
    e->accept();
    const int group = e->source() == this ? groupIdOf(currentItem()) : -1;
    const int targetId = groupIdOf(target);
    QObject *source = e->source();
    QMetaObject::invokeMethod(
        this,
        [this, source, group, targetId] {
            if (dropped)
                dropped(source, group, targetId);
        },
        Qt::QueuedConnection);
}

} // namespace morlenta::orders
