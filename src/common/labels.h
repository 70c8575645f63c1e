#pragma once

// Texts of the coded values stored in orders and profit rows. Unknown or
// missing values give an empty text.

#include <QString>

class QVariant;

namespace morlenta {

// porychka.porState
enum OrderState : int {
    StateRegistered = 1,
    StateWaitingParts = 2,
    StateRepaired = 3,
    StateRepairedReplaced = 4,
    StateExternal = 5,
    StateRefused = 6,
    StateIrreparable = 7,
    StateWarrantyRefused = 8,
};
// "Регистрирана за ремонт" ... "Отказана гаранция".
QString orderStateText(const QVariant &porState);
// The report line: "Статус: " + the state text; empty for an unknown state.
QString orderStateLine(const QVariant &porState);

// porychka.TypeWarr
enum WarrantyBasis : int { WarrPaid = 0, WarrOwn = 1, WarrGiver = 2 };
QString warrantyText(const QVariant &typeWarr);

// porychka.codeGet: "REP", "PRO", "MON"
QString orderKindText(const QVariant &codeGet);
inline constexpr const char *kOrderRepair = "REP";
inline constexpr const char *kOrderMaintenance = "PRO";
inline constexpr const char *kOrderMounting = "MON";

// pech.idNote
enum ProfitSource : int {
    ProfitShopSale = 0,
    ProfitOrderParts = 1,
    ProfitOrderLabour = 2,
    ProfitOrderFee = 3,
    ProfitWarranty = 4,
    ProfitContracts = 6,
};
QString profitSourceText(const QVariant &idNote);

} // namespace morlenta
