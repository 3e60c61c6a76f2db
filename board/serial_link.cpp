#include "board/serial_link.h"

#include <QSerialPort>

SerialLink::SerialLink(QObject* parent) : QObject(parent), port(new QSerialPort(this)) {}

SerialLink::~SerialLink() {
    Close();
}

bool SerialLink::Open(const QString& deviceName) {
    port->setPortName(deviceName);
    port->setBaudRate(QSerialPort::Baud9600);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        port->close();
        return false;
    }
    return true;
}

void SerialLink::Close() {
    if (port->isOpen()) {
        port->close();
    }
}

bool SerialLink::IsOpen() const {
    return port->isOpen();
}

QByteArray SerialLink::CommTxRx(const QByteArray& /*strTx*/) {
    return {};
}
