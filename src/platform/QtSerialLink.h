#pragma once
// The serial link on a real port (QSerialPort).

#include "platform/SerialLink.h"

#include <QSerialPort>

namespace kivo {

class QtSerialLink : public SerialLink {
    Q_OBJECT
public:
    explicit QtSerialLink(QObject* parent = nullptr);

    OpenResult open(const QString& port, QString* reason) override;
    void close() override;
    bool isOpen() const override { return serial.isOpen(); }
    void write(const QByteArray& bytes) override;
    void discardOutput() override;

protected:
    void discardDeviceInput() override;

private:
    QSerialPort serial;
};

} // namespace kivo
