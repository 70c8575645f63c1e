#include "platform/message_prompt.h"

#include "platform/wait_window.h"

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
    if (!wait_)
        wait_ = new TfmMess(parent_);
    wait_->showMessage(text);
}

} // namespace morlenta
