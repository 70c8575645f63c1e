#pragma once

#include "orders/order_intake.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace morlenta {
struct Session;
namespace documents {
struct FilledDocument;
}
} // namespace morlenta

namespace morlenta::orders {

// The order intake: a device taken in, its number, the service card, the
// protocol of a cash register, the home visit or the dispatch to an
// external service.
class TsrPor : public QDialog {
    Q_OBJECT
public:
    // `atClient`: opened from the visit schedule, the repair is at the client's address.
    explicit TsrPor(Session &session, bool atClient = false, QWidget *parent = nullptr);
    ~TsrPor() override;

    // What the window calls out to; tests replace them.
    std::function<qint64(const QString &question)> askStartNumber;
    std::function<void(const documents::FilledDocument &, const QString &title)> output;
    // The firm chooser; the chosen firm's id, or 0 when cancelled.
    std::function<int(const QString &preset)> chooseFirm;
    // The symptom chooser; the line to append, empty when cancelled.
    std::function<QString()> chooseSymptom;
    std::function<void(const QStringList &lines)> showPrevious;

    // Proposes the number (asking for the first one) and resets the inputs;
    // runs when the window is first shown, after the caller set the hooks.
    void formShow();

    void btnRecClick();
    void btnCheckClick();
    void btnFirmsClick();
    void addDefectClick();
    void bRecExpClick();
    void prnProtClick();
    // Leaving the boxes.
    void eClientNameExit();
    void eArtExit();
    void eMarkaExit();
    void eModelsExit();

    QLineEdit *eNomer, *eDate, *eClientName, *eClientAdres, *eClientPhone;
    QComboBox *eArt, *eMarka, *eModels;
    QLineEdit *eSerial, *eAksPop, *eFiscal, *eTaxAdmin, *eNote, *eMore;
    QPlainTextEdit *eDefect;
    QComboBox *cmbClerk, *cmbWarr, *cmbGarant, *cmbType, *cmbPlace, *cmbTime;
    QDateEdit *backDate;
    QLabel *lblDate;
    QCheckBox *chkPrn, *chkExt;
    QPushButton *btnRec, *btnCancel, *btnCheck, *btnFirms, *addDefect, *prnProt;
    class ExternalPanel *pnlExt;

    IntakeResult lastResult() const { return result_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fillLists();
    void refillModels();
    void placeChanged();
    void priorityChanged();
    void warrantyChanged();
    void backDateChanged();
    void applyArticleRules();
    IntakeInput collect() const;
    void focusField(IntakeField field);
    void printProtocol();
    void printServiceCard(const IntakeInput &in);
    void openExternalPanel();
    bool askToAdd(const QString &caption, const QString &text);
    // An unknown value offered for addition; false when declined (the box emptied).
    bool offerNew(QComboBox *box, bool known, const QString &caption, const QString &text,
                  const std::function<void()> &add, const std::function<QStringList()> &list);
    static QString comboText(const QComboBox *box);

    Session &session_;
    OrderIntake intake_;
    bool atClient_;
    QDate today_;
    QList<Technician> technicians_;
    IntakeResult result_;
    IntakeInput saved_;
    int brandIndexOnEnter_ = -1;
    bool shown_ = false;
    QWidget *inputs_ = nullptr;
    QWidget *inputs2_ = nullptr;
};

// The previous repairs of a device, with its print.
class TfrmPrevious : public QDialog {
    Q_OBJECT
public:
    TfrmPrevious(const QStringList &lines, const QString &printFooter, QWidget *parent = nullptr);
    QPlainTextEdit *Memo1;
    QPushButton *btnPrint;

private:
    QString footer_;
};

} // namespace morlenta::orders
