#pragma once
// Owns the serial port of the board link: opens it, exchanges one command and its reply,
// closes it. Shows no dialogs; the window decides what the user sees.

#include "board/board_link.h"
#include "board/low_latency_request.h"
#include "board/open_failure.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QEventLoop;
class QSerialPort;
class QTimer;

class SerialLink final : public QObject, public BoardLink {
    Q_OBJECT

public:
    static constexpr int kReplyTimeoutMs = 500;

    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override;

    // The port number the messages name; it keeps its value when an open fails.
    void SetCommPort(int number) { commPort = number; }
    int CommPort() const { return commPort; }

    // 9600 baud, 8N1, no handshaking, exclusive. False when the device cannot be opened;
    // the port is closed then, and LastOpenFailure tells why.
    bool Open(const QString& deviceName);
    const PortOpenFailure& LastOpenFailure() const { return openFailure; }
    void Close();
    bool IsOpen() const;

    // Discards waiting input, sends strTx and waits for a reply ending in CR LF, at most
    // 0.5 s from the send, while the event loop keeps running. Returns the reply without
    // its CR LF, or empty when none came in time. Once the device has gone (unplugged,
    // hung up) every exchange returns empty at once until the port is closed.
    QByteArray CommTxRx(const QByteArray& strTx) override;

    // True after the device went away during this opening of the port; the device is
    // released then, but IsOpen stays true until Close.
    bool IsLost() const override { return lost; }

    // The port reported an error during the last exchange while the device stayed (another
    // program reading the same port takes the bytes the driver announced); the exchange
    // failed. Empty when there was none.
    struct PortError {
        bool dataVanished = false; // announced input was gone when the port came to read it
        QString systemText;
    };
    const PortError& LastPortError() const { return portError; }
    bool HadPortError() const override { return !portError.systemText.isEmpty(); }

private:
    void CollectReply();
    void NoteError(int error);
    // A hang-up or a removed device, as opposed to an error of a device that is still there.
    bool DeviceGone() const;

    QSerialPort* port;
    QEventLoop* waitLoop;
    QTimer* replyTimer;
    QByteArray collected;
    bool replyComplete = false;
    int commPort = 1;
    bool lost = false;
    PortError portError;
    QString devicePath;
    bool waiting = false;
    PortOpenFailure openFailure;
    LowLatencyRequest latency;
};
