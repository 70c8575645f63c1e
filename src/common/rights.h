#pragma once

// Access rights: one digit per function, "1" grants it.

#include <QString>

namespace morlenta {

// Positions of the rights string (counted from 1) that guard something.
namespace Right {
inline constexpr int Restore = 3;
inline constexpr int Clerks = 5;
inline constexpr int Suppliers = 6;
inline constexpr int ClientAccounts = 7;
inline constexpr int EditPriceLists = 8;
inline constexpr int Tools = 9;
inline constexpr int OwnFirm = 10;
inline constexpr int PartsCatalogue = 12;
inline constexpr int Deliveries = 13;
inline constexpr int Sales = 14;
inline constexpr int ChangePrices = 15;
inline constexpr int PartsToTechnicians = 16;
inline constexpr int NewOrder = 18;
inline constexpr int MountingOrder = 19;
inline constexpr int OrderPartsAndWork = 20;
inline constexpr int CompleteOrder = 21;
inline constexpr int PayOrder = 22;
inline constexpr int OrderRegister = 23;
inline constexpr int ExternalService = 24;
inline constexpr int Contracts = 25;
inline constexpr int EditOrder = 26;
inline constexpr int Protocols = 27;
inline constexpr int IssueInvoice = 29;
inline constexpr int NonInvoiced = 30;
inline constexpr int InvoiceRegister = 31;
inline constexpr int StockReports = 33;
inline constexpr int PartsPerOrder = 34;
inline constexpr int DeliveryReport = 35;
inline constexpr int SalesReport = 36;
inline constexpr int SupplierTransactions = 37;
inline constexpr int ClientDebts = 38;
inline constexpr int WarrantyReports = 39;
inline constexpr int IncomeExpenses = 40;
inline constexpr int CashDesk = 41;
inline constexpr int Profit = 42;
inline constexpr int DeductionsBonuses = 44;
inline constexpr int Advances = 45;
inline constexpr int SalaryPayment = 46;
inline constexpr int SalaryReport = 47;
inline constexpr int Count = 47; // the rights tree has at least this many nodes
} // namespace Right

// Character `position` (from 1) is "1". A position beyond the end, or below 1, is denied.
bool hasRight(const QString &rights, int position);

// The rights string a new clerk starts with (level 2).
QString newClerkRights();
// The preset string of a level: 0 everything, 1 the daily work of a shop,
// 2 the new clerk's string. Any other level gets the most restricted one.
QString rightsPreset(int level);
// The administrator's string: every position of the stored column granted.
QString administratorRights();

inline constexpr int kRightsColumnLength = 60;

} // namespace morlenta
