#include "board/serial_link.h"

#include "model/board_protocol.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>

#include <string_view>

namespace {

bool EndsReply(const QByteArray& collected) {
    return ReplyComplete(std::string_view(collected.constData(), collected.size()));
}

} // namespace

SerialLink::SerialLink(QObject* parent) : QObject(parent), port(new QSerialPort(this)) {}

SerialLink::~SerialLink() {
    Close();
}

bool SerialLink::Open(const QString& deviceName) {
    lost = false;
    port->setPortName(deviceName);
    port->setBaudRate(QSerialPort::Baud9600);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    // Opening is exclusive: QSerialPort takes the device lock and sets TIOCEXCL.
    if (!port->open(QIODevice::ReadWrite)) {
        openError = port->errorString();
        port->close();
        return false;
    }
    return true;
}

void SerialLink::Close() {
    if (port->isOpen()) {
        port->close();
    }
    lost = false;
}

bool SerialLink::IsOpen() const {
    // A lost device keeps the link busy until the operation closes it.
    return port->isOpen() || lost;
}

QByteArray SerialLink::CommTxRx(const QByteArray& strTx) {
    // A second exchange cannot start while one waits; the handlers' busy checks keep
    // this from happening, so refusing is only a safety net.
    if (!port->isOpen() || lost || waiting) {
        return {};
    }
    waiting = true;

    QByteArray collected;
    bool complete = false;
    QEventLoop loop;
    const auto collect = [&] {
        collected += port->readAll();
        if (EndsReply(collected)) {
            complete = true;
            loop.quit();
        }
    };
    const QMetaObject::Connection onData = connect(port, &QSerialPort::readyRead, &loop, collect);
    const QMetaObject::Connection onError =
        connect(port, &QSerialPort::errorOccurred, &loop, [&](QSerialPort::SerialPortError error) {
            if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) {
                return;
            }
            // The device is gone or broken: no reply can come any more.
            lost = true;
            loop.quit();
        });
    QTimer timeout;
    timeout.setSingleShot(true);
    timeout.setTimerType(Qt::PreciseTimer);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);

    port->clear(QSerialPort::Input);
    port->write(strTx);
    // Hand the bytes to the driver now so that the time-out counts from the send.
    port->flush();
    const QDeadlineTimer deadline(kReplyTimeoutMs, Qt::PreciseTimer);

    if (!lost) {
        timeout.start(static_cast<int>(deadline.remainingTime()));
        loop.exec();
    }
    if (!complete && !lost) {
        // A last look at what reached the driver before the time-out.
        port->waitForReadyRead(0);
        collected += port->readAll();
        complete = EndsReply(collected);
    }
    disconnect(onData);
    disconnect(onError);
    waiting = false;

    if (lost) {
        // A hung-up device stays readable for ever: release it now, or every event loop
        // until the operation ends (its failure message included) would spin on it.
        port->close();
    }

    if (!complete || lost) {
        return {};
    }
    collected.chop(2);
    return collected;
}
