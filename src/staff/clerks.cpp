#include "staff/clerks.h"

#include "common/password.h"
#include "common/prompt.h"
#include "common/rights.h"
#include "data/database.h"
#include "data/transaction.h"

#include <QSqlQuery>

namespace morlenta::staff {

QString clerkStatusText(bool active)
{
    return active ? QStringLiteral("Работещ") : QStringLiteral("Напуснал");
}

QString clerkKindText(const QVariant &worker)
{
    if (worker.isNull())
        return {};
    return worker.toInt() == KindEmployee ? QStringLiteral("Служител") : QStringLiteral("Техник");
}

Clerk newClerk()
{
    Clerk c;
    c.active = true;
    c.nivo = 2;
    c.rights = newClerkRights();
    return c;
}

std::optional<Clerk> loadClerk(data::Database &db, int id)
{
    QSqlQuery q = db.exec(QStringLiteral("select id, Name, Info, Nick, Pay, Percent, Active, Nivo, worker, "
                                         "preferences from clerks where id = ?"),
                          {id});
    if (!q.next())
        return std::nullopt;
    Clerk c;
    c.id = q.value(0).toInt();
    c.name = q.value(1).toString();
    c.info = q.value(2).toString();
    c.nick = q.value(3).toString();
    c.pay = q.value(4).toDouble();
    c.percent = q.value(5).toInt();
    c.active = q.value(6).toBool();
    c.nivo = q.value(7).toInt();
    c.worker = q.value(8).toInt();
    c.rights = q.value(9).toString();
    return c;
}

QString ClerkStore::duplicateText()
{
    return QStringLiteral("Служител с такова име вече е въведен!");
}

QString ClerkStore::emptyNameText()
{
    return QStringLiteral("Моля въведете име на служителя!");
}

bool ClerkStore::save(Clerk &clerk, const QString &typedPassword)
{
    clerk.name = clerk.name.trimmed();
    clerk.nick = clerk.nick.trimmed();
    const QString password = typedPassword.trimmed();
    if (clerk.name.isEmpty()) {
        prompt_.error(emptyNameText());
        return false;
    }
    if (clerk.worker == KindEmployee)
        clerk.percent = 0;
    if (clerk.id == kAdministratorId) {
        if (const auto stored = loadClerk(db_, kAdministratorId)) {
            clerk.active = stored->active;
            clerk.worker = stored->worker;
            clerk.nivo = stored->nivo;
            clerk.rights = stored->rights;
            if (clerk.worker == KindEmployee)
                clerk.percent = 0;
        }
    }
    // Hashing takes a moment: before the transaction.
    const QString hash = password.isEmpty() ? QString() : hashPassword(password);

    bool taken = false;
    try {
        data::Transaction tx(db_);
        taken = db_.scalar(QStringLiteral("select count(*) from clerks where Name = ? and id <> ?"),
                           {clerk.name, clerk.id})
                    .toInt() > 0;
        if (!taken) {
            data::Row row{{QStringLiteral("Name"), clerk.name},
                          {QStringLiteral("Info"), clerk.info},
                          {QStringLiteral("Nick"), clerk.nick},
                          {QStringLiteral("Pay"), clerk.pay},
                          {QStringLiteral("Percent"), clerk.percent},
                          {QStringLiteral("Active"), clerk.active},
                          {QStringLiteral("Nivo"), clerk.nivo},
                          {QStringLiteral("worker"), clerk.worker},
                          {QStringLiteral("preferences"), clerk.rights.left(kRightsColumnLength)}};
            if (clerk.id == 0) {
                row.append({QStringLiteral("Password"), hash});
                clerk.id = int(db_.insert(QStringLiteral("clerks"), row));
            } else {
                QStringList sets;
                QVariantList values;
                if (!hash.isEmpty())
                    row.append({QStringLiteral("Password"), hash});
                for (const auto &[column, value] : row) {
                    sets << column + QStringLiteral(" = ?");
                    values << value;
                }
                values << clerk.id;
                db_.execute(QStringLiteral("update clerks set ") + sets.join(QStringLiteral(", ")) +
                                QStringLiteral(" where id = ?"),
                            values);
            }
            tx.commit();
        }
    } catch (const data::DbError &e) {
        // Another computer stored the same name in the meantime.
        if (!e.isUniqueViolation())
            throw;
        taken = true;
    }
    if (taken) {
        prompt_.error(duplicateText());
        return false;
    }
    return true;
}

} // namespace morlenta::staff
