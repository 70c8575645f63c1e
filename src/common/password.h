#pragma once

// Login passwords are kept as salted hashes, never as typed.

#include <QString>

namespace morlenta {

// A libsodium password hash string; throws std::runtime_error when the
// library cannot hash (out of memory).
QString hashPassword(const QString &password);

// True when `stored` is a hash made by hashPassword.
bool isPasswordHash(const QString &stored);

// Checks a typed password against the stored value. A value that is not a
// hash is a plain password of an older file and is compared exactly; the
// caller then replaces it with its hash.
bool checkPassword(const QString &stored, const QString &typed);

} // namespace morlenta
