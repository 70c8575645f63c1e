#pragma once

#include <QWidget>

class QProgressBar;

namespace morlenta::shell {

// The splash window shown while the program starts.
class TsrSplash : public QWidget {
    Q_OBJECT
public:
    explicit TsrSplash(QWidget *parent = nullptr);
    void advance(int steps = 1);
    int progress() const;

private:
    QProgressBar *bar_;
};

} // namespace morlenta::shell
