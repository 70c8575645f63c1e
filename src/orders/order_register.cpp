#include "orders/order_register.h"

#include "common/labels.h"
#include "common/money.h"
#include "common/prompt.h"
#include "data/database.h"
#include "data/transaction.h"

#include <QSqlQuery>

namespace morlenta::orders {

QString RegisterQuery::sql() const
{
    QString s = QStringLiteral("select * from porychka");
    if (!condition.isEmpty())
        s += QStringLiteral("\nwhere ") + condition;
    return s;
}

namespace {

struct PeriodTexts {
    const char *column, *between, *until, *after;
};

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

std::optional<RegisterQuery> readyListQuery(ReadyList list, const QDate &from, const QDate &to,
                                            const QDate &today, Prompt &prompt)
{
    switch (list) {
    case ReadyList::Open:
        return RegisterQuery{
            QStringLiteral("ready = false"), {}, QStringLiteral("Неотчетени (неизпълнени) ремонти")};
    case ReadyList::Overdue:
        return RegisterQuery{QStringLiteral("ready = false and EndDate <= ?"),
                             {today},
                             QStringLiteral("Всички неотчетени поръчки с изтекъл срок на ремонт")};
    case ReadyList::ReadyUnpaid:
        return RegisterQuery{QStringLiteral("ready = true and payed = false"),
                             {},
                             QStringLiteral("Всички готови, но непредадени поръчки")};
    default: break;
    }
    static const PeriodTexts kTexts[] = {
        {"PorDate", "Приети уреди през периода ", "Приети уреди до дата ", "Приети уреди след "},
        {"readyDate", "Извършени ремонти през периода ", "Извършени ремонти до дата ",
         "Извършени ремонти след "},
        {"payDate", "Платени ремонти през периода ", "Платени ремонти до дата ", "Платени ремонти след "},
    };
    const PeriodTexts &t = kTexts[list == ReadyList::TakenIn ? 0 : list == ReadyList::Finished ? 1 : 2];
    const QString column = QLatin1String(t.column);
    if (from.isValid() && to.isValid())
        return RegisterQuery{column + QStringLiteral(" >= ? and ") + column + QStringLiteral(" <= ?"),
                             {from, to},
                             QString::fromUtf8(t.between) + dateText(from) + QStringLiteral(" - ") +
                                 dateText(to)};
    if (to.isValid())
        return RegisterQuery{
            column + QStringLiteral(" <= ?"), {to}, QString::fromUtf8(t.until) + dateText(to)};
    if (from.isValid())
        return RegisterQuery{
            column + QStringLiteral(" >= ?"), {from}, QString::fromUtf8(t.after) + dateText(from)};
    if (!prompt.yesNo(QStringLiteral("Не сте задали дати за търсене - ще бъдат показани\nвсички ремонти от "
                                     "началото на ползване на програмата\n\nЖелаете ли да продължите?")))
        return std::nullopt;
    return RegisterQuery{};
}

QString leftSuffix()
{
    return QStringLiteral(" - напуснал");
}

QList<RegisterTechnician> registerTechnicians(data::Database &db)
{
    QList<RegisterTechnician> list;
    QSqlQuery q = db.exec(QStringLiteral("select id, Name, Active from clerks where worker = 0 order by id"));
    while (q.next()) {
        QString name = q.value(1).toString();
        if (!q.value(2).toBool())
            name += leftSuffix();
        list.append({q.value(0).toInt(), name});
    }
    return list;
}

std::optional<RegisterQuery> criteriaQuery(data::Database &db, RegisterCriteria c, Prompt &prompt)
{
    for (QString *s : {&c.number, &c.clientName, &c.address, &c.phone, &c.model, &c.serial, &c.externalOrder})
        *s = s->trimmed();
    RegisterQuery q;
    if (!c.number.isEmpty()) {
        bool ok = false;
        const qint64 number = c.number.toLongLong(&ok);
        // A number box holding something else finds nothing rather than failing.
        q.condition = QStringLiteral("idPor = ?");
        q.params = {ok ? QVariant(number) : QVariant(qint64(-1))};
        q.description = QStringLiteral("Номер на поръчка: ") + c.number;
        return q;
    }
    QStringList conditions, descriptions;
    auto add = [&](const QString &condition, const QVariantList &params, const QString &description) {
        conditions << condition;
        q.params += params;
        descriptions << description;
    };
    auto contains = [&](const QString &text, const char *column, const char *label) {
        if (text.size() < kMinSearchText)
            return;
        const data::SqlCondition cond =
            db.containsCondition(QStringLiteral("porychka"), QLatin1String(column), text);
        add(cond.sql, cond.params, QString::fromUtf8(label) + quoted(text));
    };
    contains(c.clientName, "ClientNames", "Kлиент съдържа ");
    contains(c.address, "ClientAdres", "Адрес съдържа ");
    contains(c.phone, "ClientPhones", "Телефон съдържа ");
    if (!c.article.isEmpty())
        add(QStringLiteral("art = ?"), {c.article}, QStringLiteral("Артикул = ") + quoted(c.article));
    if (!c.brand.isEmpty())
        add(QStringLiteral("marka = ?"), {c.brand}, QStringLiteral("Марка = ") + quoted(c.brand));
    contains(c.model, "model", "Модел съдържа ");
    contains(c.serial, "serial", "Сериен номер съдържа ");
    if (c.technicianId > 0)
        add(QStringLiteral("idClerk = ?"), {c.technicianId}, QStringLiteral("Техник: ") + c.technicianListed);
    if (c.warrantyIndex >= 1)
        add(QStringLiteral("typeWarr = ?"), {c.warrantyIndex - 1},
            QStringLiteral("Гаранция: ") + c.warrantyText);
    contains(c.externalOrder, "fiscal", "Външна поръчка съдържа ");
    if (c.from.isValid())
        add(QStringLiteral("PorDate >= ?"), {c.from}, QStringLiteral("след дата ") + dateText(c.from));
    if (c.to.isValid())
        add(QStringLiteral("PorDate <= ?"), {c.to}, QStringLiteral("преди дата ") + dateText(c.to));
    if (conditions.isEmpty()) {
        prompt.show(Prompt::messageCaption(), QStringLiteral("Не сте задали критерий за търсене!"),
                    PromptIcon::Warning);
        return std::nullopt;
    }
    q.condition = conditions.join(QStringLiteral(" and "));
    q.description = descriptions.join(QStringLiteral(" и "));
    return q;
}

OrderCommands orderCommands(bool ready, bool payed, int porState, const QString &codeGet)
{
    const bool field =
        codeGet == QLatin1String(kOrderMaintenance) || codeGet == QLatin1String(kOrderMounting);
    OrderCommands c;
    c.complete = !ready;
    c.readyCard = ready;
    c.waitParts = porState == StateRegistered;
    c.pay = ready && !payed;
    c.sendOut = !ready && !field;
    c.noteEditable = !ready && !field;
    return c;
}

QString waitingNote(const QString &note, const QString &user, const QDate &today)
{
    QString text = note.trimmed();
    if (!text.isEmpty())
        text += QStringLiteral("\r\n");
    return text + QStringLiteral("Чака части, ") + dateText(today) + QStringLiteral(" - ") + user;
}

void markWaitingForParts(data::Database &db, qint64 idPor, const QString &user, const QDate &today)
{
    data::inTransaction(db, [&] {
        const QString note =
            db.scalar(QStringLiteral("select por_note from porychka where idPor = ?"), {idPor}).toString();
        db.execute(QStringLiteral("update porychka set por_note = ?, porState = ? where idPor = ?"),
                   {waitingNote(note, user, today), int(StateWaitingParts), idPor});
    });
}

QList<ExternalRow> externalRows(data::Database &db, qint64 idPor)
{
    QList<ExternalRow> rows;
    QSqlQuery q = db.exec(
        QStringLiteral(
            "select Contragent, DateSend, DateBack, success from externals where idPor = ? order by id"),
        {idPor});
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toDate(), q.value(2).toDate(), q.value(3).toBool()});
    return rows;
}

