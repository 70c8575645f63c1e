#pragma once

// The money rules of a repair order: the prices of parts and work by the
// warranty basis, the technician's share by the pay mode, and the total
// with its discount or surcharge.

namespace morlenta {
class Preferences;
}

namespace morlenta::orders {

// porychka.TypeWarr as the order window chooses it.
enum class Basis { Paid = 0, Own = 1, Giver = 2 };

// Leva for one unit of a currency on the day of the order's work.
struct CurrencyRates {
    double usd = 0;
    double eur = 0;
    // 1 for leva (and any id of 1 or less), the dollar for 2, the euro otherwise.
    double of(int currency) const;
    bool complete() const { return usd > 0 && eur > 0; }
};

// How a technician earns for the work lines ("Payment workers").
struct PayRule {
    int mode = 0; // 0 the operation's own amounts, 1 fixed per job, 2 percent, 3 fixed per order
    double sumAllJobs = 0;
    double sumWarJobs = 0;
};
PayRule payRule(const Preferences &prefs);

struct OperationPrices {
    double clientPrice = 0;
    double warrantyPrice = 0;
    double workerPrice = 0;
    double fromGarant = 0;
};

// The price of one piece in leva.
struct PartPrices {
    double inPrice = 0;
    int ipVal = 1;
    double outPrice = 0;
    int opVal = 1;
};
double partPrice(Basis basis, const PartPrices &part, const CurrencyRates &rates);
// True when the part's price in this basis needs a day's rates.
bool partPriceNeedsRates(Basis basis, const PartPrices &part);

// Pr1 of a work line.
double workPrice(Basis basis, const OperationPrices &op);
// Pr2 of a work line; `op` is null when the operation no longer exists.
double technicianShare(const PayRule &rule, Basis basis, const OperationPrices *op, double pr1, int percent,
                       bool firstLine);
// The fixed amount of pay mode 1 and 3 for this basis.
double fixedShare(const PayRule &rule, Basis basis);

// The amounts of the order window.
struct OrderAmounts {
    double parts = 0;      // eParts
    double trudClient = 0; // eTrudClient: labour charged
    double trudClerk = 0;  // eTrudClerk: the technician's labour
    double taksa = 0;      // eTaksa
    double outer = 0;      // eOuter: a successful external repair
    double trans = 0;      // eTrans
    double otst = 0;       // eOtst: discount (negative: surcharge)
    double suma = 0;       // eSuma
    double discParts = 0;  // the client firm's percents
    double discJobs = 0;
    bool warranty = false; // any basis but paid repair
    bool partsMode = false;
    bool discountEnabled = false;

    double subtotal() const; // parts + labour + fee + external + transport
    // The total from the firm's percents.
    void recompute();
    // The discount was typed.
    void totalFromDiscount();
    // The total was typed.
    void discountFromTotal();
};

} // namespace morlenta::orders
