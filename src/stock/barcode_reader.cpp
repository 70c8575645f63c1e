#include "stock/barcode_reader.h"

#include "common/local_settings.h"

namespace morlenta::stock {

namespace {

bool printable(const QByteArray &line)
{
    for (char c : line)
        if (c < 0x20 || c > 0x7e)
            return false;
    return true;
}

} // namespace

QStringList BarcodeAssembler::feed(const QByteArray &chunk)
{
    QStringList codes;
    for (char c : chunk) {
        if (c == '\n') {
            QByteArray line = buffer_;
            if (line.endsWith('\r'))
                line.chop(1);
            line = line.trimmed();
            if (!discarding_ && !line.isEmpty() && printable(line))
                codes << QString::fromLatin1(line.left(kCodeLength));
            buffer_.clear();
            discarding_ = false;
        } else if (!discarding_) {
            buffer_.append(c);
            if (buffer_.size() > kMaxPending) {
                buffer_.clear();
                discarding_ = true;
            }
        }
    }
    return codes;
}

void BarcodeAssembler::clear()
{
    buffer_.clear();
    discarding_ = false;
}

ScannerSettings ScannerSettings::load(const LocalSettings &s)
{
    ScannerSettings out;
    out.port = s.text(QLatin1String(Local::ScannerPort), out.port);
    auto number = [&s](const char *name, int fallback) {
        bool ok = false;
        const int v = s.text(QLatin1String(name)).toInt(&ok);
        return ok && v > 0 ? v : fallback;
    };
    out.baudRate = number(Local::ScannerBaudRate, out.baudRate);
    out.dataBits = number(Local::ScannerDataBits, out.dataBits);
    out.stopBits = number(Local::ScannerStopBits, out.stopBits);
    out.parity = s.text(QLatin1String(Local::ScannerParity), out.parity);
    out.flowControl = s.text(QLatin1String(Local::ScannerFlowControl), out.flowControl);
    return out;
}

void ScannerSettings::save(LocalSettings &s) const
{
    s.setValue(QLatin1String(Local::ScannerPort), port);
    s.setValue(QLatin1String(Local::ScannerBaudRate), baudRate);
    s.setValue(QLatin1String(Local::ScannerDataBits), dataBits);
    s.setValue(QLatin1String(Local::ScannerStopBits), stopBits);
    s.setValue(QLatin1String(Local::ScannerParity), parity);
    s.setValue(QLatin1String(Local::ScannerFlowControl), flowControl);
    s.sync();
}

bool scannerEnabled(LocalSettings &settings)
{
    const QString name = QLatin1String(Local::UseBarcodeScanner);
    if (!settings.contains(name))
        settings.setValue(name, false);
    return settings.flag(name);
}

} // namespace morlenta::stock
