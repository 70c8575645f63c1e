#pragma once

// The data grid of every list window: sorting by a click on a column,
// grouping by columns with group rows and sums, footer sums, calculated
// columns, a column chooser, a preview line under each row, its layout kept
// per computer, print preview and spreadsheet export of what it shows.

#include "platform/grid_model.h"
#include "platform/grid_table.h"

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSettings;
class QTreeView;

namespace morlenta::data {
class Database;
}

namespace morlenta {

class Prompt;
class GridRowsModel;
class GridFooter;
class GridTreeView;
class GridColumnChooser;

class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    // A flat table model (not owned).
    void setModel(QAbstractItemModel *source);
    // The rows of a statement with bound parameters, held by the grid.
    void setQuery(data::Database &db, const QString &sql, const QVariantList &params = {});
    // A long list shows its first `rows` rows at once and the rest a moment later (0: all at once).
    void setFirstRows(int rows) { firstRows_ = rows; }
    // The rest of a long list now (before reading every row in the same step).
    void finishLoading();
    GridModel *gridModel() const { return model_; }
    QTreeView *view() const;

    void setColumnCaption(const QString &column, const QString &caption);
    void setColumnFormatter(const QString &column, GridModel::FormatFn format);
    // A column computed from the other values of the row.
    void addCalculatedColumn(const QString &name, const QString &caption,
                             std::function<QVariant(const QAbstractItemModel &source, int row)> value);
    // A column showing what `lookup` gives for the value of `keyColumn`.
    void addLookupColumn(const QString &name, const QString &caption, const QString &keyColumn,
                         std::function<QVariant(const QVariant &key)> lookup);
    void setSummedColumns(const QStringList &columns);

    void setGroupColumns(const QStringList &columns);
    QStringList groupColumns() const;
    void sortBy(const QString &column, Qt::SortOrder order = Qt::AscendingOrder);

    void setColumnVisible(const QString &column, bool visible);
    bool isColumnVisible(const QString &column) const;
    // Names of the shown columns, left to right.
    QStringList visibleColumns() const;
    void moveColumn(const QString &column, int visualPosition);
    void setColumnWidth(const QString &column, int width);
    int columnWidth(const QString &column) const;

    // The text column painted under each row while the preview line is on.
    void setPreviewColumn(const QString &column);
    void setPreviewVisible(bool on);
    bool previewVisible() const;

    void expandOne();
    void collapseOne();
    void fullExpand();
    void fullCollapse();
    void bestFit();
    void showColumnChooser(bool show);
    bool columnChooserVisible() const;

    // The column that identifies a record (the table's id): when the rows are
    // loaded again, the same record stays current. Without one the first row becomes current.
    void setKeyColumn(const QString &column) { keyColumn_ = column; }
    // The current record: the source row of the focused data row, -1 on a group row or none.
    int currentSourceRow() const;
    QVariant currentValue(const QString &column) const;
    void setCurrentSourceRow(int sourceRow);
    int rowCount() const;

    // Layout kept under `key` (a sub-group of the settings); restored at once, so the
    // calculated columns are added before.
    // Without `settings` the per-computer QSettings("Dravik", "Morlenta") is used.
    void setLayoutKey(const QString &key, QSettings *settings = nullptr);
    void saveLayout();
    // false when nothing fitting was stored; the layout stays as it is then.
    bool restoreLayout();

    // Printing and export.
    void setPrompt(Prompt *prompt) { prompt_ = prompt; }
    void setPrintTitle(const QString &title, const QStringList &extraLines = {});
    void setPrintFooter(const QString &footer) { printFooter_ = footer; }
    // The proposed spreadsheet name without extension and the save dialog's title.
    void setExportName(const QString &fileStem, const QString &dialogTitle = {});
    // What the grid shows: visible columns, group rows as expanded or collapsed, the totals.
    GridTable shownTable() const;
    // Every data row of the visible columns in the order shown, groups flattened.
    GridTable flatTable() const;
    void printPreview();
    bool writePdf(const QString &path) const;
    // The save dialog, then the spreadsheet; false when cancelled or failed (the error is shown).
    bool exportWithDialog();
    bool exportTo(const QString &path);

    // The context menu's commands: expandOne, collapseOne, fullExpand, fullCollapse,
    // grBestFit, mnInfo, mnColumns, mnSaveGrid, prnGrid, popExcel.
    QAction *action(const QString &name) const;
    QMenu *contextMenu() const { return menu_; }

Q_SIGNALS:
    void currentRecordChanged(int sourceRow);
    void columnChooserClosed();
    void rowActivated(int sourceRow);

private:
    void attach(QAbstractItemModel *source);
    void createActions();
    void updateActions();
    void headerMenu(const QPoint &pos);
    void rememberState();
    void restoreState();
    Prompt &prompt();
    int column(const QString &name) const;
    QList<int> visualColumns() const;
    GridTable tableHead() const;

    int firstRows_ = 0;
    GridModel *model_;
    GridTreeView *view_;
    GridFooter *footer_;
    GridColumnChooser *chooser_ = nullptr;
    GridRowsModel *rows_ = nullptr;
    QMenu *menu_;
    QPointer<QAbstractItemModel> source_;
    QString layoutKey_;
    QSettings *settings_ = nullptr;
    std::unique_ptr<QSettings> ownSettings_;
    Prompt *prompt_ = nullptr;
    std::unique_ptr<Prompt> ownPrompt_;
    QString printTitle_;
    QStringList printExtra_;
    QString printFooter_;
    QString exportStem_ = QStringLiteral("export");
    QString exportTitle_;
    QString previewColumn_;
    // Kept over a rebuild of the model (sorting, new rows).
    QList<QVariantList> expandedPaths_;
    int keptSourceRow_ = -1;
    QString keyColumn_;
    QHash<QString, int> shownWidths_;
    QVariant currentKey_;
};

} // namespace morlenta
