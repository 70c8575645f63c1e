#pragma once

// Per-computer settings: an INI file under the user's config folder, with
// the value names every window knows ("BaseFile", "Version", "user", ...).

#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

class QDate;
class QSettings;

namespace morlenta {

class LocalSettings {
public:
    // The user's own settings file ("Dravik", "Morlenta").
    LocalSettings();
    // A settings file at `path` (tests, other users' files).
    explicit LocalSettings(const QString &path);
    ~LocalSettings();
    LocalSettings(const LocalSettings &) = delete;
    LocalSettings &operator=(const LocalSettings &) = delete;

    bool contains(const QString &name) const;
    QVariant value(const QString &name, const QVariant &fallback = {}) const;
    void setValue(const QString &name, const QVariant &value);
    void remove(const QString &name);
    QString text(const QString &name, const QString &fallback = {}) const;
    bool flag(const QString &name, bool fallback = false) const;
    // A number; nothing when the value is missing or not a number.
    std::optional<double> number(const QString &name) const;
    // A date ("yyyy-MM-dd"); nothing when missing or not a date.
    std::optional<QDate> date(const QString &name) const;
    void sync();

    QSettings &raw() { return *settings_; }
    QString fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

// Names of the per-computer values.
namespace Local {
inline const char *const Version = "Version";
inline const char *const BaseFile = "BaseFile";
inline const char *const FirstRun = "FirstRun";
inline const char *const User = "user";
inline const char *const Printer = "Printer"; // "Matrix" or "Windows"
inline const char *const UseBarcodeScanner = "Use barcode scanner";
// The scanner's serial line, under the serial library's value names.
inline const char *const ScannerPort = "Port";
inline const char *const ScannerBaudRate = "BaudRate";
inline const char *const ScannerDataBits = "DataBits";
inline const char *const ScannerStopBits = "StopBits";
inline const char *const ScannerParity = "Parity";
inline const char *const ScannerFlowControl = "FlowControl";
inline const char *const PublishToInternet = "Publish to Internet";
inline const char *const AutoArchive = "AutoArchive";
inline const char *const ArchiveDir = "Archive dir";
inline const char *const ExportAllOrders = "Export all orders";
inline const char *const ExportClientOrders = "Export client orders";
inline const char *const ExportSchedule = "Export shedule";
inline const char *const PathToExportAll = "Path to export all";
inline const char *const DdsRegistration = "DDS Registration";
inline const char *const FactPlace = "Fact place";
} // namespace Local

} // namespace morlenta
