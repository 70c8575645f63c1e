#pragma once

#include <QDialog>

class QPushButton;

namespace morlenta {
struct Session;
class DataGrid;
} // namespace morlenta

namespace morlenta::finance {

// Every stored day with its rates, the latest first. A day without rates can
// be entered here; stored rates are never changed.
class TsrCourse : public QDialog {
    Q_OBJECT
public:
    explicit TsrCourse(Session &session, QWidget *parent = nullptr);

    void reload();

    DataGrid *grCourse;
    QPushButton *btnNew, *btnExit;

private:
    void btnNewClick();
    Session &session_;
};

} // namespace morlenta::finance
