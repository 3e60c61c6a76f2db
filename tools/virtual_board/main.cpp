// A virtual Miravel6 board on a pseudo-terminal: lets a person try every board operation
// of the program without hardware, and gives the tests a board they can steer.

#include "files/qt_italian.h"
#include "tools/virtual_board/board_loop.h"
#include "tools/virtual_board/board_options.h"
#include "tools/virtual_board/board_records.h"
#include "tools/virtual_board/device_names.h"
#include "tools/virtual_board/line_devices.h"
#include "tools/virtual_board/stop_signals.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

using namespace vboard;

namespace {

void printLine(std::FILE* stream, const std::string& text) {
    std::fputs((text + '\n').c_str(), stream);
    std::fflush(stream);
}

int fail(const std::string& text) {
    printLine(stderr, "miravel6-virtual-board: " + text);
    return 1;
}

std::string describeDevice(const BoardOptions& options) {
    return options.device == DeviceKind::Loopback      ? "connettore loopback (pin 2+3 in corto)"
           : options.device == DeviceKind::CannedReply ? "modem AT o altro dispositivo"
           : options.faults.garbage                    ? "scheda Miravel6 che risponde a caso"
           : options.faults.silent                     ? "scheda Miravel6 muta"
                                                       : "scheda Miravel6";
}

void greet(const BoardOptions& options, const std::string& device, const QString& settingsFile) {
    // The first line is for programs; keep it exactly as it is.
    printLine(stdout, "DEVICE " + device);
    printLine(stdout, "Virtuale: " + describeDevice(options) + " (" +
                          (options.line.paced ? "9600 baud 8N1" : "senza pausa") + ").");
    printLine(stdout, "Dispositivo da indicare per una porta COM: " + device);
    printLine(stdout, options.comName.isEmpty()
                          ? "Per associarlo alla porta COM3 del programma avviare invece: "
                            "miravel6-virtual-board --as COM3"
                          : "La porta " + options.comName.toStdString() +
                                " del programma ora usa " + device + " (in " +
                                settingsFile.toStdString() + ", tolta all'uscita).");
    if (!options.linkPath.empty()) {
        printLine(stdout, "Collegamento: " + options.linkPath + " -> " + device);
    }
    printLine(stdout, "Ctrl+C per terminare.");
}

std::unique_ptr<Responder> makeDevice(const BoardOptions& options, const Announce& announce) {
    if (options.device != DeviceKind::Board) {
        return options.device == DeviceKind::Loopback
                   ? std::unique_ptr<Responder>(std::make_unique<LoopbackPlug>())
                   : std::make_unique<LineReplier>(options.reply);
    }
    BoardProtocol::WriteDone dump;
    if (!options.dumpImagePath.empty()) {
        dump = [path = options.dumpImagePath](const BoardImage& image) {
            std::string error;
            if (!dumpImage(path, image, error)) {
                printLine(stderr, "miravel6-virtual-board: " + error);
            }
        };
    }
    return std::make_unique<BoardProtocol>(options.image, options.faults, announce, dump);
}

std::string farewell(BoardLoop::End end, const BoardLoop& loop) {
    switch (end) {
    case BoardLoop::End::HangupAfterBytes:
        return "Linea chiusa dopo " + std::to_string(loop.receivedCount()) +
               " byte ricevuti, come richiesto.";
    case BoardLoop::End::StdinClosed:
        return "Standard input chiuso: fine.";
    case BoardLoop::End::Failure:
        return "Errore di sistema nell'attesa della linea.";
    case BoardLoop::End::Signal:
        break;
    }
    return "Fine.";
}

} // namespace

int main(int argc, char* argv[]) {
    std::string error;
    if (!catchStopSignals(error)) {
        return fail(error);
    }
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("miravel6-virtual-board"));
    InstallQtItalian(application);
    const ParsedOptions parsed = parseBoardOptions(QCoreApplication::arguments());
    if (parsed.outcome != ParsedOptions::Outcome::Run) {
        const bool help = parsed.outcome == ParsedOptions::Outcome::Help;
        printLine(help ? stdout : stderr,
                  (help ? "" : "miravel6-virtual-board: ") + parsed.text.toStdString());
        return help ? 0 : 2;
    }
    const BoardOptions& options = parsed.options;

    PtyMaster pty;
    ByteLog log;
    SlaveLink link;
    if (!pty.open(error) || (!options.logPath.empty() && !log.open(options.logPath, error)) ||
        // Link and mapping exist before the DEVICE line, so whoever reads it can go ahead.
        (!options.linkPath.empty() && !link.create(options.linkPath, pty.slavePath(), error))) {
        return fail(error);
    }
    ComPortMapping mapping;
    QString mappingError;
    if (!options.comName.isEmpty() &&
        !mapping.apply(options.comName, QString::fromStdString(pty.slavePath()), mappingError)) {
        return fail(mappingError.toStdString());
    }
    greet(options, pty.slavePath(), mapping.settingsFile());

    // A person at a terminal likes to see what happens; a harness reading a pipe does not.
    const bool chatty = isatty(STDOUT_FILENO) != 0;
    const Announce announce = [chatty](std::string_view text) {
        if (chatty) {
            printLine(stdout, std::string(text));
        }
    };
    const std::unique_ptr<Responder> device = makeDevice(options, announce);
    if (options.line.paced) {
        askPreciseWakeUps();
    }
    BoardLoop loop(pty, *device, options.line, log, announce);
    const BoardLoop::End end = loop.run();
    // Ending on request is not news to whoever asked; a hang-up or a failure is.
    if (chatty || (end != BoardLoop::End::Signal && end != BoardLoop::End::StdinClosed)) {
        printLine(stderr, farewell(end, loop));
    }
    return end == BoardLoop::End::Failure ? 1 : 0;
}
