#include "cli/cli_options.h"

#include "cli/picture_commands.h"
#include "model/effect_grid.h"

#include <optional>

namespace {

struct CommandShape {
    const char* name;
    CliCommand command;
    int files; // positional file names (0 or 1)
    bool needsPort;
};

constexpr CommandShape kCommands[] = {
    {"test", CliCommand::Test, 0, true},        {"read", CliCommand::Read, 0, true},
    {"write", CliCommand::Write, 1, true},      {"verify", CliCommand::Verify, 1, true},
    {"image", CliCommand::Image, 1, false},     {"report", CliCommand::Report, 1, false},
    {"check", CliCommand::Check, 1, false},     {"out", CliCommand::Out, 0, true},
    {"preview", CliCommand::Preview, 1, false}, {"render", CliCommand::Render, 1, false},
};

const CommandShape* FindCommand(const QString& name) {
    for (const CommandShape& shape : kCommands) {
        if (name == QLatin1String(shape.name)) {
            return &shape;
        }
    }
    return nullptr;
}

ParsedCli Usage(const QString& error) {
    ParsedCli parsed;
    parsed.outcome = ParsedCli::Outcome::UsageError;
    parsed.error = error;
    return parsed;
}

// An option that takes a value: "--port P" or "--port=P". Empty optional when the argument
// is not this option; an empty value when the value is missing.
std::optional<QString> OptionValue(const QStringList& arguments, qsizetype& i,
                                   QLatin1String option) {
    const QString& argument = arguments.at(i);
    if (argument == option) {
        if (i + 1 >= arguments.size()) {
            return QString();
        }
        return arguments.at(++i);
    }
    if (argument.startsWith(option + QLatin1Char('='))) {
        return argument.mid(option.size() + 1);
    }
    return std::nullopt;
}

// --help or --version where an option stands; the value of an option ("-o --help") is a value.
std::optional<ParsedCli::Outcome> HelpOrVersion(const QStringList& arguments) {
    static const QStringList kTakeValue{QStringLiteral("--port"), QStringLiteral("-o"),
                                        QStringLiteral("--output"), QStringLiteral("--names-from")};
    std::optional<ParsedCli::Outcome> asked;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (kTakeValue.contains(argument)) {
            ++i;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return ParsedCli::Outcome::Help;
        } else if (argument == QLatin1String("--version") && !asked) {
            asked = ParsedCli::Outcome::Version;
        }
    }
    return asked;
}

} // namespace

