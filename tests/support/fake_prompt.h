#pragma once

// A Prompt for tests: records every message and answers questions from a
// script, in order. A question nobody expected fails the test.

#include "common/prompt.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace morlenta::test {

struct PromptRecord {
    QString caption;
    QString text;
    PromptIcon icon;
    bool question;
};

class FakePrompt final : public Prompt {
public:
    ~FakePrompt() override;

    // The next question must contain `textPart` (empty: any text) and gets `answer`.
    void expectQuestion(const QString &textPart, PromptAnswer answer);

    void show(const QString &caption, const QString &text, PromptIcon icon) override;
    PromptAnswer ask(const QString &caption, const QString &text, PromptIcon icon,
                     PromptButtons buttons) override;
    void waitMessage(const QString &text) override;

    const QList<PromptRecord> &records() const { return records_; }
    QStringList texts() const;
    // Every wait message shown, in order.
    const QStringList &waits() const { return waits_; }
    bool waitShown() const { return waitVisible_; }

private:
    struct Expected {
        QString textPart;
        PromptAnswer answer;
    };
    QList<Expected> script_;
    QList<PromptRecord> records_;
    QStringList waits_;
    bool waitVisible_ = false;
};

} // namespace morlenta::test
