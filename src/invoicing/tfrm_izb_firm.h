#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace morlenta {
struct Session;
}

namespace morlenta::invoicing {

// Picks one client firm by name.
class TfrmIzbFirm : public QDialog {
    Q_OBJECT
public:
    // `preset`: a name to select when it is a firm's.
    TfrmIzbFirm(Session &session, const QString &preset, QWidget *parent = nullptr);

    // The chosen firm's id, 0 when none.
    int chosenId() const;

    QComboBox *listFirms;
    QPushButton *BitBtn1; // OK
    QPushButton *BitBtn2; // cancel

private:
    void BitBtn1Click();
};

} // namespace morlenta::invoicing
