#pragma once

// The hourly check of cash-register protocols that run out within the next hour.

#include <QString>

class QDateTime;

namespace morlenta::data {
class Database;
}

namespace morlenta::shell {

// Open protocols ending today after the hour of `now` and at most one hour
// later; -1 at 23 o'clock, when nothing is checked.
int expiringProtocols(data::Database &db, const QDateTime &now);
// The warning for `count` protocols; empty when there are none.
QString protocolWarning(int count);

} // namespace morlenta::shell
