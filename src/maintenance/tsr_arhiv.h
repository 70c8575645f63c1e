#pragma once

#include "maintenance/archive_actions.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace morlenta::maintenance {

// The archive window: a progress bar and the file being packed, with the
// file dialogs the archive commands need.
class TsrArhiv : public QDialog {
    Q_OBJECT
public:
    explicit TsrArhiv(const QString &caption, QWidget *parent = nullptr);
    // The dialogs and the progress display for ArchiveActions.
    ArchiveUi ui();

    QProgressBar *ProgressBar1;
    QLabel *Label1;
};

} // namespace morlenta::maintenance
