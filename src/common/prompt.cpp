#include "common/prompt.h"

namespace morlenta {

QString Prompt::messageCaption()
{
    return QStringLiteral("Съобщение");
}
QString Prompt::errorCaption()
{
    return QStringLiteral("Грешка");
}
QString Prompt::warningCaption()
{
    return QStringLiteral("Внимание");
}

void Prompt::info(const QString &text)
{
    show(messageCaption(), text, PromptIcon::Information);
}
void Prompt::warning(const QString &text)
{
    show(messageCaption(), text, PromptIcon::Warning);
}
void Prompt::error(const QString &text)
{
    show(errorCaption(), text, PromptIcon::Error);
}

bool Prompt::yesNo(const QString &text, const QString &caption)
{
    return ask(caption, text, PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes;
}

} // namespace morlenta
