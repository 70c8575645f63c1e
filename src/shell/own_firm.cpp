#include "shell/own_firm.h"

#include "data/database.h"
#include "data/transaction.h"

#include <QSqlQuery>

namespace morlenta::shell {

OwnFirmCheck checkOwnFirm(OwnFirm &f)
{
    for (QString *s : {&f.name, &f.address, &f.mol, &f.serviceName, &f.serviceAddress, &f.servicePhones})
        *s = s->trimmed();
    auto digitsOnly = [](const QString &s) {
        for (QChar c : s)
            if (!c.isDigit())
                return false;
        return true;
    };
    if (f.name.isEmpty())
        return {OwnFirmField::Name, QStringLiteral("Внимание - не сте въвели име на фирмата!")};
    if (f.taxNumber.size() != 10 || !digitsOnly(f.taxNumber))
        return {OwnFirmField::TaxNumber,
                QStringLiteral("Внимание - грешно въведен данъчен номер на фирмата!")};
    if (f.bulstat.size() != 9 && f.bulstat.size() != 13)
        return {OwnFirmField::Bulstat, QStringLiteral("Внимание - грешно въведен БУЛСТАТ на фирмата!")};
    if (f.address.isEmpty())
        return {OwnFirmField::Address, QStringLiteral("Внимание - не сте въвели адрес на фирмата!")};
    if (f.mol.isEmpty())
        return {OwnFirmField::Mol,
                QStringLiteral("Внимание - не сте въвели материално отговорно лице на фирмата!")};
    if (f.serviceName.isEmpty())
        return {OwnFirmField::ServiceName, QStringLiteral("Внимание - не сте въвели име на сервиза!")};
    if (f.serviceAddress.isEmpty())
        return {OwnFirmField::ServiceAddress, QStringLiteral("Внимание - не сте въвели адрес на сервиза!")};
    if (f.servicePhones.isEmpty())
        return {OwnFirmField::ServicePhones,
                QStringLiteral("Внимание - не сте въвели телефоните на сервиза!")};
    return {};
}

bool hasOwnFirm(data::Database &db)
{
    return db.scalar(QStringLiteral("select count(*) from myinfo")).toInt() > 0;
}

OwnFirm loadOwnFirm(data::Database &db)
{
    OwnFirm f;
    QSqlQuery q =
        db.exec(QStringLiteral("select Name, ndr, bulstat, Adres, MOL, ServiceName, ServiceAddress, "
                               "ServicePhones from myinfo order by ID"));
    if (q.next()) {
        f.name = q.value(0).toString();
        f.taxNumber = q.value(1).toString();
        f.bulstat = q.value(2).toString();
        f.address = q.value(3).toString();
        f.mol = q.value(4).toString();
        f.serviceName = q.value(5).toString();
        f.serviceAddress = q.value(6).toString();
        f.servicePhones = q.value(7).toString();
    }
    return f;
}

void saveOwnFirm(data::Database &db, const OwnFirm &f)
{
    const QVariantList values{f.name, f.taxNumber,   f.bulstat,        f.address,
                              f.mol,  f.serviceName, f.serviceAddress, f.servicePhones};
    data::Transaction tx(db);
    const QVariant id = db.scalar(QStringLiteral("select min(ID) from myinfo"));
    if (id.isNull()) {
        db.execute(
            QStringLiteral("insert into myinfo (Name, ndr, bulstat, Adres, MOL, ServiceName, ServiceAddress, "
                           "ServicePhones) values (?, ?, ?, ?, ?, ?, ?, ?)"),
            values);
    } else {
        QVariantList withId = values;
        withId << id;
        db.execute(QStringLiteral("update myinfo set Name = ?, ndr = ?, bulstat = ?, Adres = ?, MOL = ?, "
                                  "ServiceName = ?, ServiceAddress = ?, ServicePhones = ? where ID = ?"),
                   withId);
    }
    tx.commit();
}

} // namespace morlenta::shell
