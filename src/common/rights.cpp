#include "common/rights.h"

#include <initializer_list>

namespace morlenta {

namespace {

QString grantOnly(std::initializer_list<int> granted)
{
    QString s(Right::Count, QLatin1Char('2'));
    for (int p : granted)
        s[p - 1] = QLatin1Char('1');
    return s;
}

} // namespace

bool hasRight(const QString &rights, int position)
{
    return position >= 1 && position <= rights.size() && rights.at(position - 1) == QLatin1Char('1');
}

QString newClerkRights()
{
    return QStringLiteral("222222222322123112222222231222222122222222");
}

QString rightsPreset(int level)
{
    switch (level) {
    case 0: return QString(Right::Count, QLatin1Char('1'));
    case 1:
        return grantOnly({Right::PartsCatalogue, Right::Deliveries, Right::Sales, Right::PartsToTechnicians,
                          Right::NewOrder, Right::MountingOrder, Right::OrderPartsAndWork,
                          Right::CompleteOrder, Right::PayOrder, Right::OrderRegister, Right::ExternalService,
                          Right::Protocols, Right::NonInvoiced, Right::StockReports, Right::PartsPerOrder,
                          Right::SalesReport});
    default: return newClerkRights();
    }
}

QString administratorRights()
{
    return QString(kRightsColumnLength, QLatin1Char('1'));
}

} // namespace morlenta