QList<RegisterPart> registerParts(data::Database &db, qint64 idPor)
{
    QList<RegisterPart> rows;
    QSqlQuery q =
        db.exec(QStringLiteral("select p.Part, m.Marka, t.Type, pp.amnt, pp.priceLV from PartsInPor pp "
                               "left join parts p on p.id = pp.idPart "
                               "left join partMarka m on m.id = p.idMarka "
                               "left join typeparts t on t.id = p.TypeID "
                               "where pp.idPor = ? order by pp.id"),
                {idPor});
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toInt(),
                     q.value(4).toDouble()});
    return rows;
}

QHash<int, QString> clerkNames(data::Database &db)
{
    QHash<int, QString> names;
    QSqlQuery q = db.exec(QStringLiteral("select id, Name from clerks"));
    while (q.next())
        names.insert(q.value(0).toInt(), q.value(1).toString());
    return names;
}

QSet<qint64> ordersSentOut(data::Database &db)
{
    QSet<qint64> ids;
    QSqlQuery q = db.exec(QStringLiteral("select distinct idPor from externals"));
    while (q.next())
        ids.insert(q.value(0).toLongLong());
    return ids;
}

void saveOrderNote(data::Database &db, qint64 idPor, const QString &note)
{
    db.execute(QStringLiteral("update porychka set por_note = ? where idPor = ?"), {note, idPor});
}

void correctPeriod(QDate &from, QDate &to, bool fromChanged, const QDate &today)
{
    if (fromChanged) {
        if (from.isValid() && from > today)
            from = today;
        if (from.isValid() && to.isValid() && to < from)
            to = from;
    } else {
        if (to.isValid() && to > today)
            to = today;
        if (from.isValid() && to.isValid() && from > to)
            from = to;
    }
}

} // namespace morlenta::orders
