#pragma once

// The date of an operation that may use foreign prices (a delivery): today
// or one of the ten days before. In multi-currency mode the chosen day must
// have its rates; when it has none the rate entry window opens, and giving
// it up cancels the date.

#include <QDate>
#include <QString>

#include <optional>

class QWidget;

namespace morlenta {
struct Session;
}

namespace morlenta::finance {

std::optional<QDate> chooseOperationDate(QWidget *parent, Session &session, const QString &caption);

// Points the session's rates hook at the rate entry window.
void useRateWindow(Session &session, QWidget *parent);

} // namespace morlenta::finance
