#pragma once

// A small parts list for the grid tests: two types, three makers, amounts
// and prices whose sums per group are easy to check by hand.

#include "platform/grid_rows_model.h"
#include "support/qt_print.h"

#include <QDate>

#include <memory>

namespace morlenta::test {

inline std::unique_ptr<GridRowsModel> partsRows()
{
    auto m = std::make_unique<GridRowsModel>();
    std::vector<QVariantList> rows = {
        {1, QStringLiteral("Дисплей"), QStringLiteral("Nokia"), QStringLiteral("LCD 3310"), 2, 10.5,
         QDate(2026, 3, 1), QStringLiteral("с рамка")},
        {2, QStringLiteral("Батерия"), QStringLiteral("Nokia"), QStringLiteral("BL-5C"), 5, 4.25,
         QDate(2026, 1, 15), QStringLiteral("оригинална")},
        {3, QStringLiteral("Дисплей"), QStringLiteral("Samsung"), QStringLiteral("LCD E250"), 1, 22.0,
         QDate(2025, 12, 31), QString()},
        {4, QStringLiteral("батерия"), QStringLiteral("Samsung"), QStringLiteral("AB463446"), 3, 6.0,
         QDate(2026, 2, 2), QStringLiteral("съвместима")},
        {5, QStringLiteral("Дисплей"), QStringLiteral("Nokia"), QStringLiteral("LCD 6230"), 4, 15.75,
         QVariant(), QStringLiteral("O'Brien \"B\" 50%")},
        {6, QStringLiteral("Батерия"), QStringLiteral("Alcatel"), QStringLiteral("OT-510"), 0, 3.0,
         QDate(2026, 4, 4), QString()},
    };
    m->setRows({QStringLiteral("id"), QStringLiteral("Type"), QStringLiteral("Marka"), QStringLiteral("Part"),
                QStringLiteral("amnt"), QStringLiteral("price"), QStringLiteral("dDate"),
                QStringLiteral("notes")},
               std::move(rows));
    return m;
}

} // namespace morlenta::test
