#pragma once

// The start number of a numbering that has no number yet (the first order,
// the first protocol): digits only, and it cannot be left without one.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace morlenta {

class Prompt;

class TfmStartNo final : public QDialog {
    Q_OBJECT
public:
    TfmStartNo(Prompt &prompt, const QString &question, QWidget *parent = nullptr);
    // The number typed; -1 while there is none.
    qint64 number() const;

    // Shows the dialog until a number is given and returns it.
    static qint64 ask(QWidget *parent, Prompt &prompt, const QString &question);

public Q_SLOTS:
    void accept() override;
    // Escape and the close button do not leave the dialog without a number.
    void reject() override;

private:
    Prompt &prompt_;
    QLabel *lblQuestion_;
    QLineEdit *eNumber_;
    QPushButton *btnOk_;
};

} // namespace morlenta
