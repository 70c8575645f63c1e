#pragma once

// The parts picker of the order window: the shop's stock or the pieces the
// order's technician holds, the quantity (or the serial of a serial-numbered
// piece) and, closed with OK, the pick the order window issues.

#include "orders/order_parts.h"

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

class TfrmPorParts : public QDialog {
    Q_OBJECT
public:
    // `sourceEnabled`: the technician's holding may be chosen (never while only parts are issued).
    TfrmPorParts(Session &session, const QString &technicianName, bool sourceEnabled,
                 QWidget *parent = nullptr);
    // The order window's technician may change between two openings.
    void setTechnician(const QString &technicianName, bool sourceEnabled);

    // What was picked, after the picker closed with OK.
    PartPick pick() const { return pick_; }

    QComboBox *cmbSklad;
    QLineEdit *eType, *eCat;
    QPushButton *btnSearch, *Button1, *btnCancel;
    DataGrid *grNal;   // the shop's stock
    DataGrid *grClerk; // the technician's holding
    QFrame *pAmnt;
    QLineEdit *eAmnt;
    QComboBox *listSN;
    QPushButton *btnRec, *btnNo;
    QFrame *pbFromClerk;
    QLineEdit *eBr;
    QPushButton *btnRec2;

    void btnSearchClick();
    void Button1Click();
    void btnRecClick();
    void btnRec2Click();
    void btnNoClick();

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void applySource();
    void loadShop(const QString &partText, const QString &numberText);
    void openPanel(QFrame *panel, QWidget *focus);
    void closePanels();
    void placePanels();
    bool panelOpen() const;

    Session &session_;
    QString technicianName_;
    PartPick pick_;
    int rowAmount_ = 0; // the stock of the picked row as listed
};

} // namespace morlenta::orders
