#pragma once

// Part types and part brands: the same small window on two lists. It opens
// with a new entry started; a name that is already there is refused.

#include "stock/name_list.h"

#include <QDialog>

#include <optional>

class QFrame;
class QLineEdit;
class QPushButton;

namespace morlenta {
class DataGrid;
}

namespace morlenta::stock {

class TsrType : public QDialog {
    Q_OBJECT
public:
    TsrType(data::Database &db, Prompt &prompt, NameListKind kind, QWidget *parent = nullptr);

    // The current row's id (the one just saved after a save).
    std::optional<qint64> currentId() const;
    bool entryOpen() const;

    DataGrid *grid;
    QFrame *pEdit;
    QLineEdit *dbType;
    QPushButton *btnIns, *btnEdit, *btnRec, *btnCancel, *btnExit;

    void btnInsClick();
    void btnEditClick();
    void btnRecClick();
    void btnCancelClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void reload(std::optional<qint64> current);
    void startEntry(std::optional<qint64> id, const QString &text);
    void setPanelShown(bool shown);

    NameList list_;
    std::optional<qint64> editedId_;
};

// The brands of parts: the same window on partMarka.
class TsrPartMarka : public TsrType {
    Q_OBJECT
public:
    TsrPartMarka(data::Database &db, Prompt &prompt, QWidget *parent = nullptr);
};

} // namespace morlenta::stock
