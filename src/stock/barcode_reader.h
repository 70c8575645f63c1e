#pragma once

// Barcode scanner input: the characters of a serial line assembled into codes,
// and the scanner's port settings kept per computer. No port here, so that the
// rules are tested on plain bytes.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace morlenta {
class LocalSettings;
}

namespace morlenta::stock {

// A scanner ends each code with CR LF; the line end may arrive in a chunk of
// its own. A code keeps its first 13 characters.
class BarcodeAssembler {
public:
    static constexpr int kCodeLength = 13;
    // Characters beyond this without a line end are noise, not a code.
    static constexpr int kMaxPending = 512;

    // Appends a chunk as read from the port; returns the codes it completed.
    // Lines that are empty or hold anything but printable ASCII are dropped.
    QStringList feed(const QByteArray &chunk);
    void clear();
    const QByteArray &pending() const { return buffer_; }

private:
    QByteArray buffer_;
    bool discarding_ = false; // an over-long line is dropped up to its end
};

// The serial line of the scanner, stored under the serial library's value names.
struct ScannerSettings {
    QString port = QStringLiteral("/dev/ttyUSB0");
    int baudRate = 9600;
    int dataBits = 8;
    int stopBits = 1;                             // 1, 2, or 3 for one and a half
    QString parity = QStringLiteral("None");      // "None", "Even", "Odd", "Space", "Mark"
    QString flowControl = QStringLiteral("None"); // "None", "Hardware", "Software"

    static ScannerSettings load(const LocalSettings &settings);
    void save(LocalSettings &settings) const;
};

// "Use barcode scanner" of this computer (written as false when missing).
bool scannerEnabled(LocalSettings &settings);

} // namespace morlenta::stock
