#pragma once

// The device articles and device brands offered at order intake: two
// editable lists side by side. A cell is written when its edit is committed.

#include "stock/name_list.h"

#include <QDialog>
#include <QTableWidget>

class QPushButton;

namespace morlenta::stock {

// One editable list of names; a new row stays empty until a name is typed.
class NameListTable : public QTableWidget {
    Q_OBJECT
public:
    NameListTable(data::Database &db, Prompt &prompt, NameListKind kind, const QString &caption,
                  QWidget *parent = nullptr);
    void reload();
    // An empty row at the end, being edited.
    void appendRow();
    // Edits committed from now on are dropped (the window is closing).
    void discardEdits() { discard_ = true; }

private:
    void committed(QTableWidgetItem *item);

    NameList list_;
    bool loading_ = false;
    bool discard_ = false;
};

class TfrmArtsMarks : public QDialog {
    Q_OBJECT
public:
    TfrmArtsMarks(data::Database &db, Prompt &prompt, QWidget *parent = nullptr);

    NameListTable *dtArt, *dtMarka;
    QPushButton *btnNewArt, *btnNewMarka, *btnExit;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
};

} // namespace morlenta::stock
