#pragma once

#include <QDialog>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;

namespace morlenta {
struct Session;
class DataGrid;
} // namespace morlenta

namespace morlenta::orders {

// The symptom codes: kept from the main menu, chosen from the intake.
class TfrmSymp : public QDialog {
    Q_OBJECT
public:
    TfrmSymp(Session &session, bool chooser, QWidget *parent = nullptr);

    // The defect line of the focused symptom; empty when there is none.
    QString chosenLine() const;

    void btnNewClick();
    void btnEditClick();
    void btnDeleteClick();
    void btnSaveClick();
    void btnCancelEditClick();
    bool editing() const { return editingId_ >= 0; }

    DataGrid *grid;
    QFrame *pnlEdit;
    QLineEdit *eDescription, *eCode;
    QComboBox *cmbMarka;
    QPushButton *btnNew, *btnEdit, *btnDelete, *btnSave, *btnCancelEdit;
    QPushButton *btnOk, *btnPrn, *btnExp, *btnClose;

protected:
    void reject() override;

private:
    void reload(int keepId);
    void setEditing(int id);
    void updateButtons();

    Session &session_;
    int editingId_ = -1; // -1 browsing, 0 a new row, > 0 the row being edited
};

} // namespace morlenta::orders
