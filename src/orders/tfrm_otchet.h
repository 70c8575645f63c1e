#pragma once

#include "orders/order_settlement.h"
#include "orders/order_work.h"

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QWidget;

namespace morlenta {
struct Session;
namespace documents {
struct FilledDocument;
}
} // namespace morlenta

namespace morlenta::orders {

// The order window: parts issue (mode 0), completion (mode 1) and payment
// (mode 2) of one repair order.
class TfrmOtchet : public QDialog {
    Q_OBJECT
public:
    TfrmOtchet(Session &session, qint64 idPor, OrderMode mode, QWidget *parent = nullptr);
    ~TfrmOtchet() override;

    // Outside steps; tests replace them.
    std::function<std::optional<OperationChoice>()> chooseOperation;
    // Picks and issues a part to the order; the new serial when a serial-numbered piece was issued.
    std::function<bool(QString *newSerial)> issuePart;
    std::function<void(qint64 lineId)> takeBackPart;
    std::function<void(const documents::FilledDocument &, const QString &title)> output;

    // Loads the order and applies the mode; runs when the window is shown.
    void formShow();
    OrderMode mode() const { return mode_; }
    const OrderAmounts &amounts() const { return a_; }
    Basis basis() const;
    qint64 orderNumber() const { return idPor_; }
    QString orderSerial() const { return order_.serial; }
    QString technicianName() const;
    // The technician's holding may be a source of parts (not while only parts are issued).
    bool technicianStockAllowed() const;

    void btnReadyClick();
    void btnPayClick();
    void addWorkOpClick();
    void delWorkClick();
    void btnAddPartClick();
    void btnDelPartClick();
    void btnProtSNClick();
    void cmbWarChange();
    void cmbClerksChange();
    // The typed amounts.
    void taksaEdited();
    void outerEdited();
    void otstEdited();
    void sumaEdited();

    QLabel *lb, *lblInfo, *lblOuter, *pnMsg;
    QComboBox *cmbWar, *cmbClerks, *cmbState, *cmbPay;
    QWidget *panParts, *panTrud, *pInfo;
    QTableWidget *gridParts, *grTrud;
    QPushButton *btnAddPart, *btnDelPart, *btnProtSN, *addWorkOp, *delWork;
    QLineEdit *eParts, *eTrudClient, *eTrudClerk, *eTaksa, *eOuter, *eTrans, *eOtst, *eSuma, *eDiscParts,
        *eDiscJobs, *eArtNo;
    QPushButton *btnReady, *btnPay, *btnExit;

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    void applyMode();
    void fillTechnicians();
    void loadLists();
    // Every amount field but the one being typed in.
    void showAmounts(const QLineEdit *editing = nullptr);
    void readAmounts();
    void reprice();
    void afterLinesChanged();
    bool requireRates(CurrencyRates *rates, bool insist);
    int technicianId() const;
    bool externalChosen() const;
    int technicianPercent() const;
    void setPanels();
    void progress(const QString &text);
    bool ask(const QString &text);
    void warn(const QString &text, QWidget *focus);

    Session &session_;
    qint64 idPor_;
    OrderMode mode_;
    OrderRecord order_;
    QString warName_; // kept while the window is open
    PayRule rule_;
    OrderAmounts a_;
    FirmDiscounts firm_;
    bool hasExternal_ = false;
    QList<OrderTechnician> technicians_;
    QList<WorkLine> work_;
    QList<PartLine> parts_;
    QString newSerial_;
    bool shown_ = false;
    bool loading_ = false;
    QLabel *lblPay_ = nullptr;
};

// Asks for an order number.
class TfrmPorNo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPorNo(QWidget *parent = nullptr);
    qint64 number() const;
    QLineEdit *ePorNo;
    QPushButton *btnNum;

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace morlenta::orders
