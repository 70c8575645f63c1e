#pragma once

#include <QDialog>

class QPushButton;

namespace morlenta {
struct Session;
class DataGrid;
} // namespace morlenta

namespace morlenta::staff {

// Every clerk with pay, percent, kind and status; new clerks and changes go
// through the clerk window. Nobody is deleted.
class TsrClerks : public QDialog {
    Q_OBJECT
public:
    explicit TsrClerks(Session &session, QWidget *parent = nullptr);

    void reload();
    // The window of a new clerk or of the current one; the id stored, 0 when cancelled.
    int brnInsClick();
    int btnEditClick();

    DataGrid *grNames;
    QPushButton *brnIns, *btnEdit, *btnExit;

private:
    int openClerk(bool isNew);
    Session &session_;
};

} // namespace morlenta::staff
