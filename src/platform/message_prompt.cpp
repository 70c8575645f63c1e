#include "platform/message_prompt.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>

namespace morlenta {

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessagePrompt::~MessagePrompt()
{
    delete wait_.data();
}

void MessagePrompt::show(const QString &caption, const QString &text, PromptIcon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, parent_);
    box.exec();
}

PromptAnswer MessagePrompt::ask(const QString &caption, const QString &text, PromptIcon icon,
                                PromptButtons buttons)
{
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case PromptButtons::Ok: set = QMessageBox::Ok; break;
    case PromptButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case PromptButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case PromptButtons::RetryCancel: set = QMessageBox::Retry | QMessageBox::Cancel; break;
    }
    QMessageBox box(boxIcon(icon), caption, text, set, parent_);
    switch (box.exec()) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Retry: return PromptAnswer::Retry;
    default: return PromptAnswer::Cancel;
    }
}

void MessagePrompt::waitMessage(const QString &text)
{
    if (text.isEmpty()) {
        if (wait_)
            wait_->hide();
        return;
    }
    if (!wait_) {
        // TfmMess: one line of text in a frameless box above the window.
        auto *w = new QWidget(parent_, Qt::Dialog | Qt::FramelessWindowHint);
        w->setObjectName(QStringLiteral("TfmMess"));
        w->setWindowModality(Qt::ApplicationModal);
        auto *layout = new QHBoxLayout(w);
        waitLabel_ = new QLabel(w);
        waitLabel_->setObjectName(QStringLiteral("lblMess"));
        waitLabel_->setMargin(16);
        layout->addWidget(waitLabel_);
        w->setStyleSheet(QStringLiteral("#TfmMess { border: 1px solid palette(dark); }"));
        wait_ = w;
    }
    waitLabel_->setText(text);
    wait_->adjustSize();
    wait_->show();
    wait_->raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace morlenta
