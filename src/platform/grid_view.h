#pragma once

// The parts DataGrid is made of: the tree view that paints group rows and
// preview lines, the footer with the sums, and the column chooser.
// Internal to the grid; windows use DataGrid.

#include <QStyledItemDelegate>
#include <QTreeView>
#include <QWidget>

class QListWidget;

namespace morlenta {

class GridModel;

class GridTreeView final : public QTreeView {
    Q_OBJECT
public:
    explicit GridTreeView(QWidget *parent = nullptr);
    void setPreview(int column, bool on);
    int previewColumn() const { return previewColumn_; }
    bool previewOn() const { return previewOn_ && previewColumn_ >= 0; }
    // The logical index of the leftmost shown column, -1 when none is shown.
    int firstVisualColumn() const;

protected:
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override;

private:
    GridModel *gridModel() const;
    int previewColumn_ = -1;
    bool previewOn_ = false;
};

class GridDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(GridTreeView *view);
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    GridTreeView *view_;
};

// The sums of the summed columns under the grid, aligned with the columns.
class GridFooter final : public QWidget {
    Q_OBJECT
public:
    GridFooter(GridTreeView *view, GridModel *model, QWidget *parent = nullptr);
    QSize sizeHint() const override;
    void refresh();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GridTreeView *view_;
    GridModel *model_;
};

// A small tool window with a tick for every column.
class GridColumnChooser final : public QWidget {
    Q_OBJECT
public:
    GridColumnChooser(GridTreeView *view, GridModel *model, QWidget *parent);
    void refresh();

Q_SIGNALS:
    void closed();
    void columnToggled(int column, bool visible);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    GridTreeView *view_;
    GridModel *model_;
    QListWidget *list_;
    bool filling_ = false;
};

} // namespace morlenta
