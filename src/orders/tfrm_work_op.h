#pragma once

#include "orders/work_operations.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QDoubleSpinBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace morlenta {
struct Session;
class DataGrid;
} // namespace morlenta

namespace morlenta::orders {

class WorkOperationsModel;

// The catalogue of work operations with its group tree; opened from the
// main menu, or as a chooser of one operation for an order's work line.
class TfrmWorkOp : public QDialog {
    Q_OBJECT
public:
    TfrmWorkOp(Session &session, bool chooser, QWidget *parent = nullptr);
    ~TfrmWorkOp() override;

    // The focused operation of the list; nothing on an empty list.
    std::optional<WorkOperation> chosen() const;

    int currentGroupId() const; // -1 without a group
    QString currentPath() const { return path_; }
    void selectGroup(int groupId);

    void btnAddClick();
    void btnAddChildClick();
    void btnDeleteClick();
    void bRecExpClick();
    void eMarkaExit();
    void opNewClick();
    void opEditClick();
    void opDeleteClick();
    void btnRecOpClick();
    void btnCancelOpClick();
    void btnGoClick();
    void opPrintClick();
    void TBItem1Click();
    void TBItem2Click();
    void TBItem3Click();
    void btnOkClick();

    // The outside steps, replaced by tests.
    std::function<void(DataGrid &)> preview;
    std::function<void(DataGrid &)> exportGrid;

    QToolBar *tbMain;
    QAction *opNew, *opEdit, *opDelete, *mnEditPrices, *mnDrag, *opPrint, *TBItem1, *TBItem2, *TBItem3;
    QTreeWidget *tree;
    QPushButton *btnAdd, *btnAddChild, *btnDelete;
    QFrame *addRoot;
    QComboBox *eMarka;
    QPushButton *bRecExp, *bCancelExp;
    QLineEdit *eSearch;
    QPushButton *btnGo;
    DataGrid *grid;
    QFrame *addOp;
    QLineEdit *eCode, *eOperation;
    QDoubleSpinBox *eClientPrice, *eWarrantyPrice, *eWorkerPrice, *eFromGarant;
    QPushButton *btnRecOp, *btnCancelOp;
    QFrame *panButtons;
    QPushButton *btnOk, *btnCancel;
    QLabel *lblPath;

protected:
    void reject() override;

private:
    void loadTree(int selectId);
    void groupSelected();
    void showRows(const QList<WorkOperation> &rows, int focusId);
    void refreshList(int focusId);
    void treeEditClosed(bool reverted);
    void groupDropped(int groupId, int targetId);
    void operationsDropped(int targetId);
    QList<int> selectedOperationIds() const;
    void commitPendingEdit();
    void setPanel(QFrame *panel);
    void updateCommands();
    void loadBrands();

    Session &session_;
    std::unique_ptr<WorkOperations> catalogue_;
    WorkOperationsModel *model_;
    bool chooser_;
    bool mayEdit_;
    bool loading_ = false;
    QString path_;
    bool searchShown_ = false;           // the list holds the rows of a code search
    QList<int> searchIds_;               // ... these
    QTreeWidgetItem *pending_ = nullptr; // a new child group being named
    int pendingParent_ = -1;
    int editingId_ = -1; // -1 no panel, 0 a new operation
};

} // namespace morlenta::orders
