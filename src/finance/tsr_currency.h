#pragma once

#include <QDate>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace morlenta {
class Prompt;
namespace data {
class Database;
}
} // namespace morlenta

namespace morlenta::finance {

// The rates of one day that has none yet, proposed from the last stored day.
// It is left only by saving (both rates above 0) or by giving up.
class TsrCurrency : public QDialog {
    Q_OBJECT
public:
    TsrCurrency(data::Database &db, Prompt &prompt, const QDate &day, QWidget *parent = nullptr);

    // Opens the window for the day; true when the rates were saved.
    static bool enter(data::Database &db, Prompt &prompt, const QDate &day, QWidget *parent);

    QLabel *stDate;
    QLineEdit *DBEdit1; // USD
    QLineEdit *DBEdit2; // EUR
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void closeEvent(class QCloseEvent *event) override;
    void reject() override;

private:
    void save();
    data::Database &db_;
    Prompt &prompt_;
    QDate day_;
    bool done_ = false;
};

} // namespace morlenta::finance
