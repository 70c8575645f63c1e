#pragma once

// Serial numbers in stock, grouped by type and article, with a search.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QAction;

namespace morlenta {
struct Session;
class DataGrid;
} // namespace morlenta

namespace morlenta::stock {

class TfrmNalSN : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNalSN(Session &session, QWidget *parent = nullptr);

    DataGrid *grid;
    QLineEdit *eSearch;
    QPushButton *Button1;
    QAction *TBItem1, *N1, *N2, *N4, *N5;

    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void load(const QString &text);
    Session &session_;
};

} // namespace morlenta::stock
