#pragma once

// Messages and questions to the user. The program shows them as message
// boxes; tests answer them from a script. Logic never talks to widgets.

#include <QString>

namespace morlenta {

enum class PromptIcon { Information, Warning, Error, Question };
enum class PromptButtons { Ok, YesNo, OkCancel, RetryCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

class Prompt {
public:
    virtual ~Prompt() = default;

    // A message with an OK button.
    virtual void show(const QString &caption, const QString &text, PromptIcon icon) = 0;
    // A question; returns the button pressed.
    virtual PromptAnswer ask(const QString &caption, const QString &text, PromptIcon icon,
                             PromptButtons buttons) = 0;
    // The wait message shown during long work; an empty text hides it.
    virtual void waitMessage(const QString &text) = 0;

    // The captions every window uses.
    static QString messageCaption(); // "Съобщение"
    static QString errorCaption();   // "Грешка"
    static QString warningCaption(); // "Внимание"

    void info(const QString &text);
    void warning(const QString &text);
    void error(const QString &text);
    // A Yes/No question with the caption "Съобщение"; true for Yes.
    bool yesNo(const QString &text, const QString &caption = messageCaption());
};

// Shows a wait message for as long as it lives.
class WaitMessage {
public:
    WaitMessage(Prompt &prompt, const QString &text) : prompt_(prompt) { prompt_.waitMessage(text); }
    ~WaitMessage() { prompt_.waitMessage(QString()); }
    WaitMessage(const WaitMessage &) = delete;
    WaitMessage &operator=(const WaitMessage &) = delete;

private:
    Prompt &prompt_;
};

} // namespace morlenta
