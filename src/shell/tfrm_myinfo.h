#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace morlenta {
class Prompt;
namespace data {
class Database;
}
} // namespace morlenta

namespace morlenta::shell {

// The shop's own firm data. With the cancel button disabled (first start)
// it can be left only by a successful record.
class TfrmMyInfo : public QDialog {
    Q_OBJECT
public:
    TfrmMyInfo(data::Database &db, Prompt &prompt, QWidget *parent = nullptr);
    void setCancelEnabled(bool enabled);

    QLineEdit *eName, *eNDR, *eBul, *eAdres, *eMol, *eServName, *eServAdres, *eServPhones;
    QPushButton *btnRec, *btnCancel;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void btnRecClick();
    data::Database &db_;
    Prompt &prompt_;
};

} // namespace morlenta::shell
