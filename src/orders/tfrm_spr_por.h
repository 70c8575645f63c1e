#pragma once

#include "orders/order_register.h"

#include <QDialog>

#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QStandardItemModel;
class QToolBar;

namespace morlenta {
struct Session;
class DataGrid;
namespace documents {
struct FilledDocument;
}
} // namespace morlenta

namespace morlenta::orders {

class ExternalPanel;

// The order register: ready-made lists and the criteria search over the
// repair orders, and the next steps of the current order.
class TfrmSprPor : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSprPor(Session &session, QWidget *parent = nullptr);
    ~TfrmSprPor() override;

    // Resets the search controls; called at each opening.
    void formShow();

    std::function<void(const documents::FilledDocument &, const QString &title)> output;
    std::function<void(qint64 idPor)> showReadyCard;
    // The main window's order commands for the current order: 0 parts, 1 completion, 2 payment.
    std::function<void(int mode)> orderCommand;
    // Runs the last query again (after the order window changed the order).
    void reload();

    void BitBtn1Click(); // the ready-made list
    void BitBtn2Click(); // the criteria search
    void mnWaitPartClick();
    void btnExportClick();
    void bRecExpClick();
    void prnPorClick();
    void popPrnCardClick();
    void mnInfoClick();

    // The current order's number, 0 when none.
    qint64 currentOrder() const;
    const RegisterQuery &lastQuery() const { return query_; }

    // Filter panel.
    QGroupBox *pnlFilter;
    QLineEdit *ePorNo, *eNames, *eAdres, *ePhone, *eModel, *eSN, *eOuter;
    QComboBox *eArt, *eMarka, *eClerk, *eWarr;
    QDateEdit *fdate1, *fdate2, *date1, *date2;
    QRadioButton *rb1, *rb2, *rb3, *rb4, *rb5, *rb6;
    QPushButton *BitBtn1, *BitBtn2;
    // The list.
    QLabel *lblFilter;
    DataGrid *dtPor;
    QToolBar *toolBar;
    QAction *btnOtchet, *btnPay, *btnParts, *btnExport, *mnWaitPart, *prnPor, *popPrnCard, *prnGrid,
        *popExcel, *mnInfo, *TBItem1, *TBItem11;
    // The information panel and the external rows.
    QWidget *pnlInfo;
    QTableView *porParts, *porTrud, *tExt;
    QPlainTextEdit *eNote;
    QPushButton *btnSaveNote;
    ExternalPanel *pnlExt;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildFilter();
    void buildGrid();
    void fillLists();
    void setUpColumns();
    void runQuery(const RegisterQuery &q);
    void currentChanged();
    void loadRelated(qint64 idPor);
    void enableOrderCommands(bool on);
    void numberEdited(const QString &text);
    void closeExternalPanel();
    void saveNote();
    static QDate dateOf(const QDateEdit *e);
    static void clearDate(QDateEdit *e);
    void periodChanged(QDateEdit *from, QDateEdit *to, bool fromChanged);

    Session &session_;
    RegisterQuery query_;
    QList<RegisterTechnician> technicians_;
    QHash<int, QString> clerkNames_;
    QSet<qint64> withExternal_;
    QStandardItemModel *partsModel_, *trudModel_, *extModel_;
    QDate today_;
    bool correcting_ = false;
    bool columnsReady_ = false;
};

} // namespace morlenta::orders
