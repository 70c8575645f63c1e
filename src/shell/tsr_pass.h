#pragma once

#include <QDialog>

class QLineEdit;

namespace morlenta::shell {

class Login;

// The login window: name and password, three tries.
class TsrPass : public QDialog {
    Q_OBJECT
public:
    TsrPass(Login &login, QWidget *parent = nullptr);

    QLineEdit *ePotr;
    QLineEdit *ePass;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BitBtn1Click();
    Login &login_;
};

} // namespace morlenta::shell
