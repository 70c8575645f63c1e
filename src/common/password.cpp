#include "common/password.h"

#include <sodium.h>

#include <stdexcept>

namespace morlenta {

namespace {

void initSodium()
{
    static const bool ok = sodium_init() >= 0;
    if (!ok)
        throw std::runtime_error("libsodium could not be initialised");
}

} // namespace

QString hashPassword(const QString &password)
{
    initSodium();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("password hashing ran out of memory");
    return QString::fromLatin1(out);
}

bool isPasswordHash(const QString &stored)
{
    return stored.startsWith(QLatin1String("$argon2"));
}

bool checkPassword(const QString &stored, const QString &typed)
{
    if (!isPasswordHash(stored))
        return stored == typed;
    initSodium();
    const QByteArray hash = stored.toLatin1();
    const QByteArray utf8 = typed.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0;
}

} // namespace morlenta
