#pragma once
// What the board procedures need of a link: one exchange of a command and its reply, and
// whether the device went away. SerialLink is the real one; the tests script their own.

#include <QByteArray>

class BoardLink {
public:
    virtual ~BoardLink() = default;

    // Sends strTx and returns the reply without its CR LF; empty when none came in time.
    // Once the device has gone every exchange returns empty at once.
    virtual QByteArray CommTxRx(const QByteArray& strTx) = 0;

    // True after the device went away (unplugged, hung up) during this opening of the port.
    virtual bool IsLost() const = 0;
    // True after the port reported an error that is no lost device (another reader, say).
    virtual bool HadPortError() const = 0;
};
