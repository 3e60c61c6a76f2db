#include "cli/board_commands.h"

#include "board/board_messages.h"
#include "board/board_procedures.h"
#include "board/port_settings.h"
#include "board/serial_link.h"
#include "board/stop_signals.h"
#include "cli/cli_output.h"
#include "cli/file_commands.h"
#include "cli/image_diff.h"
#include "cli/port_choice.h"
#include "files/dm6_file.h"
#include "files/file_messages.h"
#include "files/write_failure.h"
#include "model/fase_time.h"
#include "model/hex_text.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <optional>

namespace {

QString Hex(std::uint8_t value, int digits = 2) {
    return QString::fromStdString(HexDigits(value, digits));
}

QString FaseByteText(std::uint8_t byte) {
    return Hex(byte) + QStringLiteral(" (") + QString::fromUtf8(FaseTime(byte & 63).caption) +
           QLatin1Char(')');
}

QString DifferenceLines(const ImageDifferences& differences) {
    QStringList lines;
    for (const FaseDifference& fase : differences.fasi) {
        lines << QStringLiteral("Fase %1: durata sulla scheda %2, nel file %3")
                     .arg(fase.fase + 1)
                     .arg(FaseByteText(fase.board), FaseByteText(fase.file));
    }
    for (const CellDifference& cell : differences.cells) {
        const QString where = QStringLiteral("Uscita %1, fase %2: ")
                                  .arg(cell.cell / kFasi + 1)
                                  .arg(cell.cell % kFasi + 1);
        if (cell.effects) {
            lines << where + QStringLiteral("effetti sulla scheda %1, nel file %2")
                                 .arg(Hex(cell.boardEffects), Hex(cell.fileEffects));
        }
        if (cell.flags) {
            lines << where + QStringLiteral("tremolo e accensione casuale sulla scheda %1, "
                                            "nel file %2")
                                 .arg(Hex(cell.boardFlags, 1), Hex(cell.fileFlags, 1));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

// The port of one command: opened at the start, closed when the command ends.
class CommandLink {
public:
    explicit CommandLink(const ChosenPort& chosen) : port(chosen) {}
    ~CommandLink() { link.Close(); }

    // False, with the device and the reason on standard error, when the port cannot be opened.
    bool Open() {
        if (!port.openProblem.isEmpty()) {
            PrintErr(QStringLiteral("Impossibile aprire la porta ") + port.label +
                     QLatin1Char('\n') + port.openProblem);
            return false;
        }
        if (link.Open(port.device)) {
            return true;
        }
        PrintErr(PortOpenFailedText(port.label) + QLatin1Char('\n') +
                 link.LastOpenFailure().detail);
        return false;
    }

    int CommFailed(BoardFault fault, const QString& where = {}) const {
        PrintErr(kCommErrorText + QStringLiteral(" su ") + port.label + where +
                 QStringLiteral(": ") + BoardFaultReason(fault, link.LastPortError()));
        return kExitBoardFailed;
    }

    SerialLink link;
    const ChosenPort port;
};

int RunTest(CommandLink& board) {
    if (!board.port.openProblem.isEmpty() || !board.link.Open(board.port.device)) {
        PrintErr(LinkTestOpenFailedText(board.port.label) + QLatin1Char('\n') +
                 (board.port.openProblem.isEmpty() ? board.link.LastOpenFailure().detail
                                                   : board.port.openProblem));
        return kExitBoardFailed;
    }
    const LinkTestOutcome outcome = RunLinkTest(board.link);
    if (outcome.deviceLost) {
        return board.CommFailed(BoardFault::DeviceLost);
    }
    if (outcome.portError) {
        return board.CommFailed(BoardFault::PortError);
    }
    if (outcome.unfinishedWrite) {
        return board.CommFailed(BoardFault::UnfinishedWrite);
    }
    PrintOut(LinkTestText(board.port.label, outcome.device));
    if (outcome.device == LinkDevice::Loopback) {
        return kExitLoopback;
    }
    return LinkTestSucceeded(outcome.device) ? kExitDone : kExitBoardFailed;
}

int RunRead(CommandLink& board, const CliRequest& request) {
    Configuration config = DefaultConfiguration();
    // Refused before the board is asked: a read that cannot be kept is a read for nothing.
    if (const std::optional<QString> refusal = ForeseenWriteFailure(request.output)) {
        PrintErr(kSaveFailedText + QLatin1Char(' ') + request.output + QStringLiteral(": ") +
                 *refusal);
        return kExitUsage;
    }
    // A device or a fifo at the path would be replaced by the file.
    if (!IsReplaceableTarget(request.output)) {
        PrintErr(kSaveFailedText + QLatin1Char(' ') + request.output +
                 QStringLiteral(": non è un file regolare"));
        return kExitUsage;
    }
    if (!request.namesFrom.isEmpty()) {
        const std::optional<Configuration> names = LoadConfigurationFile(request.namesFrom);
        if (!names) {
            return kExitUsage;
        }
        config.outNames = names->outNames;
        config.faseNames = names->faseNames;
    }
    if (!board.Open()) {
        return kExitBoardFailed;
    }
    const ReadOutcome read = ReadBoardImage(board.link);
    if (read.fault != BoardFault::None) {
        return board.CommFailed(read.fault);
    }
    config = WithImage(config, read.image);
    // Written beside the target and renamed over it: a failure leaves the old file.
    QString reason;
    if (!WriteDm6File(request.output, config, &reason)) {
        PrintErr(kSaveFailedText + QLatin1Char(' ') + request.output + QStringLiteral(": ") +
                 reason);
        return kExitUsage;
    }
    PrintOut(QStringLiteral("Configurazione letta da ") + board.port.label +
             QStringLiteral(" e salvata in ") + request.output);
    return kExitDone;
}

// Reads the board and lists what differs from the image; 0 when nothing does. `when` tells a
// failed read apart from a failed write in the message.
int CompareWithBoard(CommandLink& board, const EdataBytes& image, const QString& file,
                     const QString& when = {}) {
    const ReadOutcome read = ReadBoardImage(board.link);
    if (read.fault != BoardFault::None) {
        return board.CommFailed(read.fault, when);
    }
    const ImageDifferences differences = CompareImages(read.image, image);
    if (differences.empty()) {
        PrintOut(QStringLiteral("La scheda su ") + board.port.label +
                 QStringLiteral(" contiene la configurazione di ") + file);
        return kExitDone;
    }
    PrintOut(QStringLiteral("La scheda su ") + board.port.label +
             QStringLiteral(" non contiene la configurazione di ") + file + QStringLiteral(":\n") +
             DifferenceLines(differences));
    return kExitBoardFailed;
}

int RunWrite(CommandLink& board, const CliRequest& request, const EdataBytes& image) {
    if (!ImageHasEnabledFase(image)) {
        PrintErr(kNoFaseEnabledText + QStringLiteral(" (") + request.file + QLatin1Char(')'));
        return kExitUsage;
    }
    if (!board.Open()) {
        return kExitBoardFailed;
    }
    const bool showProgress = ErrIsTerminal();
    WriteOutcome written;
    {
        const StopSignals interrupts;
        written = WriteBoardImage(
            board.link, image,
            [&](int attempted) {
                if (showProgress) {
                    ShowProgress(
                        QStringLiteral("Scrittura: %1 di %2 byte").arg(attempted).arg(kEdataSize));
                }
            },
            [&] { return interrupts.Requested(); });
    }
    if (showProgress && written.attempted > 0) {
        ProgressDone();
    }
    const QString at = QStringLiteral(" al byte %1 di %2").arg(written.attempted).arg(kEdataSize);
    switch (written.fault) {
    case BoardFault::None:
        break;
    case BoardFault::WrongEcho: {
        const std::uint8_t sent = image[static_cast<std::size_t>(written.attempted - 1)];
        PrintErr(kWriteErrorText + QStringLiteral(" su ") + board.port.label + at +
                 QStringLiteral(": inviato %1, la scheda ha confermato %2")
                     .arg(Hex(sent), Hex(written.echoed)));
        return kExitBoardFailed;
    }
    case BoardFault::Interrupted:
        PrintErr(QStringLiteral("Scrittura su ") + board.port.label +
                 QStringLiteral(" interrotta al byte %1 di %2: la scheda attende il resto dei "
                                "dati; ")
                     .arg(written.attempted)
                     .arg(kEdataSize) +
                 kResetBoardAdvice);
        return kExitBoardFailed;
    case BoardFault::NoReply:
    case BoardFault::DeviceLost:
    case BoardFault::PortError:
    case BoardFault::BadReply:
    case BoardFault::UnfinishedWrite:
        return board.CommFailed(written.fault, written.attempted > 0 ? at : QString());
    }
    PrintOut(kWriteDoneText);
    return request.verify
               ? CompareWithBoard(board, image, request.file, QStringLiteral(" nella rilettura"))
               : kExitDone;
}

int RunOut(CommandLink& board, const CliRequest& request) {
    if (!board.Open()) {
        return kExitBoardFailed;
    }
    const int output = request.output1 - 1;
    const OutputOutcome reply = SendOutputCommand(board.link, output, request.on);
    if (reply.fault != BoardFault::None) {
        return board.CommFailed(reply.fault);
    }
    QStringList lines;
    for (int j = 0; j < kOutputs; ++j) {
        lines << QStringLiteral("Uscita %1: %2")
                     .arg(j + 1)
                     .arg(reply.states[static_cast<std::size_t>(j)] ? QStringLiteral("accesa")
                                                                    : QStringLiteral("spenta"));
    }
    PrintOut(lines.join(QLatin1Char('\n')));
    // The board may keep an output as it is; a script must learn that it did.
    if (reply.states[static_cast<std::size_t>(output)] != request.on) {
        PrintErr(QStringLiteral("La scheda su ") + board.port.label +
                 QStringLiteral(" ha lasciato l'uscita %1 %2")
                     .arg(request.output1)
                     .arg(request.on ? QStringLiteral("spenta") : QStringLiteral("accesa")));
        return kExitBoardFailed;
    }
    return kExitDone;
}

} // namespace

int RunBoardCommand(const CliRequest& request) {
    const StoredPortSettings settings;
    const ChosenPort chosen = ChoosePort(settings, request.port);
    if (!chosen.error.isEmpty()) {
        PrintErr(chosen.error);
        return kExitUsage;
    }
    std::optional<EdataBytes> image;
    if (request.command == CliCommand::Write || request.command == CliCommand::Verify) {
        const std::optional<Configuration> config = LoadConfigurationFile(request.file);
        if (!config) {
            return kExitUsage;
        }
        image = EncodeEdata(config->faseCodes, config->recEffSet);
    }
    CommandLink board(chosen);
    switch (request.command) {
    case CliCommand::Test:
        return RunTest(board);
    case CliCommand::Read:
        return RunRead(board, request);
    case CliCommand::Write:
        return RunWrite(board, request, *image);
    case CliCommand::Verify:
        return board.Open() ? CompareWithBoard(board, *image, request.file) : kExitBoardFailed;
    case CliCommand::Out:
        return RunOut(board, request);
    case CliCommand::Image:
    case CliCommand::Report:
    case CliCommand::Check:
    case CliCommand::Preview:
    case CliCommand::Render:
        break;
    }
    return kExitUsage;
}
