#include "documents/document_values.h"

#include "common/money.h"
#include "data/database.h"

#include <QSqlQuery>

namespace morlenta::documents {

namespace {

QString text(const QVariant &v)
{
    return v.isNull() ? QString() : v.toString();
}

QString dateOf(const QVariant &v)
{
    return v.isNull() ? QString() : dateText(v.toDate());
}

double amount(const QVariant &v)
{
    return v.isNull() ? 0.0 : v.toDouble();
}

QString ured(const QVariant &art, const QVariant &marka, const QVariant &model)
{
    return text(art) + QLatin1Char(' ') + text(marka) + QLatin1Char(' ') + text(model);
}

QString fiscalText(const QString &fiscal)
{
    return fiscal.trimmed().isEmpty() ? QString() : QStringLiteral("Фискална памет ") + fiscal;
}

QString serviceName(const ShopData &shop, bool matrix)
{
    return matrix ? doubleWidth(shop.serviceName) : shop.serviceName;
}

void add(Placeholders &list, const char *key, const QString &value, bool whole = false)
{
    list.append({QString::fromLatin1(key), value, whole});
}

void addShop(Placeholders &list, const ShopData &shop, bool matrix)
{
    add(list, "%servicename%", serviceName(shop, matrix));
    add(list, "%serviceaddress%", shop.serviceAddress);
    add(list, "%servicephone%", shop.servicePhones);
}

const VisitRow *openVisit(const OrderData &order)
{
    for (const VisitRow &v : order.visits)
        if (!v.visited)
            return &v;
    return nullptr;
}

QString padded(const QString &s, int width)
{
    return s.left(width).leftJustified(width, QLatin1Char(' '));
}

} // namespace

QString doubleWidth(const QString &name)
{
    return QChar(14) + name + QChar(20);
}

ShopData loadShopData(data::Database &db)
{
    ShopData shop;
    QSqlQuery q = db.exec(QStringLiteral("select ServiceName, ServiceAddress, ServicePhones, Name, Adres from myinfo "
                                         "order by ID"));
    if (q.next()) {
        shop.serviceName = text(q.value(0));
        shop.serviceAddress = text(q.value(1));
        shop.servicePhones = text(q.value(2));
        shop.firmName = text(q.value(3));
        shop.firmAddress = text(q.value(4));
    }
    return shop;
}

OrderData loadOrderData(data::Database &db, int idPor)
{
    OrderData o;
    QSqlQuery q = db.exec(QStringLiteral("select idPor, PorDate, Art, Marka, Model, Serial, Fiscal, Defect, Aks, "
                                         "clientNames, clientAdres, clientPhones, TypeWarr, WarName, porState, "
                                         "TimeVisit, taksa, Transport, sumAll, sumParts, sumTrud, idClerk "
                                         "from porychka where idPor = ?"),
                          {idPor});
    if (!q.next())
        return o;
    o.idPor = q.value(0).toInt();
    QVariant *fields[] = {&o.porDate,     &o.art,         &o.marka,        &o.model,    &o.serial,
                          &o.fiscal,      &o.defect,      &o.aks,          &o.clientNames, &o.clientAdres,
                          &o.clientPhones, &o.typeWarr,   &o.warName,      &o.porState, &o.timeVisit,
                          &o.taksa,       &o.transport,   &o.sumAll,       &o.sumParts, &o.sumTrud};
    for (int i = 0; i < 20; ++i)
        *fields[i] = q.value(i + 1);
    const QVariant clerkId = q.value(21);
    q.finish();
    if (!clerkId.isNull())
        o.clerk = db.scalar(QStringLiteral("select Name from clerks where id = ?"), {clerkId}).toString();

    QSqlQuery parts = db.exec(QStringLiteral("select pm.Marka, tp.Type, p.Part, pp.amnt, pp.priceLV from PartsInPor pp "
                                             "left join parts p on p.id = pp.idPart "
                                             "left join typeparts tp on tp.id = p.TypeID "
                                             "left join partMarka pm on pm.id = p.idMarka "
                                             "where pp.idPor = ? order by pp.id"),
                              {idPor});
    while (parts.next())
        o.parts.append({text(parts.value(0)), text(parts.value(1)), text(parts.value(2)), parts.value(3).toInt(),
                        amount(parts.value(4))});
    QSqlQuery ops = db.exec(QStringLiteral("select Trud, Pr1 from Jobs_In_Por where idPor = ? order by id"), {idPor});
    while (ops.next())
        o.operations.append({text(ops.value(0)), amount(ops.value(1))});
    const QString number = QString::number(idPor);
    for (auto [column, list] : {std::pair{"field1", &o.visits}, std::pair{"field2", &o.maintenanceVisits}}) {
        QSqlQuery v = db.exec(QStringLiteral("select Notes, DateVisit, visited from homevisit where %1 = ? order by id")
                                  .arg(QLatin1String(column)),
                              {number});
        while (v.next())
            list->append({text(v.value(0)), v.value(1).toDate(), v.value(2).toBool()});
    }
    return o;
}

QString cardWarrantyText(const QVariant &typeWarr, const QVariant &warName)
{
    if (typeWarr.isNull())
        return {};
    switch (typeWarr.toInt()) {
    case 0: return QStringLiteral("Негаранционен ремонт");
    case 1: return QStringLiteral("Собствена гаранция");
    case 2: return QStringLiteral("Гаранция към ") + text(warName);
    default: return {};
    }
}

QString readyCardStateText(const QVariant &porState)
{
    if (porState.isNull())
        return {};
    switch (porState.toInt()) {
    case 1: return QStringLiteral("Регистрирана");
    case 2: return QStringLiteral("Чака за части");
    case 3: return QStringLiteral("Поправена");
    case 4: return QStringLiteral("Поправена със замяна");
    case 5: return QStringLiteral("В друг сервиз");
    case 6: return QStringLiteral("Отказан ремонт");
    case 7: return QStringLiteral("Непоправим дефект");
    default: return {};
    }
}

QString partsLines(const QList<PartLine> &parts, bool prices)
{
    QString out;
    for (const PartLine &p : parts) {
        out += padded(p.maker + QLatin1Char(' ') + p.type + QLatin1Char(' ') + p.part, 64);
        out += QString::asprintf("%4d", p.amnt) + QStringLiteral(" бр.");
        if (prices)
            out += amountText(p.priceLV);
        out += QStringLiteral("\r\n");
    }
    return out;
}

QString operationLines(const QList<OperationLine> &operations, bool prices)
{
    QString out;
    for (const OperationLine &o : operations) {
        out += padded(o.trud, 72);
        if (prices)
            out += amountText(o.pr1);
        out += QStringLiteral("\r\n");
    }
    return out;
}

QString discountText(const OrderData &o)
{
    double d = amount(o.sumAll) - amount(o.taksa) - amount(o.sumParts) - amount(o.sumTrud);
    if (!o.transport.isNull())
        d -= amount(o.transport);
    d = roundCents(d);
    if (d == 0)
        return {};
    return QStringLiteral("Отстъпка: ") + amountText(-d) + QLatin1Char(' ') + localCurrencyLabel();
}

Placeholders serviceCardValues(const ServiceCardInput &in, const ShopData &shop, bool matrix)
{
    Placeholders v;
    addShop(v, shop, matrix);
    add(v, "%nomer%", QString::number(in.number));
    add(v, "%ured%", in.article + QLatin1Char(' ') + in.brand + QLatin1Char(' ') + in.model);
    add(v, "%serial%", in.serial);
    add(v, "%fiscal%", fiscalText(in.fiscal));
    add(v, "%defect%", in.defect);
    add(v, "%accesories%", in.accessories);
    add(v, "%clientname%", in.clientName);
    add(v, "%clientaddress%", in.clientAddress);
    add(v, "%clientphone%", in.clientPhones);
    add(v, "%date%", in.dateText);
    add(v, "%warranty%", cardWarrantyText(in.warrantyBasis, in.warrantor));
    QString place = in.placeText;
    if (in.placeIndex == 1)
        place += QStringLiteral(" - ") + dateText(in.visitDate) + QLatin1Char(' ') + in.partOfDay;
    add(v, "%place%", place);
    add(v, "%moreinfo%", in.moreInfo);
    return v;
}

Placeholders serviceCardValues(const OrderData &o, const ShopData &shop, bool matrix)
{
    Placeholders v;
    addShop(v, shop, matrix);
    add(v, "%nomer%", QString::number(o.idPor));
    add(v, "%ured%", ured(o.art, o.marka, o.model));
    add(v, "%serial%", text(o.serial));
    add(v, "%fiscal%", fiscalText(text(o.fiscal)));
    add(v, "%defect%", text(o.defect));
    add(v, "%accesories%", text(o.aks));
    add(v, "%clientname%", text(o.clientNames));
    add(v, "%clientaddress%", text(o.clientAdres));
    add(v, "%clientphone%", text(o.clientPhones));
    add(v, "%date%", dateOf(o.porDate));
    add(v, "%warranty%", cardWarrantyText(o.typeWarr, o.warName));
    add(v, "%place%", openVisit(o) ? QStringLiteral("На адреса на клиента - ") + text(o.timeVisit)
                                   : QStringLiteral("В сервиза"));
    add(v, "%moreinfo%", QString());
    return v;
}

Placeholders readyCardValues(const OrderData &o, const ShopData &shop, bool prices)
{
    Placeholders v;
    addShop(v, shop, false);
    add(v, "%nomer%", QString::number(o.idPor));
    add(v, "%ured%", ured(o.art, o.marka, o.model));
    add(v, "%serial%", text(o.serial));
    add(v, "%fiscal%", fiscalText(text(o.fiscal)));
    add(v, "%defect%", text(o.defect));
    add(v, "%clientname%", text(o.clientNames));
    add(v, "%clientaddress%", text(o.clientAdres));
    add(v, "%clientphone%", text(o.clientPhones));
    add(v, "%type%", readyCardStateText(o.porState));
    const QString lv = QLatin1Char(' ') + localCurrencyLabel();
    add(v, "%taksa%", prices ? QStringLiteral("Сервизна такса: ") + amountText(amount(o.taksa)) + lv : QString());
    add(v, "%transport%", prices ? QStringLiteral("Транспорт: ") + amountText(amount(o.transport)) + lv : QString());
    add(v, "%price%", amountText(amount(o.sumAll)));
    add(v, "%parts%", partsLines(o.parts, prices), true);
    add(v, "%operations%", operationLines(o.operations, prices), true);
    add(v, "%clerk%", QStringLiteral("Сервизен техник: ") + o.clerk);
    add(v, "%discount%", discountText(o));
    return v;
}

Placeholders protocolValues(const ProtocolInput &in, const ShopData &shop)
{
    Placeholders v;
    add(v, "$nomer$", QString::number(in.protocolNumber));
    add(v, "$date$", in.dateText);
    add(v, "$set$", in.brand + QLatin1Char(' ') + in.model);
    add(v, "$owner$", in.clientName);
    add(v, "$address_owner$", in.clientAddress);
    add(v, "$serial$", in.serial);
    add(v, "$RAM$", in.fiscal);
    add(v, "$taxadmin$", in.taxAdmin);
    add(v, "$servicename$", shop.serviceName);
    add(v, "$serviceaddress$", shop.serviceAddress);
    add(v, "$servicephones$", shop.servicePhones);
    add(v, "$my_firm$", shop.firmName);
    add(v, "$my_address$", shop.firmAddress);
    add(v, "$datetime$", dateText(in.today) + QStringLiteral(", ") + timeText(in.now));
    add(v, "$validity$", dateText(in.today.addDays(1)) + QStringLiteral(", ") + timeText(in.now));
    return v;
}

Placeholders conditionerValues(const ConditionerInput &in, const ShopData &shop, bool matrix)
{
    Placeholders v;
    addShop(v, shop, matrix);
    add(v, "%clientname%", in.clientName);
    add(v, "%clientaddress%", in.clientAddress);
    add(v, "%clientphone%", in.clientPhones);
    add(v, "%nomer%", QString::number(in.number));
    add(v, "%date%", in.dateText);
    add(v, "%datevisit%", in.visitDateText + QStringLiteral(", ") + in.partOfDay);
    add(v, "%ured%", in.article + QLatin1Char(' ') + in.brand + QLatin1Char(' ') + in.model);
    add(v, "%serial%", in.serial);
    add(v, "%type%", in.kindOfWork.toLower());
    add(v, "%profilaktika%", in.maintenanceDates.join(QLatin1Char(',')));
    add(v, "%price%", QString(16, QLatin1Char('.')));
    add(v, "%worker%", in.worker);
    add(v, "%moreinfo%", in.moreInfo);
    return v;
}

Placeholders conditionerValues(const OrderData &o, const ShopData &shop, bool matrix)
{
    Placeholders v;
    addShop(v, shop, matrix);
    add(v, "%clientname%", text(o.clientNames));
    add(v, "%clientaddress%", text(o.clientAdres));
    add(v, "%clientphone%", text(o.clientPhones));
    add(v, "%nomer%", QString::number(o.idPor));
    add(v, "%date%", dateOf(o.porDate));
    add(v, "%datevisit%", text(o.timeVisit));
    add(v, "%ured%", ured(o.art, o.marka, o.model));
    add(v, "%serial%", text(o.serial));
    const QString notes = o.visits.isEmpty() ? QString() : o.visits.first().notes;
    add(v, "%type%", notes.toLower());
    QString dates;
    if (notes == QStringLiteral("Монтаж на климатик"))
        for (const VisitRow &m : o.maintenanceVisits)
            dates += QStringLiteral("   ") + dateText(m.dateVisit);
    add(v, "%profilaktika%", dates);
    add(v, "%price%", QString(16, QLatin1Char('.')));
    add(v, "%worker%", o.clerk);
    add(v, "%moreinfo%", QString());
    return v;
}

Placeholders changeSnValues(const OrderData &o, const ShopData &shop, const QString &newSn, bool matrix)
{
    Placeholders v;
    addShop(v, shop, matrix);
    add(v, "%clientname%", text(o.clientNames));
    add(v, "%clientaddress%", text(o.clientAdres));
    add(v, "%clientphone%", text(o.clientPhones));
    add(v, "%nomer%", QString::number(o.idPor));
    add(v, "%date%", dateOf(o.porDate));
    add(v, "%ured%", ured(o.art, o.marka, o.model));
    add(v, "%serial%", text(o.serial));
    add(v, "%warranty%", cardWarrantyText(o.typeWarr, o.warName));
    add(v, "%new_sn%", newSn);
    return v;
}

} // namespace morlenta::documents
