#include "board/board_procedures.h"

#include "board/board_link.h"

#include <QByteArray>

#include <string_view>

namespace {

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// An empty reply is silence, unless the device went away meanwhile.
BoardFault MissingOrBad(const BoardLink& link, const QByteArray& strRx) {
    if (link.IsLost()) {
        return BoardFault::DeviceLost;
    }
    if (link.HadPortError()) {
        return BoardFault::PortError;
    }
    if (IsWriteEcho(View(strRx))) {
        return BoardFault::UnfinishedWrite;
    }
    return strRx.isEmpty() ? BoardFault::NoReply : BoardFault::BadReply;
}

} // namespace

LinkTestOutcome RunLinkTest(BoardLink& link) {
    const QByteArray strRx = link.CommTxRx(QByteArrayLiteral("RAT\r\n"));
    return {ClassifyLinkReply(View(strRx)), link.IsLost(), link.HadPortError(),
            IsWriteEcho(View(strRx))};
}

ReadOutcome ReadBoardImage(BoardLink& link) {
    const QByteArray strRx = link.CommTxRx(QByteArrayLiteral("R"));
    if (const std::optional<EdataBytes> image = ParseReadReply(View(strRx))) {
        return {BoardFault::None, *image};
    }
    return {MissingOrBad(link, strRx), {}};
}

WriteOutcome WriteBoardImage(BoardLink& link, const EdataBytes& image,
                             const WriteProgress& progress, const StopRequest& stop) {
    const QByteArray ready = link.CommTxRx(QByteArrayLiteral("W"));
    if (!IsWriteReady(View(ready))) {
        return {MissingOrBad(link, ready), 0, 0};
    }
    WriteOutcome outcome;
    for (const std::uint8_t byte : image) {
        if (stop && stop()) {
            outcome.fault = BoardFault::Interrupted;
            return outcome;
        }
        ++outcome.attempted;
        if (progress) {
            progress(outcome.attempted);
        }
        const QByteArray strRx = link.CommTxRx(QByteArray(1, static_cast<char>(byte)));
        switch (CheckWriteEcho(View(strRx), byte)) {
        case EchoCheck::Confirmed:
            continue;
        case EchoCheck::CommError:
            outcome.fault = MissingOrBad(link, strRx);
            return outcome;
        case EchoCheck::WriteError:
            outcome.fault = BoardFault::WrongEcho;
            outcome.echoed = HexToByte(View(strRx).substr(1));
            return outcome;
        }
    }
    return outcome;
}

OutputOutcome SendOutputCommand(BoardLink& link, int output, bool on) {
    const char command = OutputCommand(output, !on); // the letter names the state to leave
    const QByteArray strRx = link.CommTxRx(QByteArray(1, command));
    if (const std::optional<OutputStates> states = ParseOutputReply(View(strRx))) {
        return {BoardFault::None, *states};
    }
    return {MissingOrBad(link, strRx), {}};
}
