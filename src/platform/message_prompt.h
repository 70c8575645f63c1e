#pragma once

// Prompt shown as message boxes, with the wait message as a small window.

#include "common/prompt.h"

#include <QPointer>

class QWidget;

namespace morlenta {

class TfmMess;

class MessagePrompt final : public Prompt {
public:
    explicit MessagePrompt(QWidget *parent = nullptr) : parent_(parent) {}
    ~MessagePrompt() override;
    void setParent(QWidget *parent) { parent_ = parent; }

    void show(const QString &caption, const QString &text, PromptIcon icon) override;
    PromptAnswer ask(const QString &caption, const QString &text, PromptIcon icon,
                     PromptButtons buttons) override;
    void waitMessage(const QString &text) override;

private:
    QPointer<QWidget> parent_;
    QPointer<TfmMess> wait_;
};

} // namespace morlenta
