#include "platform/QtSerialLink.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace kivo {

namespace {

// QSerialPort reports a port in use and a port the user may not open with
// the same error; the operator needs to know which it is.
bool mayOpen(const QString& location)
{
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(location).constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(location);
    return true;
#endif
}

} // namespace

QtSerialLink::QtSerialLink(QObject* parent)
{
    setParent(parent);
    // What the port took in while the handlers ran (a handler that runs
    // events lets it read on) comes without a readyRead of its own: taken
    // here, or it would wait for the next byte, which may never come.
    connect(&serial, &QSerialPort::readyRead, this, [this] {
        do {
            deliver(serial.readAll());
        } while (serial.isOpen() && serial.bytesAvailable() > 0);
    });
    connect(&serial, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // Pseudo-terminals answer some settings with "invalid argument"; the
        // link still works, so only a lost device counts.
        if (error == QSerialPort::ResourceError && serial.isOpen()) emit commEvent(kEvLinkFailure2);
    });
}

OpenResult QtSerialLink::open(const QString& port, QString* reason)
{
    if (serial.isOpen()) serial.close();
    resetReceiveState();
    serial.setPortName(port);
    serial.setBaudRate(QSerialPort::Baud38400);
    serial.setParity(QSerialPort::NoParity);
    serial.setDataBits(QSerialPort::Data8);
    serial.setStopBits(QSerialPort::OneStop);
    serial.setFlowControl(QSerialPort::NoFlowControl);
    serial.setReadBufferSize(0);
    if (serial.open(QIODevice::ReadWrite)) {
        serial.clearError();
        return OpenResult::Opened;
    }
    const QSerialPort::SerialPortError error = serial.error();
    if (reason) *reason = serial.errorString();
    const QString location = port.startsWith(u'/') ? port : QStringLiteral("/dev/") + port;
    serial.clearError();
    switch (error) {
    case QSerialPort::DeviceNotFoundError: return OpenResult::NotFound;
    case QSerialPort::PermissionError:
        return QFileInfo::exists(location) && !mayOpen(location) ? OpenResult::PermissionDenied : OpenResult::Busy;
    default: return OpenResult::Failed;
    }
}

void QtSerialLink::close()
{
    if (serial.isOpen()) serial.close();
    resetReceiveState();
}

void QtSerialLink::write(const QByteArray& bytes)
{
    if (!serial.isOpen()) return;
    serial.write(bytes);
    serial.flush();
}

void QtSerialLink::discardDeviceInput()
{
    if (serial.isOpen()) serial.clear(QSerialPort::Input);
}

void QtSerialLink::discardOutput()
{
    if (serial.isOpen()) serial.clear(QSerialPort::Output);
}

} // namespace kivo
