#pragma once

// The parts catalogue: browse, search, add and edit articles, print and
// export the list; scanned barcodes select or start an article.

#include "platform/barcode_scanner.h"
#include "stock/parts_catalogue.h"

#include <QDialog>
#include <QHash>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace morlenta {
struct Session;
class DataGrid;
} // namespace morlenta

namespace morlenta::stock {

class TsrParts : public QDialog, public ScanHandler {
    Q_OBJECT
public:
    // `scanner` may be null (no scanning on this computer's windows).
    TsrParts(Session &session, BarcodeScanner *scanner, QWidget *parent = nullptr);
    ~TsrParts() override;

    void barcodeScanned(const QString &code) override;
    bool fullList() const { return fullList_; }
    bool editing() const;
    // The id of the current row, 0 when none.
    qint64 currentId() const;

    QWidget *Panel1, *Panel3;
    QPushButton *btnIns, *btnEdit, *btnExit, *btnAutoWidth;
    DataGrid *grid;
    QFrame *pSearch;
    QLineEdit *searchStr;
    QCheckBox *chk1, *chk2, *chk3, *chk4;
    QPushButton *btnSpr, *BitBtn1;
    QFrame *pEdit;
    QLineEdit *dbPart, *ePartNo, *dbBarcode;
    QComboBox *LookType, *lookMarka;
    QPushButton *Button1, *btnAddMarka, *btnRec, *btnCancel;
    QPlainTextEdit *moreInfo;
    QAction *mnSearch, *mnInfo, *mnColumns, *mnSaveGrid, *N1, *N2, *N4, *N5, *mnPrn, *mnExport, *mnExit;
    QAction *Action1, *Action2;

    void btnInsClick();
    void btnEditClick();
    void btnRecClick();
    void btnCancelClick();
    void Button1Click();
    void btnAddMarkaClick();
    void btnSprClick();
    void BitBtn1Click();
    void showSearch(bool show);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void reject() override;

private:
    void buildEditPanel();
    void buildSearchPanel();
    QMenuBar *buildMenu();
    void loadList(const Statement &statement, bool full);
    void applyColumns();
    void refreshLookups();
    void fillChoices(QComboBox *box, const QList<NamedItem> &items, std::optional<qint64> current);
    void startEdit(const PartEntry &entry);
    void setEditShown(bool shown);
    void centreEditPanel();
    void focusFirstRow();
    void focusField(PartField field);
    void mnExportClick();
    void askNewArticle(const QString &code);
    int rowOfBarcode(const QString &code) const;
    int rowOfId(qint64 id) const;

    Session &session_;
    BarcodeScanner *scanner_;
    PartsCatalogue catalogue_;
    PartEntry editing_;
    Statement list_;
    bool fullList_ = true;
    bool listsChanged_ = false;
    bool firstLoad_ = true;
    QHash<qint64, QString> typeNames_, brandNames_;
};

} // namespace morlenta::stock
