#include "orders/order_intake.h"

#include "common/labels.h"
#include "common/money.h"
#include "data/database.h"
#include "data/transaction.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace morlenta::orders {

using data::Database;

QString cashRegisterArticle()
{
    return QStringLiteral("КАСОВ АПАРАТ");
}

bool isCashRegister(const QString &article)
{
    return article == cashRegisterArticle();
}

bool serialCharAllowed(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'-' || (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

bool taxOfficeCharAllowed(QChar c)
{
    // The Cyrillic letters of the Windows-1251 code page: А..я.
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'А' && u <= u'я');
}

QDate returnDateFor(int priority, const QDate &today)
{
    const QDate d = today.addDays(2 - priority);
    return d < today ? today : d;
}

std::optional<IntakeProblem> checkIntake(IntakeInput &in)
{
    for (QString *s :
         {&in.clientName, &in.clientAddress, &in.clientPhones, &in.serial, &in.fiscal, &in.taxAdmin})
        *s = s->trimmed();
    struct Check {
        bool missing;
        IntakeField field;
        const char *message;
    };
    const Check checks[] = {
        {in.clientName.isEmpty(), IntakeField::ClientName, "Трябва да въведете имената на клиента!"},
        {in.clientAddress.isEmpty(), IntakeField::Address, "Трябва да въведете адреса на клиента!"},
        {in.clientPhones.isEmpty(), IntakeField::Phone, "Трябва да въведете телефон на клиента!"},
        {in.article.trimmed().isEmpty(), IntakeField::Article, "Трябва да въведете артикул!"},
        {in.brand.trimmed().isEmpty(), IntakeField::Brand, "Трябва да въведете марка!"},
        {in.model.trimmed().isEmpty(), IntakeField::Model, "Трябва да въведете модела!"},
        {in.serial.isEmpty(), IntakeField::Serial, "Трябва да въведете серийния номер!"},
        {in.fiscalEnabled && in.fiscal.isEmpty(), IntakeField::Fiscal,
         "Трябва да въведете номера на фискалната памет!"},
        {in.fiscalEnabled && in.taxAdmin.isEmpty(), IntakeField::TaxAdmin,
         "Трябва да въведете данъчната служба!"},
    };
    for (const Check &c : checks)
        if (c.missing)
            return IntakeProblem{c.field, QString::fromUtf8(c.message)};
    return std::nullopt;
}

QString timeVisitText(const IntakeInput &in)
{
    if (in.place == 0)
        return QStringLiteral(" ");
    return dateText(in.returnDate) + QStringLiteral(", ") + in.partOfDay;
}

std::optional<qint64> OrderIntake::proposedNumber()
{
    const QVariant max = db_.scalar(QStringLiteral("select max(idPor) from porychka"));
    if (max.isNull())
        return std::nullopt;
    return max.toLongLong() + 1;
}

bool OrderIntake::protocolStartNeeded()
{
    return db_.scalar(QStringLiteral("select max(ProtNo) from protokol_ka")).isNull();
}

QList<Technician> OrderIntake::technicians()
{
    QList<Technician> list;
    QSqlQuery q = db_.exec(
        QStringLiteral("select id, Name from clerks where Active = ? and worker = 0 order by id"), {true});
    while (q.next())
        list.append({q.value(0).toInt(), q.value(1).toString()});
    return list;
}

namespace {

QStringList column(Database &db, const QString &sql, const QVariantList &params = {})
{
    QStringList list;
    QSqlQuery q = db.exec(sql, params);
    while (q.next())
        list << q.value(0).toString();
    return list;
}

bool exists(Database &db, const QString &sql, const QVariantList &params)
{
    return !db.scalar(sql, params).isNull();
}

} // namespace

QStringList OrderIntake::articles()
{
    return column(db_, QStringLiteral("select Art from art order by idArt"));
}

QStringList OrderIntake::brands()
{
    return column(db_, QStringLiteral("select Marka from marka order by idMarka"));
}

QStringList OrderIntake::models(const QString &brand)
{
    const QVariant id = db_.scalar(QStringLiteral("select idMarka from marka where Marka = ?"), {brand});
    if (id.isNull())
        return column(db_, QStringLiteral("select Model from models order by id"));
    return column(db_, QStringLiteral("select Model from models where idMarka = ? order by id"), {id});
}

QStringList OrderIntake::warrantors()
{
    return column(db_, QStringLiteral("select Name from delivers where Garant = ? order by id"), {true});
}

bool OrderIntake::hasArticle(const QString &article)
{
    return exists(db_, QStringLiteral("select idArt from art where Art = ?"), {article});
}

bool OrderIntake::hasBrand(const QString &brand)
{
    return exists(db_, QStringLiteral("select idMarka from marka where Marka = ?"), {brand});
}

bool OrderIntake::hasModel(const QString &model)
{
    return exists(db_, QStringLiteral("select id from models where Model = ?"), {model});
}

void OrderIntake::addArticle(const QString &article)
{
    db_.insert(QStringLiteral("art"), {{QStringLiteral("Art"), article}});
}

void OrderIntake::addBrand(const QString &brand)
{
    db_.insert(QStringLiteral("marka"), {{QStringLiteral("Marka"), brand}});
}

void OrderIntake::addModel(const QString &brand, const QString &model)
{
    // Filed under its brand so that the brand's list offers it next time.
    const QVariant id = db_.scalar(QStringLiteral("select idMarka from marka where Marka = ?"), {brand});
    db_.insert(QStringLiteral("models"), {{QStringLiteral("Model"), model},
                                          {QStringLiteral("idMarka"), id.isNull() ? QVariant(0) : id}});
}

IntakeResult OrderIntake::save(const IntakeInput &in, qint64 protocolStart, const QDate &today,
                               const QTime &now)
{
    IntakeResult result;
    data::inTransaction(db_, [&] {
        result = IntakeResult{};
        const qint64 next = db_.nextNumber(QStringLiteral("porychka"), QStringLiteral("idPor"));
        result.number = in.number;
        if (in.number <= 0 ||
            exists(db_, QStringLiteral("select idPor from porychka where idPor = ?"), {in.number}))
            result.number = next;
        const int clerk = in.sendOn ? 0 : in.clerkId;
        db_.insert(QStringLiteral("porychka"),
                   {
                       {QStringLiteral("idPor"), result.number},
                       {QStringLiteral("PorDate"), today},
                       {QStringLiteral("art"), in.article},
                       {QStringLiteral("marka"), in.brand},
                       {QStringLiteral("model"), in.model},
                       {QStringLiteral("serial"), in.serial},
                       {QStringLiteral("aks"), in.accessories},
                       {QStringLiteral("defect"), in.defect},
                       {QStringLiteral("ready"), false},
                       {QStringLiteral("payed"), false},
                       {QStringLiteral("fiscal"), in.fiscal},
                       {QStringLiteral("idclerk"), clerk},
                       {QStringLiteral("por_note"), in.note},
                       {QStringLiteral("clientnames"), in.clientName},
                       {QStringLiteral("clientadres"), in.clientAddress},
                       {QStringLiteral("clientphones"), in.clientPhones},
                       {QStringLiteral("typeWarr"), in.warrantyBasis},
                       {QStringLiteral("endDate"), in.returnDate},
                       {QStringLiteral("warName"), in.warrantor},
                       {QStringLiteral("codeGet"), QString::fromLatin1(kOrderRepair)},
                       {QStringLiteral("TimeVisit"), timeVisitText(in)},
                       {QStringLiteral("porState"), int(StateRegistered)},
                       {QStringLiteral("Priority"), in.priority},
                   });
        if (!in.fiscal.isEmpty()) {
            const bool first = protocolStartNeeded();
            result.protocolNumber = first && protocolStart > 0 ? protocolStart
                                                               : db_.nextNumber(QStringLiteral("protokol_ka"),
                                                                                QStringLiteral("ProtNo"));
            result.protocolDate = today.addDays(1);
            result.protocolTime = now;
            db_.insert(QStringLiteral("protokol_ka"), {
                                                          {QStringLiteral("idPor"), result.number},
                                                          {QStringLiteral("DateEnd"), result.protocolDate},
                                                          {QStringLiteral("TimeEnd"), now},
                                                          {QStringLiteral("ProtNo"), result.protocolNumber},
                                                          {QStringLiteral("TaxAdmin"), in.taxAdmin},
                                                          {QStringLiteral("closed"), false},
                                                      });
        }
        if (!in.sendOn && in.place == 1) {
            db_.insert(QStringLiteral("homevisit"),
                       {
                           {QStringLiteral("DateVisit"), in.returnDate},
                           {QStringLiteral("Notes"), QString()},
                           {QStringLiteral("ClientName"), in.clientName},
                           {QStringLiteral("ClientAdres"), in.clientAddress},
                           {QStringLiteral("visited"), false},
                           {QStringLiteral("idContract"), 0},
                           {QStringLiteral("idClerk"), clerk},
                           {QStringLiteral("field1"), QString::number(result.number)},
                           {QStringLiteral("AMPM"), in.partOfDay},
                       });
        }
    });
    return result;
}

namespace {

QString shortDate(const QVariant &v)
{
    return v.isNull() ? QString() : dateText(v.toDate());
}

void reportOrder(QStringList &lines, const QSqlRecord &r, const QString &clientLabel, const QString &extra,
                 const QString &rule)
{
    auto s = [&](const char *name) { return r.value(QLatin1String(name)).toString(); };
    lines << QStringLiteral("Поръчка №: ") + s("idPor");
    lines << s("art") + QLatin1Char(' ') + s("marka") + QLatin1Char(' ') + s("Model") +
                 QStringLiteral("; сер. номер ") + s("serial");
    lines << QStringLiteral("Приета: ") + shortDate(r.value(QStringLiteral("porDate"))) +
                 QStringLiteral("; Готова: ") + shortDate(r.value(QStringLiteral("readyDate"))) +
                 QStringLiteral("; Издадена: ") + shortDate(r.value(QStringLiteral("payDate")));
    const QVariant defect = r.value(QStringLiteral("Defect"));
    lines << (defect.isNull() ? QStringLiteral("Дефект: не е описан")
                              : QStringLiteral("Дефект: ") + defect.toString());
    lines << clientLabel + s("clientNames");
    const QVariant typeWarr = r.value(QStringLiteral("typeWarr"));
    const QVariant warName = r.value(QStringLiteral("WarName"));
    if (!typeWarr.isNull()) {
        switch (typeWarr.toInt()) {
        case WarrPaid: lines << QStringLiteral("Негаранционен ремонт"); break;
        case WarrOwn: lines << QStringLiteral("Собствена гаранция"); break;
        case WarrGiver:
            lines << (warName.isNull() ? QStringLiteral("Външна гаранция")
                                       : QStringLiteral("Гаранция към ") + warName.toString());
            break;
        default: break;
        }
    }
    const QString state = orderStateLine(r.value(QStringLiteral("porState")));
    if (!state.isEmpty())
        lines << state;
    if (!extra.isEmpty())
        lines << extra;
    lines << rule;
}

} // namespace

QStringList previousRepairs(Database &db, const QString &article, const QString &brand, const QString &model,
                            const QString &serial)
{
    const QString title = QStringLiteral("Предишни ремонти на ") + article + QLatin1Char(' ') + brand +
                          QLatin1Char(' ') + model + QStringLiteral("; сер. номер ") + serial;
    const QString rule(title.size(), QLatin1Char('='));
    QStringList lines{title, rule};
    QSqlQuery q =
        db.exec(QStringLiteral("select * from porychka where art = ? and marka = ? and model = ? and "
                               "serial = ? order by idPor"),
                {article, brand, model, serial});
    while (q.next())
        reportOrder(lines, q.record(), QStringLiteral("Клиент: "), QString(), rule);
    QSqlQuery r =
        db.exec(QStringLiteral("select idPor, oldSN, newSN from replaceSN where oldSN = ? or newSN = ? "
                               "order by id"),
                {serial, serial});
    while (r.next()) {
        QSqlQuery o = db.exec(QStringLiteral("select * from porychka where idPor = ?"), {r.value(0)});
        if (!o.next())
            continue;
        reportOrder(lines, o.record(), QStringLiteral("Клиент :"),
                    QStringLiteral("Стар сериeн номер: ") + r.value(1).toString() +
                        QStringLiteral("; нов сериен номер: ") + r.value(2).toString(),
                    rule);
    }
    return lines;
}

} // namespace morlenta::orders
