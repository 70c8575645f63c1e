#pragma once

// Spreadsheet export of a grid: a real .xlsx with numbers as numbers, dates
// as dates ("dd.mm.yyyy") and the column captions as the header row.

#include <QString>

namespace morlenta {

struct GridTable;

// The data rows of `table` (group and total lines are left out). The file is
// written beside the target and moved over it only when complete, so a
// failure leaves an existing file as it was. false with `error` set on failure.
bool writeXlsx(const QString &path, const GridTable &table, const QString &sheetName, QString *error);

// The user's documents folder + stem + ".xlsx".
QString proposedExportPath(const QString &fileStem);
QString spreadsheetFilter();
// Adds ".xlsx" unless the name already ends with it.
QString withSpreadsheetSuffix(const QString &path);

} // namespace morlenta