ParsedCli ParseCliArguments(const QStringList& arguments) {
    if (const std::optional<ParsedCli::Outcome> asked = HelpOrVersion(arguments)) {
        return {*asked, {}, {}};
    }
    if (arguments.isEmpty()) {
        return Usage(QStringLiteral("Manca il comando."));
    }
    const CommandShape* shape = FindCommand(arguments.first());
    if (!shape) {
        return Usage(QStringLiteral("Comando sconosciuto: ") + arguments.first());
    }

    ParsedCli parsed;
    CliRequest& request = parsed.request;
    request.command = shape->command;
    QStringList positional;
    QString at;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        std::optional<QString> value;
        if ((value = OptionValue(arguments, i, QLatin1String("--port")))) {
            request.port = *value;
        } else if ((value = OptionValue(arguments, i, QLatin1String("-o"))) ||
                   (value = OptionValue(arguments, i, QLatin1String("--output")))) {
            request.output = *value;
        } else if ((value = OptionValue(arguments, i, QLatin1String("--names-from")))) {
            request.namesFrom = *value;
        } else if ((value = OptionValue(arguments, i, QLatin1String("--at")))) {
            at = *value;
        } else if (argument == QLatin1String("--verify")) {
            request.verify = true;
        } else if (argument == QLatin1String("--timeline")) {
            request.timeline = true;
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return Usage(QStringLiteral("Opzione sconosciuta: ") + argument);
        } else {
            positional.push_back(argument);
            continue;
        }
        if (value && value->isEmpty()) {
            return Usage(QStringLiteral("Manca il valore dell'opzione ") + argument);
        }
    }

    const QString& command = arguments.first();
    const bool outputAllowed =
        shape->command == CliCommand::Read || shape->command == CliCommand::Render;
    if (!request.output.isEmpty() && !outputAllowed) {
        return Usage(QStringLiteral("-o vale solo per i comandi read e render."));
    }
    if (!request.namesFrom.isEmpty() && shape->command != CliCommand::Read) {
        return Usage(QStringLiteral("--names-from vale solo per il comando read."));
    }
    if (!at.isEmpty() && shape->command != CliCommand::Preview) {
        return Usage(QStringLiteral("--at vale solo per il comando preview."));
    }
    if (request.timeline && shape->command != CliCommand::Render) {
        return Usage(QStringLiteral("--timeline vale solo per il comando render."));
    }
    if (request.verify && shape->command != CliCommand::Write) {
        return Usage(QStringLiteral("--verify vale solo per il comando write."));
    }
    if (!shape->needsPort && !request.port.isEmpty()) {
        return Usage(QStringLiteral("Il comando ") + command + QStringLiteral(" non usa --port."));
    }
    if (shape->needsPort && request.port.isEmpty()) {
        return Usage(QStringLiteral("Il comando ") + command +
                     QStringLiteral(" richiede --port DISPOSITIVO o --port COMn."));
    }
    if (shape->command == CliCommand::Read && request.output.isEmpty()) {
        return Usage(QStringLiteral("Il comando read richiede -o FILE.dm6."));
    }
    if (shape->command == CliCommand::Render && request.output.isEmpty()) {
        return Usage(QStringLiteral("Il comando render richiede -o FILE.png, .svg o .pdf."));
    }
    if (shape->command == CliCommand::Preview) {
        if (at.isEmpty()) {
            return Usage(
                QStringLiteral("Il comando preview richiede --at T (secondi o hh:mm:ss)."));
        }
        const std::optional<double> seconds = ParseMomentSeconds(at);
        if (!seconds) {
            return Usage(QStringLiteral("Tempo non valido per --at: ") + at +
                         QStringLiteral(" (secondi, come 90 o 12.5, oppure hh:mm:ss)"));
        }
        request.atSeconds = *seconds;
    }

    if (shape->command == CliCommand::Out) {
        bool number = false;
        const int output1 = positional.value(0).toInt(&number);
        const QString state = positional.value(1);
        if (positional.size() != 2 || !number || output1 < 1 || output1 > kOutputs ||
            (state != QLatin1String("on") && state != QLatin1String("off"))) {
            return Usage(QStringLiteral("Uso: out N on|off --port P, con N da 1 a 10."));
        }
        request.output1 = output1;
        request.on = state == QLatin1String("on");
        return parsed;
    }
    if (positional.size() != shape->files) {
        return Usage(shape->files == 0
                         ? QStringLiteral("Il comando ") + command +
                               QStringLiteral(" non prende file: ") + positional.join(u' ')
                         : QStringLiteral("Il comando ") + command +
                               QStringLiteral(" richiede un solo file .dm6."));
    }
    request.file = positional.value(0);
    return parsed;
}

QString CliHelpText() {
    return QStringLiteral(
        "Uso: miravel6-cli COMANDO [argomenti]\n"
        "\n"
        "Programma e controlla una scheda Miravel6 senza finestra, una scheda alla volta.\n"
        "\n"
        "Comandi con la scheda (--port P: un dispositivo come /dev/ttyUSB0, oppure COMn come\n"
        "nella finestra del programma):\n"
        "  test --port P                 test del collegamento: scheda, loopback, modem o niente\n"
        "  read --port P -o FILE.dm6     legge la scheda e salva la configurazione in FILE.dm6\n"
        "       [--names-from ALTRO.dm6] con i nomi di ALTRO.dm6 invece di quelli predefiniti\n"
        "  write FILE.dm6 --port P       scrive la configurazione, verificando l'eco di ogni byte\n"
        "       [--verify]               poi rilegge la scheda e confronta tutti i 128 byte\n"
        "  verify FILE.dm6 --port P      dice se la scheda contiene la configurazione del file\n"
        "  out N on|off --port P         accende o spegne l'uscita N (1..10)\n"
        "\n"
        "Comandi con il solo file:\n"
        "  image FILE.dm6                i 128 byte per la scheda in 256 cifre esadecimali\n"
        "  report FILE.dm6               il rapporto dei valori di luce (light_value.txt)\n"
        "  check FILE.dm6                dice se il file è una configurazione valida\n"
        "  preview FILE.dm6 --at T       il livello di ogni uscita (0..256) al tempo T del ciclo,\n"
        "                                in secondi o hh:mm:ss, senza tremolo\n"
        "  render FILE.dm6 -o IMMAGINE   disegna la griglia come la finestra, in PNG, SVG o PDF\n"
        "       [--timeline]             oppure i livelli delle dieci uscite su tutto il ciclo\n"
        "\n"
        "  -h, --help                    questo aiuto\n"
        "  --version                     la versione\n"
        "\n"
        "Stato di uscita: 0 fatto; 1 la scheda o il collegamento non hanno funzionato;\n"
        "2 uso sbagliato, oppure un file rifiutato o che non si può scrivere;\n"
        "3 (test) ha risposto un loopback, non una scheda.\n");
}
