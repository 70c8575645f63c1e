#pragma once

#include "orders/external_dispatch.h"

#include <QFrame>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace morlenta {
class Prompt;
}

namespace morlenta::orders {

// The panel over a window where the external service of a dispatch is named.
class ExternalPanel : public QFrame {
    Q_OBJECT
public:
    ExternalPanel(data::Database &db, QWidget *parent);

    // Shows the panel centred over its window with the target's rules.
    void open(const DispatchTarget &target);
    // What the user chose, with the editing rule of the opened target.
    DispatchTarget target() const;
    void centre();
    // Records the dispatch of the order to the chosen service; false (the
    // message shown) when the name is missing or the database refused it.
    bool record(Prompt &prompt, qint64 idPor, const QDate &today);

    QComboBox *cmbExtName;
    QLineEdit *eExtAdres;
    QPushButton *bRecExp;
    QPushButton *bCancel;

private:
    data::Database &db_;
    bool editable_ = true;
};

} // namespace morlenta::orders
