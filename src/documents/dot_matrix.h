#pragma once

// Plain text on a dot-matrix printer: sheets of a given height, fragments
// of a given width, the paper questions, the printer's code page and the
// output file that goes to the printer device.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace morlenta {
class Prompt;
class LocalSettings;
} // namespace morlenta

namespace morlenta::documents {

// A height or width field: a whole number, anything else (or below 0) counts as 0.
int fieldNumber(const QString &text);

struct MatrixJob {
    int sheet = 1;
    int fragment = 1;
    QString question;  // asked before the job; empty when none
    QStringList lines;
};

// The print jobs of `lines` for a sheet height and fragment width (0: no limit).
QList<MatrixJob> planPrint(QStringList lines, int height, int width);

// Windows-1251, then the printer's Cyrillic: bytes 192-255 less 64, "№" (185) as 213.
QByteArray printerBytes(const QString &line);

// Where the output goes: the per-computer "Matrix device" value, a device
// file (default /dev/lp0) or "queue:NAME" for a raw print queue.
QString matrixDevice(const LocalSettings &settings);
// A folder the user may write for the ".prn" files.
QString matrixWorkFolder();

class MatrixPrinter {
public:
    MatrixPrinter(Prompt &prompt, QString workFolder, QString device);

    // Asks for the paper before each job; false when the user cancelled or
    // writing failed (the error shown). The jobs already sent stay printed.
    bool print(const QStringList &lines, int height, int width, const QString &prnFile);

private:
    bool send(const QString &file);

    Prompt &prompt_;
    QString folder_;
    QString device_;
};

} // namespace morlenta::documents
