#pragma once

// Windows-1251, the code page of older templates and of the dot-matrix
// printer's Cyrillic: our own table, both ways.

#include <QByteArray>
#include <QChar>
#include <QString>

namespace morlenta::documents {

QChar cp1251ToUnicode(uchar byte);
QString fromCp1251(const QByteArray &bytes);
// Characters outside the code page become `replacement`.
QByteArray toCp1251(const QString &text, char replacement = '?');

bool isValidUtf8(const QByteArray &bytes);
// A text file: UTF-8 when it is valid UTF-8 (a byte-order mark dropped), else Windows-1251.
QString decodeTextFile(const QByteArray &bytes);

} // namespace morlenta::documents
