#include "board/serial_link.h"

#include "board/open_failure_probe.h"
#include "files/native_path.h"
#include "model/board_protocol.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QTimer>

#include <string_view>

#ifdef Q_OS_UNIX
#include <climits>
#include <cstdlib>
#include <poll.h>
#endif

namespace {

bool EndsReply(const QByteArray& collected) {
    return ReplyComplete(std::string_view(collected.constData(), collected.size()));
}

QStringList PresentSerialDevices() {
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        devices << info.systemLocation();
    }
    return devices;
}

// The USB ids of the device, when Qt's list of ports has it, for the advice on permissions.
void AddUsbIds(OpenFailureCase& failure) {
    const QString wanted = QFileInfo(failure.devicePath).canonicalFilePath();
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (!info.hasVendorIdentifier() || !info.hasProductIdentifier() ||
            QFileInfo(info.systemLocation()).canonicalFilePath() != wanted || wanted.isEmpty()) {
            continue;
        }
        failure.vendorId = info.vendorIdentifier();
        failure.productId = info.productIdentifier();
        return;
    }
}

// The device a name leads to, when that device has a name Qt can open; otherwise empty.
QString ResolvedDevice(const QString& deviceName) {
#ifdef Q_OS_UNIX
    char resolved[PATH_MAX];
    if (::realpath(NativePath(deviceName).constData(), resolved) == nullptr) {
        return {};
    }
    const QString path = PathFromNative(QByteArray(resolved));
    return HasForeignBytes(path) ? QString() : path;
#else
    Q_UNUSED(deviceName);
    return {};
#endif
}

} // namespace

SerialLink::SerialLink(QObject* parent)
    : QObject(parent), port(new QSerialPort(this)), waitLoop(new QEventLoop(this)),
      replyTimer(new QTimer(this)) {
    // One set of wait objects for every exchange: a write is 129 of them in a row.
    replyTimer->setSingleShot(true);
    replyTimer->setTimerType(Qt::PreciseTimer);
    connect(replyTimer, &QTimer::timeout, waitLoop, &QEventLoop::quit);
    connect(port, &QSerialPort::readyRead, this, &SerialLink::CollectReply);
    connect(port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) { NoteError(static_cast<int>(error)); });
}

SerialLink::~SerialLink() {
    Close();
}

bool SerialLink::Open(const QString& deviceName) {
    lost = false;
    portError = {};
    // Qt opens a device by a UTF-8 name only: a name of other bytes (a link someone made)
    // is opened by the device it leads to, never by a name made up from it.
    const QString openedName =
        HasForeignBytes(deviceName) ? ResolvedDevice(deviceName) : deviceName;
    if (openedName.isEmpty()) {
        openFailure = ClassifyOpenFailure(ObserveOpenFailure(
            deviceName, false,
            QStringLiteral("il nome non \u00e8 UTF-8 e non porta a un dispositivo apribile."),
            PresentSerialDevices()));
        return false;
    }
    devicePath = openedName;
    port->setPortName(openedName);
    port->setBaudRate(QSerialPort::Baud9600);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    // Opening is exclusive: QSerialPort takes the device lock and sets TIOCEXCL.
    if (!port->open(QIODevice::ReadWrite)) {
        // Qt reports a held lock and an exclusive opening elsewhere as a permission error.
        const bool busy = port->error() == QSerialPort::PermissionError;
        const QString systemText = port->errorString();
        port->close();
        OpenFailureCase failure =
            ObserveOpenFailure(deviceName, busy, systemText, PresentSerialDevices());
        AddUsbIds(failure);
        openFailure = ClassifyOpenFailure(failure);
        return false;
    }
    openFailure = {};
    latency.Apply(static_cast<int>(port->handle()));
    return true;
}

void SerialLink::Close() {
    if (port->isOpen()) {
        latency.Restore(static_cast<int>(port->handle()));
        port->close();
    }
    lost = false;
}

bool SerialLink::IsOpen() const {
    // A lost device keeps the link busy until the operation closes it.
    return port->isOpen() || lost;
}

void SerialLink::CollectReply() {
    if (!waiting || replyComplete) {
        return; // between exchanges the bytes wait in the port for the next discard
    }
    collected += port->readAll();
    if (EndsReply(collected)) {
        replyComplete = true;
        waitLoop->quit();
    }
}

void SerialLink::NoteError(int error) {
    if (!waiting || error == QSerialPort::NoError || error == QSerialPort::TimeoutError) {
        return;
    }
    // Either way this exchange has failed; only a device that went away is reported as lost.
    if (DeviceGone()) {
        lost = true;
    } else if (!HadPortError()) {
        portError = {error == QSerialPort::ResourceError, port->errorString()};
        if (portError.systemText.isEmpty()) {
            portError.systemText = QStringLiteral("errore %1").arg(error);
        }
    }
    waitLoop->quit();
}

bool SerialLink::DeviceGone() const {
    if (!port->isOpen()) {
        return true;
    }
#ifdef Q_OS_UNIX
    // A hang-up or an unplugged adapter shows on the descriptor; another reader does not.
    pollfd probe{static_cast<int>(port->handle()), POLLIN, 0};
    if (::poll(&probe, 1, 0) < 0 || (probe.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
        return true;
    }
    return !QFileInfo::exists(devicePath);
#else
    return port->error() == QSerialPort::ResourceError ||
           port->error() == QSerialPort::DeviceNotFoundError;
#endif
}

QByteArray SerialLink::CommTxRx(const QByteArray& strTx) {
    // A second exchange cannot start while one waits; the handlers' busy checks keep
    // this from happening, so refusing is only a safety net.
    if (!port->isOpen() || lost || waiting) {
        return {};
    }
    waiting = true;
    replyComplete = false;
    portError = {};
    collected.clear();

    port->clear(QSerialPort::Input);
    port->write(strTx);
    // Hand the bytes to the driver now so that the time-out counts from the send.
    port->flush();
    const QDeadlineTimer deadline(kReplyTimeoutMs, Qt::PreciseTimer);

    if (!lost) {
        replyTimer->start(static_cast<int>(deadline.remainingTime()));
        waitLoop->exec();
        replyTimer->stop();
    }
    if (!replyComplete && !lost && !HadPortError()) {
        // A last look at what reached the driver before the time-out.
        port->waitForReadyRead(0);
        collected += port->readAll();
        replyComplete = EndsReply(collected);
    }
    waiting = false;

    if (lost) {
        // A hung-up device stays readable for ever: release it now, or every event loop
        // until the operation ends (its failure message included) would spin on it.
        latency.Restore(static_cast<int>(port->handle()));
        port->close();
    }

    if (!replyComplete || lost || HadPortError()) {
        return {};
    }
    QByteArray reply = collected;
    reply.chop(2);
    return reply;
}
