#pragma once

// TfmMess: the wait message, one line of text in a small frameless window
// above the application while a long load runs.

#include <QWidget>

class QLabel;

namespace morlenta {

class TfmMess final : public QWidget {
    Q_OBJECT
public:
    explicit TfmMess(QWidget *parent = nullptr);
    QString text() const;
    // Shows the text centred over the parent and paints it at once, before the work starts.
    void showMessage(const QString &text);

private:
    QLabel *lblMess_;
};

} // namespace morlenta
