#pragma once
// A board link that answers from a script instead of a serial port: the board procedures
// meet every reply a faulty board or line can give, in microseconds.

#include "board/board_link.h"

#include <functional>

class ScriptedLink final : public BoardLink {
public:
    // The reply (without CR LF; empty: silence) to the command of exchange `exchange` (from 0).
    using Script = std::function<QByteArray(const QByteArray& command, int exchange)>;

    explicit ScriptedLink(Script script, int loseAt = -1)
        : script(std::move(script)), loseAt(loseAt) {}

    QByteArray CommTxRx(const QByteArray& strTx) override {
        if (lost) {
            return {}; // as a serial link: nothing goes out to a device that has gone
        }
        sent += strTx;
        const int exchange = exchanges++;
        // The device goes away once the command of exchange `loseAt` is out.
        lost = exchange == loseAt;
        return lost ? QByteArray() : script(strTx, exchange);
    }
    bool IsLost() const override { return lost; }
    bool HadPortError() const override { return false; }

    QByteArray sent; // every byte that went out, in order
    int exchanges = 0;

private:
    Script script;
    int loseAt;
    bool lost = false;
};
