#pragma once

#include "finance/cash_desk.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QFrame;
class QLineEdit;
class QPushButton;

namespace morlenta {
struct Session;
class DataGrid;
class GridRowsModel;
} // namespace morlenta

namespace morlenta::finance {

// The cash desk: the ledger of a period, the till's balance per currency,
// the manual entry of money taken out or put in, print and export.
class TsrKasa : public QDialog {
    Q_OBJECT
public:
    explicit TsrKasa(Session &session, QWidget *parent = nullptr);

    KasaRange range() const { return range_; }
    bool entering() const { return entering_; }
    // The print header of the period; false (nothing to print) for an empty list.
    bool preparePrint();

    QDateEdit *Picker2, *Picker3;
    QPushButton *btnSpr, *btnSort, *btnNal, *btnTransact, *BitBtn1, *BitBtn2, *btnExit;
    DataGrid *grKasa;
    QLineEdit *eBGN, *eUSD, *eEUR;
    // The transaction panel.
    QFrame *pnlTransact;
    QComboBox *PayType, *eVal;
    QLineEdit *editSum, *EditNote;
    QPushButton *btnRec, *btnCancel;

protected:
    void closeEvent(class QCloseEvent *event) override;
    void reject() override;
    void resizeEvent(class QResizeEvent *event) override;

private:
    void btnSprClick();
    void btnSortClick();
    void btnNalClick();
    void btnTransactClick();
    void btnRecClick();
    void endEntry();
    void dateChanged(bool fromChanged);
    void showRange();
    void placePanel();

    Session &session_;
    CashDesk desk_;
    KasaRange range_;
    GridRowsModel *rows_;
    QWidget *body_;
    bool entering_ = false;
};

} // namespace morlenta::finance
