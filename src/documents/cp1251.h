#pragma once

// Windows-1251, the code page of Cyrillic Windows, by a table of our own:
// older templates, text files and the fiscal devices use it.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace morlenta::documents {

QChar cp1251ToUnicode(uchar byte);
QString fromCp1251(const QByteArray &bytes);

// Characters the code page lacks become `replacement`, one per character
// (a character outside the Basic Multilingual Plane included).
QByteArray toCp1251(const QString &text, char replacement = '?');

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const QByteArray &bytes);

// A text file as shops have them: UTF-8 when it is valid UTF-8 (a leading
// byte-order mark dropped), Windows-1251 otherwise.
QString decodeTextFile(const QByteArray &bytes);

} // namespace morlenta::documents
