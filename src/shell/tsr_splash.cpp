#include "shell/tsr_splash.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace morlenta::shell {

TsrSplash::TsrSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TsrSplash"));
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Сервизи"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont f = title->font();
    f.setPointSize(f.pointSize() * 2);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    auto *sub = new QLabel(QStringLiteral("Програма за сервизи - зареждане, моля изчакайте ..."), this);
    sub->setAlignment(Qt::AlignCenter);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("pbProgress"));
    bar_->setRange(0, 67);
    bar_->setValue(0);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(sub);
    layout->addStretch();
    layout->addWidget(bar_);
    setStyleSheet(QStringLiteral("#TsrSplash { border: 2px solid palette(dark); }"));
    resize(420, 220);
}

void TsrSplash::advance(int steps)
{
    bar_->setValue(std::min(bar_->maximum(), bar_->value() + steps));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

int TsrSplash::progress() const
{
    return bar_->value();
}

} // namespace morlenta::shell
