#include "orders/order_money.h"

#include "common/money.h"
#include "common/preferences.h"

namespace morlenta::orders {

double CurrencyRates::of(int currency) const
{
    if (currency <= 1)
        return 1;
    return currency == 2 ? usd : eur;
}

PayRule payRule(const Preferences &prefs)
{
    return {prefs.intValue(QLatin1String(Pref::PaymentWorkers)), prefs.num(QLatin1String(Pref::SumAllJobs)),
            prefs.num(QLatin1String(Pref::SumWarJobs))};
}

double partPrice(Basis basis, const PartPrices &part, const CurrencyRates &rates)
{
    switch (basis) {
    case Basis::Paid: return roundCents(part.outPrice * rates.of(part.opVal));
    case Basis::Own: return 0;
    case Basis::Giver: return roundCents(part.inPrice * rates.of(part.ipVal));
    }
    return 0;
}

bool partPriceNeedsRates(Basis basis, const PartPrices &part)
{
    if (basis == Basis::Paid)
        return part.opVal > 1;
    return basis == Basis::Giver && part.ipVal > 1;
}

double workPrice(Basis basis, const OperationPrices &op)
{
    switch (basis) {
    case Basis::Paid: return op.clientPrice;
    case Basis::Own: return 0;
    case Basis::Giver: return op.fromGarant;
    }
    return 0;
}

double fixedShare(const PayRule &rule, Basis basis)
{
    return basis == Basis::Paid ? rule.sumAllJobs : rule.sumWarJobs;
}

double technicianShare(const PayRule &rule, Basis basis, const OperationPrices *op, double pr1, int percent,
                       bool firstLine)
{
    switch (rule.mode) {
    case 1: return fixedShare(rule, basis);
    case 2: return roundCents(pr1 * percent / 100.0);
    case 3: return firstLine ? fixedShare(rule, basis) : 0;
    default:
        if (!op)
            return 0;
        return basis == Basis::Paid ? op->workerPrice : op->warrantyPrice;
    }
}

double OrderAmounts::subtotal() const
{
    return parts + trudClient + taksa + outer + trans;
}

void OrderAmounts::recompute()
{
    suma = warranty ? 0 : subtotal();
    if (suma <= 0 || partsMode) {
        otst = 0;
        discountEnabled = false;
        return;
    }
    discountEnabled = true;
    otst = roundCents(parts * discParts / 100 + trudClient * discJobs / 100);
    totalFromDiscount();
}

void OrderAmounts::totalFromDiscount()
{
    suma = warranty ? 0 : roundCents(subtotal() - otst);
}

void OrderAmounts::discountFromTotal()
{
    otst = roundCents(subtotal() - suma);
}

} // namespace morlenta::orders
