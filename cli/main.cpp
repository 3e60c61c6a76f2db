// miravel6-cli: the board operations and the file checks without a window, for programming
// boards one after the other and for scripts.

#include "cli/board_commands.h"
#include "cli/cli_options.h"
#include "cli/cli_output.h"
#include "cli/file_commands.h"
#include "cli/picture_commands.h"
#include "files/native_path.h"
#include "files/qt_italian.h"
#include "files/version.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstring>
#include <memory>

namespace {

// render paints with fonts, so it needs a GUI application; with no display, offscreen.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "render") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

int Run(int argc, char* argv[]) {

    // The arguments as the system's bytes: a file or device name need not be UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << PathFromNative(QByteArray(argv[i]));
    }
    const ParsedCli parsed = ParseCliArguments(arguments);
    switch (parsed.outcome) {
    case ParsedCli::Outcome::Help:
        PrintOut(CliHelpText());
        return kExitDone;
    case ParsedCli::Outcome::Version:
        PrintOut(QStringLiteral("miravel6-cli ") + ProgramVersion());
        return kExitDone;
    case ParsedCli::Outcome::UsageError:
        PrintErr(parsed.error + QStringLiteral("\nmiravel6-cli --help elenca i comandi."));
        return kExitUsage;
    case ParsedCli::Outcome::Run:
        break;
    }
    const CliRequest& request = parsed.request;
    switch (request.command) {
    case CliCommand::Image:
        return RunImage(request.file);
    case CliCommand::Report:
        return RunReport(request.file);
    case CliCommand::Check:
        return RunCheck(request.file);
    case CliCommand::Preview:
        return RunPreview(request.file, request.atSeconds);
    case CliCommand::Render:
        return RunRender(request.file, request.output, request.timeline);
    default:
        return RunBoardCommand(request);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    GuardStandardStreams();
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
    InstallQtItalian(*app);
    return FinishOutput(Run(argc, argv));
}
