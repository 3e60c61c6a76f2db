#pragma once
// Owns the serial port of the board link: opens it, exchanges one command and its reply,
// closes it. Shows no dialogs; the window decides what the user sees.

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;

class SerialLink final : public QObject {
    Q_OBJECT

public:
    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override;

    // 9600 baud, 8N1, no handshaking, exclusive. False when the device cannot be opened.
    bool Open(const QString& deviceName);
    void Close();
    bool IsOpen() const;

    // Discards waiting input, sends strTx and waits for a reply ending in CR LF, at most
    // 0.5 s from the send, while the event loop keeps running. Returns the reply without
    // its CR LF, or empty when none came in time.
    QByteArray CommTxRx(const QByteArray& strTx);

private:
    QSerialPort* port;
};
