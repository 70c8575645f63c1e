#include "shell/login.h"

#include "common/local_settings.h"
#include "common/password.h"
#include "common/prompt.h"
#include "data/database.h"

#include <QSqlQuery>

namespace morlenta::shell {

Login::Login(data::Database &db, Prompt &prompt, LocalSettings &settings)
    : db_(db), prompt_(prompt), settings_(settings)
{
}

QString Login::rememberedName(bool *firstTime)
{
    const bool first = !settings_.contains(QLatin1String(Local::User));
    if (first)
        settings_.setValue(QLatin1String(Local::User), QStringLiteral("Administrator"));
    if (firstTime)
        *firstTime = first;
    return settings_.text(QLatin1String(Local::User));
}

Login::Outcome Login::attempt(const QString &rawName, const QString &rawPassword)
{
    const QString name = rawName.trimmed();
    const QString password = rawPassword.trimmed();
    if (password.isEmpty())
        return Outcome::NeedPassword;
    if (name.isEmpty())
        return Outcome::NeedName;

    QSqlQuery q = db_.exec(QStringLiteral("select id, Name, Nick, Password, preferences from clerks "
                                          "where Active = ? order by id"),
                           {true});
    bool found = false;
    QString stored;
    while (q.next()) {
        // Exact, case-sensitive comparison of both.
        if (q.value(2).toString() != name || !checkPassword(q.value(3).toString(), password))
            continue;
        found = true;
        stored = q.value(3).toString();
        clerk_.id = q.value(0).toInt();
        clerk_.name = q.value(1).toString();
        clerk_.nick = q.value(2).toString();
        clerk_.rights = q.value(4).toString();
        break;
    }
    q.finish();

    if (found) {
        // A password of an older file, kept as typed, is replaced by its hash now.
        if (!isPasswordHash(stored))
            db_.execute(QStringLiteral("update clerks set Password = ? where id = ?"),
                        {hashPassword(password), clerk_.id});
        settings_.setValue(QLatin1String(Local::User), clerk_.nick);
        return Outcome::LoggedIn;
    }
    if (++failures_ >= 3) {
        prompt_.error(QStringLiteral("Сгрешихте 3 пъти. Довиждане"));
        return Outcome::TooManyFailures;
    }
    prompt_.error(QStringLiteral("Грешно име и/или парола. Опитайте пак"));
    return Outcome::Wrong;
}

} // namespace morlenta::shell
