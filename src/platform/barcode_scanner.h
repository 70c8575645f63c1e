#pragma once

// The barcode scanner on a serial port. The port is open exactly while a
// scanning window is the active window and "Use barcode scanner" is on; each
// completed code goes to that window's handler.

#include "stock/barcode_reader.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QSerialPort;
class QWidget;

namespace morlenta {

class LocalSettings;
class Prompt;

// What a window does with a scanned code.
class ScanHandler {
public:
    virtual ~ScanHandler() = default;
    virtual void barcodeScanned(const QString &code) = 0;
};

class BarcodeScanner : public QObject {
    Q_OBJECT
public:
    explicit BarcodeScanner(LocalSettings &settings, QObject *parent = nullptr);
    ~BarcodeScanner() override;

    // `window` gets the codes through `handler` while it is active; it leaves the
    // list by itself when destroyed.
    void registerWindow(QWidget *window, ScanHandler *handler);
    void unregisterWindow(QWidget *window);

    // Opens the port with the stored settings; errors are ignored (false).
    bool open();
    // The same for the settings window, which says why the port did not open.
    bool openReporting(Prompt &prompt);
    void close();
    bool isOpen() const;
    QString portName() const;

Q_SIGNALS:
    // Every completed code, after the window's handler had it.
    void codeScanned(const QString &code);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readPort();
    void deliver(const QString &code);
    void activated(QWidget *window);
    void deactivated(QWidget *window);

    LocalSettings &settings_;
    QSerialPort *port_;
    stock::BarcodeAssembler assembler_;
    QHash<QWidget *, ScanHandler *> handlers_;
    QPointer<QWidget> active_;
};

} // namespace morlenta
