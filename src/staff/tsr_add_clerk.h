#pragma once

#include "staff/clerks.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace morlenta::staff {

// A new clerk or the changes of a stored one, with the rights tree. The
// administrator's status, kind, level and rights cannot be changed here.
class TsrAddClerk : public QDialog {
    Q_OBJECT
public:
    TsrAddClerk(data::Database &db, Prompt &prompt, Clerk clerk, QWidget *parent = nullptr);

    const Clerk &clerk() const { return clerk_; }
    // The rights string of the tree as it stands: one digit per node.
    QString treeString() const;

    QLineEdit *eName, *eNick, *ePass;
    QComboBox *cmbWorker, *cmbStatus, *cmbPrefs;
    QSpinBox *ePerc;
    QDoubleSpinBox *ePay;
    QPlainTextEdit *mInfo;
    QTreeWidget *chkTree;
    QPushButton *btnRec, *btnCancel, *btnHelp;

private:
    void loadTree(const QString &rights, bool reportNotDigits);
    void cmbWorkerChange(int kind);
    void cmbPrefsChange(int level);
    void btnRecClick();

    data::Database &db_;
    Prompt &prompt_;
    Clerk clerk_;
    std::vector<QTreeWidgetItem *> nodes_; // in position order
};

} // namespace morlenta::staff
