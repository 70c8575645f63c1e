#include "platform/barcode_scanner.h"

#include "common/local_settings.h"
#include "common/prompt.h"

#include <QEvent>
#include <QSerialPort>
#include <QWidget>

namespace morlenta {

namespace {

QSerialPort::Parity parityOf(const QString &name)
{
    if (name.compare(QLatin1String("Even"), Qt::CaseInsensitive) == 0)
        return QSerialPort::EvenParity;
    if (name.compare(QLatin1String("Odd"), Qt::CaseInsensitive) == 0)
        return QSerialPort::OddParity;
    if (name.compare(QLatin1String("Space"), Qt::CaseInsensitive) == 0)
        return QSerialPort::SpaceParity;
    if (name.compare(QLatin1String("Mark"), Qt::CaseInsensitive) == 0)
        return QSerialPort::MarkParity;
    return QSerialPort::NoParity;
}

QSerialPort::FlowControl flowOf(const QString &name)
{
    if (name.compare(QLatin1String("Hardware"), Qt::CaseInsensitive) == 0)
        return QSerialPort::HardwareControl;
    if (name.compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0)
        return QSerialPort::SoftwareControl;
    return QSerialPort::NoFlowControl;
}

QSerialPort::StopBits stopBitsOf(int n)
{
    return n == 2 ? QSerialPort::TwoStop : n == 3 ? QSerialPort::OneAndHalfStop : QSerialPort::OneStop;
}

QSerialPort::DataBits dataBitsOf(int n)
{
    return n >= 5 && n <= 8 ? QSerialPort::DataBits(n) : QSerialPort::Data8;
}

} // namespace

BarcodeScanner::BarcodeScanner(LocalSettings &settings, QObject *parent)
    : QObject(parent), settings_(settings), port_(new QSerialPort(this))
{
    connect(port_, &QSerialPort::readyRead, this, &BarcodeScanner::readPort);
    // A pulled cable or a vanished device: the port is closed; the next activation tries again.
    connect(port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError && port_->isOpen())
            port_->close();
    });
}

BarcodeScanner::~BarcodeScanner()
{
    for (QWidget *w : handlers_.keys())
        w->removeEventFilter(this);
}

void BarcodeScanner::registerWindow(QWidget *window, ScanHandler *handler)
{
    handlers_.insert(window, handler);
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, [this, window] {
        handlers_.remove(window);
        if (!active_)
            close();
    });
    if (window->isActiveWindow())
        activated(window);
}

void BarcodeScanner::unregisterWindow(QWidget *window)
{
    if (!handlers_.remove(window))
        return;
    window->removeEventFilter(this);
    if (active_ == window)
        deactivated(window);
}

bool BarcodeScanner::eventFilter(QObject *watched, QEvent *event)
{
    auto *w = qobject_cast<QWidget *>(watched);
    if (w && handlers_.contains(w)) {
        if (event->type() == QEvent::WindowActivate)
            activated(w);
        else if (event->type() == QEvent::WindowDeactivate || event->type() == QEvent::Hide)
            deactivated(w);
    }
    return QObject::eventFilter(watched, event);
}

void BarcodeScanner::activated(QWidget *window)
{
    active_ = window;
    assembler_.clear();
    if (stock::scannerEnabled(settings_))
        open();
}

void BarcodeScanner::deactivated(QWidget *window)
{
    if (active_ != window)
        return;
    active_ = nullptr;
    close();
}

bool BarcodeScanner::open()
{
    close();
    const stock::ScannerSettings s = stock::ScannerSettings::load(settings_);
    port_->setPortName(s.port);
    if (!port_->open(QIODevice::ReadOnly))
        return false;
    const bool configured = port_->setBaudRate(s.baudRate) && port_->setDataBits(dataBitsOf(s.dataBits)) &&
                            port_->setStopBits(stopBitsOf(s.stopBits)) &&
                            port_->setParity(parityOf(s.parity)) &&
                            port_->setFlowControl(flowOf(s.flowControl));
    if (!configured) {
        port_->close();
        return false;
    }
    port_->clear(QSerialPort::Input);
    assembler_.clear();
    return true;
}

bool BarcodeScanner::openReporting(Prompt &prompt)
{
    if (open())
        return true;
    prompt.warning(QStringLiteral("Този COM-порт се използва от друга програма!"));
    return false;
}

void BarcodeScanner::close()
{
    if (port_->isOpen())
        port_->close();
    assembler_.clear();
}

bool BarcodeScanner::isOpen() const
{
    return port_->isOpen();
}

QString BarcodeScanner::portName() const
{
    return port_->portName();
}

void BarcodeScanner::readPort()
{
    const QStringList codes = assembler_.feed(port_->readAll());
    // The handler may ask a question (a modal window that closes the port):
    // it runs after the port's own signal has returned.
    for (const QString &code : codes)
        QMetaObject::invokeMethod(
            this, [this, code] { deliver(code); }, Qt::QueuedConnection);
}

void BarcodeScanner::deliver(const QString &code)
{
    if (!active_)
        return;
    if (ScanHandler *h = handlers_.value(active_.data()))
        h->barcodeScanned(code);
    Q_EMIT codeScanned(code);
}

} // namespace morlenta
