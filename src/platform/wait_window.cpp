#include "platform/wait_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>

namespace morlenta {

TfmMess::TfmMess(QWidget *parent) : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TfmMess"));
    setWindowModality(Qt::ApplicationModal);
    auto *layout = new QHBoxLayout(this);
    lblMess_ = new QLabel(this);
    lblMess_->setObjectName(QStringLiteral("lblMess"));
    lblMess_->setMargin(16);
    layout->addWidget(lblMess_);
    setStyleSheet(QStringLiteral("#TfmMess { border: 1px solid palette(dark); }"));
}

QString TfmMess::text() const
{
    return lblMess_->text();
}

void TfmMess::showMessage(const QString &text)
{
    lblMess_->setText(text);
    adjustSize();
    const QRect area = parentWidget() && parentWidget()->isVisible()
                           ? QRect(parentWidget()->mapToGlobal(QPoint(0, 0)), parentWidget()->size())
                           : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid())
        move(area.center() - rect().center());
    show();
    raise();
    // Paint now: the caller is about to keep the event loop busy.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace morlenta
