#include "common/labels.h"

#include <QVariant>

#include <optional>

namespace morlenta {

namespace {

// A stored integer code, or nothing for null and non-numeric values.
std::optional<int> code(const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

} // namespace

QString orderStateText(const QVariant &porState)
{
    switch (code(porState).value_or(0)) {
    case StateRegistered: return QStringLiteral("Регистрирана за ремонт");
    case StateWaitingParts: return QStringLiteral("Чака за части");
    case StateRepaired: return QStringLiteral("Поправена");
    case StateRepairedReplaced: return QStringLiteral("Поправена със замяна");
    case StateExternal: return QStringLiteral("Изпратена в друг сервиз");
    case StateRefused: return QStringLiteral("Отказан ремонт");
    case StateIrreparable: return QStringLiteral("Непоправима");
    case StateWarrantyRefused: return QStringLiteral("Отказана гаранция");
    default: return {};
    }
}

QString orderStateLine(const QVariant &porState)
{
    const QString text = orderStateText(porState);
    return text.isEmpty() ? text : QStringLiteral("Статус: ") + text;
}

QString warrantyText(const QVariant &typeWarr)
{
    const auto c = code(typeWarr);
    if (!c)
        return {};
    switch (*c) {
    case WarrPaid: return QStringLiteral("Негаранционен ремонт");
    case WarrOwn: return QStringLiteral("Собствена гаранция");
    case WarrGiver: return QStringLiteral("Външна гаранция");
    default: return {};
    }
}

QString orderKindText(const QVariant &codeGet)
{
    const QString c = codeGet.toString();
    if (c == QLatin1String(kOrderRepair))
        return QStringLiteral("Ремонт");
    if (c == QLatin1String(kOrderMaintenance))
        return QStringLiteral("Профилактика");
    if (c == QLatin1String(kOrderMounting))
        return QStringLiteral("Монтаж");
    return {};
}

QString profitSourceText(const QVariant &idNote)
{
    const auto c = code(idNote);
    if (!c)
        return {};
    switch (*c) {
    case ProfitShopSale: return QStringLiteral("От продажба части");
    case ProfitOrderParts: return QStringLiteral("От части в поръчка");
    case ProfitOrderLabour: return QStringLiteral("От труд в поръчка");
    case ProfitOrderFee: return QStringLiteral("От такса в поръчка");
    case ProfitWarranty: return QStringLiteral("От гаранционни поръчки");
    case ProfitContracts: return QStringLiteral("От абонаментни договори");
    default: return {};
    }
}

} // namespace morlenta
