#pragma once

// The group tree of the work-operations catalogue: groups dropped on groups
// and operations dragged from the list onto a group are handed to the
// window, which files them and reads the tree again.

#include <QTreeWidget>

#include <functional>

namespace morlenta::orders {

// Each item of the tree holds its group's id under this role.
inline constexpr int kGroupIdRole = Qt::UserRole;
// The group id of an item; -1 for none or a group not yet stored.
int groupIdOf(const QTreeWidgetItem *item);

class OpTree final : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

    // Whether a drag from `source` may be dropped here.
    std::function<bool(QObject *source)> accepts;
    // After the drop: the dragged group (-1 for operations) and the group it fell on.
    std::function<void(QObject *source, int groupId, int targetId)> dropped;
    // The tree got the focus.
    std::function<void()> entered;

protected:
    void focusInEvent(QFocusEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;
};

} // namespace morlenta::orders
