#pragma once

// The login's rules: only active clerks, exact name and password, three
// tries. The window only collects the two fields.

#include <QString>

namespace morlenta {
class Prompt;
class LocalSettings;
namespace data {
class Database;
}
} // namespace morlenta

namespace morlenta::shell {

struct LoggedInClerk {
    int id = 0;
    QString name;
    QString nick;
    QString rights;
};

class Login {
public:
    enum class Outcome { NeedPassword, NeedName, Wrong, TooManyFailures, LoggedIn };

    Login(data::Database &db, Prompt &prompt, LocalSettings &settings);

    // The name to show when the window opens; true in `firstTime` when this
    // computer never logged in (the help topic on logging in is shown then).
    QString rememberedName(bool *firstTime);

    // The fields are trimmed here. NeedPassword / NeedName: focus that field
    // and try again; Wrong: the message was shown, try again;
    // TooManyFailures: the third wrong try, the program ends.
    Outcome attempt(const QString &name, const QString &password);

    const LoggedInClerk &clerk() const { return clerk_; }
    int failures() const { return failures_; }

private:
    data::Database &db_;
    Prompt &prompt_;
    LocalSettings &settings_;
    LoggedInClerk clerk_;
    int failures_ = 0;
};

} // namespace morlenta::shell
