#include "support/fake_prompt.h"

#include <gtest/gtest.h>

namespace morlenta::test {

FakePrompt::~FakePrompt()
{
    for (const Expected &e : script_)
        ADD_FAILURE() << "expected question never asked: " << e.textPart.toStdString();
}

void FakePrompt::expectQuestion(const QString &textPart, PromptAnswer answer)
{
    script_.append({textPart, answer});
}

void FakePrompt::show(const QString &caption, const QString &text, PromptIcon icon)
{
    records_.append({caption, text, icon, false});
}

PromptAnswer FakePrompt::ask(const QString &caption, const QString &text, PromptIcon icon, PromptButtons)
{
    records_.append({caption, text, icon, true});
    if (script_.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return PromptAnswer::Cancel;
    }
    const Expected e = script_.takeFirst();
    EXPECT_TRUE(text.contains(e.textPart))
        << "question \"" << text.toStdString() << "\" instead of \"" << e.textPart.toStdString() << "\"";
    return e.answer;
}

void FakePrompt::waitMessage(const QString &text)
{
    waitVisible_ = !text.isEmpty();
    if (waitVisible_)
        waits_ << text;
}

QStringList FakePrompt::texts() const
{
    QStringList out;
    for (const PromptRecord &r : records_)
        out << r.text;
    return out;
}

} // namespace morlenta::test
