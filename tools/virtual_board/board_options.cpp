#include "tools/virtual_board/board_options.h"

#include "build_info.h"

#include <QCommandLineParser>
#include <QFile>
#include <QRegularExpression>

#include <chrono>
#include <map>

namespace vboard {

namespace {

using std::chrono::milliseconds;

QCommandLineOption valueOption(const char* name, const char* description, const char* valueName) {
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description),
                              QString::fromLatin1(valueName));
}

QCommandLineOption flagOption(const char* name, const char* description) {
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description));
}

// Reads an integer option within [low, high]; records a message on failure.
bool readNumber(const QCommandLineParser& parser, const char* name, long long low, long long high,
                long long& value, QString& error) {
    bool ok = false;
    value = parser.value(QString::fromLatin1(name)).toLongLong(&ok);
    if (!ok || value < low || value > high) {
        error = QStringLiteral("--%1: atteso un numero da %2 a %3")
                    .arg(QString::fromLatin1(name))
                    .arg(low)
                    .arg(high);
        return false;
    }
    return true;
}

struct Parser {
    QCommandLineParser parser;
    QString error;

    bool isSet(const char* name) const { return parser.isSet(QString::fromLatin1(name)); }
    std::string text(const char* name) const {
        return parser.value(QString::fromLatin1(name)).toStdString();
    }
    template <typename T> bool number(const char* name, long long low, long long high, T& target) {
        if (!isSet(name)) {
            return true;
        }
        long long value = 0;
        if (!readNumber(parser, name, low, high, value, error)) {
            return false;
        }
        target = static_cast<T>(value);
        return true;
    }
};

void declareOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Scheda Miravel6 virtuale su uno pseudo-terminale, per provare il programma senza "
        "hardware."));
    parser.addHelpOption();
    parser.addOption(flagOption("version", "Stampa la versione ed esce."));
    parser.addOptions({
        valueOption("as", "Associa la porta COMn del programma a questa scheda (tolta all'uscita).",
                    "COMn"),
        valueOption("link", "Crea un collegamento simbolico al dispositivo (tolto all'uscita).",
                    "PATH"),
        valueOption("image", "Immagine iniziale di 128 byte in 256 cifre esadecimali.", "HEX256"),
        valueOption("image-file", "Immagine iniziale letta da un file di 256 cifre esadecimali.",
                    "FILE"),
        valueOption("baud", "Velocità della linea (predefinita 9600).", "N"),
        flagOption("no-pace", "Trasmette e riceve alla massima velocità possibile."),
        flagOption("loopback", "Si comporta come un connettore loopback: rimanda ogni byte."),
        flagOption("modem", "Si comporta come un modem AT."),
        valueOption("modem-style",
                    "Risposta del modem: echo (\"RAT\\r\" e \"\\r\\nOK\\r\\n\" insieme), "
                    "crlf-first (\"\\r\\n\", 50 ms, \"OK\\r\\n\") o ok-only (\"\\r\\nOK\\r\\n\").",
                    "STILE"),
        valueOption("modem-pause-ms",
                    "Pausa del modem crlf-first fra \"\\r\\n\" e \"OK\\r\\n\" (predefinita 50).",
                    "M"),
        flagOption("silent", "Riceve i comandi ma non risponde mai."),
        flagOption("garbage",
                   "Risponde a ogni comando con caratteri stampabili a caso e CR LF, invece "
                   "del protocollo."),
        valueOption("garbage-after-reply",
                    "Dopo ogni risposta invia N caratteri a caso senza CR LF, se la linea resta "
                    "libera per --garbage-gap-ms (un comando che arriva prima li annulla).",
                    "N"),
        valueOption("garbage-gap-ms",
                    "Silenzio dopo la risposta prima dei caratteri di --garbage-after-reply "
                    "(predefinito 20).",
                    "M"),
        valueOption("chunk", "Invia ogni risposta a pezzi di N caratteri.", "N"),
        valueOption("split-at",
                    "Invia ogni risposta in due pezzi, divisa dopo il carattere N; con N-M "
                    "le risposte successive si dividono dopo N, N+1, ... M e poi di nuovo da N.",
                    "N[-M]"),
        valueOption("chunk-gap-ms", "Pausa fra i pezzi di una risposta.", "M"),
        valueOption("delay-ms", "Inizia ogni risposta con N ms di ritardo.", "N"),
        valueOption("adapter-latency-ms",
                    "Come un adattatore USB senza modalità a bassa latenza: trattiene i "
                    "caratteri ricevuti dalla scheda per N ms (o finché non sono 62) e poi li "
                    "passa tutti insieme.",
                    "N"),
        valueOption("wrong-echo", "In scrittura, l'eco del byte N (0..127) ha un altro valore.",
                    "N"),
        valueOption("echo-digits", "In scrittura, l'eco del byte N (0..127) ha tre cifre.", "N"),
        flagOption("lowercase", "Cifre esadecimali minuscole nella risposta alla lettura."),
        flagOption("no-r-prefix", "Risposta alla lettura senza la R iniziale."),
        valueOption("r-letter", "Risposta alla lettura con la lettera X invece di R.", "X"),
        valueOption("refuse-output", "L'uscita N (1..10) non cambia mai stato.", "N"),
        flagOption("output-reply-k", "Nella risposta alle uscite la decima lettera è K/k."),
        flagOption("reply-short", "Risposta alle uscite di sole nove lettere."),
        valueOption("hangup-after", "Chiude la linea dopo N byte ricevuti e termina.", "N"),
        valueOption("exit-after-ms", "Chiude la linea dopo N ms e termina.", "N"),
        valueOption("log", "Aggiunge ogni byte ricevuto al file, in esadecimale, uno per riga.",
                    "FILE"),
        valueOption("dump-image", "Dopo ogni scrittura completa salva l'immagine nel file.",
                    "FILE"),
        flagOption("exit-on-stdin-eof", "Termina quando lo standard input viene chiuso."),
        flagOption("verbose", "Descrive ogni comando ricevuto."),
    });
}

bool readDevice(Parser& p, BoardOptions& options) {
    const bool modem = p.isSet("modem") || p.isSet("modem-style");
    if (static_cast<int>(p.isSet("loopback")) + static_cast<int>(modem) +
            static_cast<int>(p.isSet("silent")) >
        1) {
        p.error = QStringLiteral("--loopback, --modem e --silent si escludono a vicenda");
        return false;
    }
    if (p.isSet("loopback")) {
        options.device = DeviceKind::Loopback;
    }
    if (modem) {
        options.device = DeviceKind::Modem;
    }
    if (p.isSet("modem-style")) {
        static const std::map<std::string, ModemStyle> styles{{"echo", ModemStyle::EchoThenOk},
                                                              {"crlf-first", ModemStyle::CrLfFirst},
                                                              {"ok-only", ModemStyle::OkOnly}};
        const auto style = styles.find(p.text("modem-style"));
        if (style == styles.end()) {
            p.error = QStringLiteral("--modem-style: atteso echo, crlf-first o ok-only");
            return false;
        }
        options.modemStyle = style->second;
    }
    long long pauseMs = 50;
    if (!p.number("modem-pause-ms", 0, 600000, pauseMs)) {
        return false;
    }
    options.modemPause = milliseconds(pauseMs);
    return true;
}

bool readImage(Parser& p, BoardOptions& options) {
    if (p.isSet("image") && p.isSet("image-file")) {
        p.error = QStringLiteral("--image e --image-file si escludono a vicenda");
        return false;
    }
    std::string hex;
    if (p.isSet("image")) {
        hex = p.text("image");
    } else if (p.isSet("image-file")) {
        QFile file(p.parser.value(QStringLiteral("image-file")));
        if (!file.open(QIODevice::ReadOnly)) {
            p.error = QStringLiteral("--image-file: ") + file.errorString();
            return false;
        }
        hex = file.readAll().toStdString();
    } else {
        return true;
    }
    const std::optional<BoardImage> image = imageFromHex(hex);
    if (!image) {
        p.error = QStringLiteral("immagine non valida: servono esattamente 256 cifre esadecimali");
        return false;
    }
    options.image = *image;
    return true;
}

bool readFaults(Parser& p, BoardFaults& faults) {
    faults.silent = p.isSet("silent");
    faults.garbage = p.isSet("garbage");
    if (faults.silent && faults.garbage) {
        p.error = QStringLiteral("--silent e --garbage si escludono a vicenda");
        return false;
    }
    faults.lowerCaseHex = p.isSet("lowercase");
    faults.noReadPrefix = p.isSet("no-r-prefix");
    faults.tenthLetterK = p.isSet("output-reply-k");
    faults.nineLetters = p.isSet("reply-short");
    if (p.isSet("r-letter")) {
        const std::string letter = p.text("r-letter");
        if (letter.size() != 1 || letter[0] < '!' || letter[0] > '~') {
            p.error = QStringLiteral("--r-letter: atteso un solo carattere");
            return false;
        }
        faults.readLetter = letter[0];
    }
    return p.number("refuse-output", 1, 10, faults.refusedOutput) &&
           p.number("wrong-echo", 0, 127, faults.wrongEchoAt) &&
           p.number("echo-digits", 0, 127, faults.threeDigitEchoAt);
}

// "N" or "N-M", 1 <= N <= M.
bool readSplit(Parser& p, ReplyShaping& shaping) {
    if (!p.isSet("split-at")) {
        return true;
    }
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,6})(?:-(\\d{1,6}))?$"));
    const QRegularExpressionMatch match = pattern.match(p.parser.value(QStringLiteral("split-at")));
    const long long first = match.hasMatch() ? match.captured(1).toLongLong() : 0;
    const long long last =
        match.hasMatch() && match.hasCaptured(2) ? match.captured(2).toLongLong() : first;
    if (first < 1 || last < first) {
        p.error = QStringLiteral("--split-at: atteso N oppure N-M, con 1 <= N <= M");
        return false;
    }
    shaping.splitFirst = static_cast<std::size_t>(first);
    shaping.splitLast = static_cast<std::size_t>(last);
    return true;
}

bool readTiming(Parser& p, BoardOptions& options) {
    options.paced = !p.isSet("no-pace");
    long long chunkGapMs = 0;
    long long delayMs = 0;
    long long adapterLatencyMs = 0;
    long long exitAfterMs = 0;
    std::uint64_t hangupAfter = 0;
    if (!p.number("baud", 50, 4000000, options.baud) ||
        !p.number("chunk", 1, 100000, options.shaping.chunkSize) ||
        !p.number("chunk-gap-ms", 0, 600000, chunkGapMs) ||
        !p.number("delay-ms", 0, 600000, delayMs) ||
        !p.number("adapter-latency-ms", 0, 255, adapterLatencyMs) ||
        !p.number("hangup-after", 1, 1LL << 40, hangupAfter) ||
        !p.number("exit-after-ms", 0, 1LL << 40, exitAfterMs)) {
        return false;
    }
    if (p.isSet("chunk-gap-ms") && !p.isSet("chunk") && !p.isSet("split-at")) {
        p.error = QStringLiteral("--chunk-gap-ms richiede --chunk o --split-at");
        return false;
    }
    if (!readSplit(p, options.shaping)) {
        return false;
    }
    long long junkGapMs = 20;
    if (!p.number("garbage-after-reply", 1, 100000, options.junkAfterReply) ||
        !p.number("garbage-gap-ms", 0, 600000, junkGapMs)) {
        return false;
    }
    if (p.isSet("garbage-gap-ms") && !p.isSet("garbage-after-reply")) {
        p.error = QStringLiteral("--garbage-gap-ms richiede --garbage-after-reply");
        return false;
    }
    options.junkGap = milliseconds(junkGapMs);
    options.shaping.chunkGap = milliseconds(chunkGapMs);
    options.shaping.delay = milliseconds(delayMs);
    options.shaping.adapterLatency = milliseconds(adapterLatencyMs);
    if (p.isSet("hangup-after")) {
        options.hangupAfterBytes = hangupAfter;
    }
    if (p.isSet("exit-after-ms")) {
        options.exitAfter = milliseconds(exitAfterMs);
    }
    return true;
}

bool readSurroundings(Parser& p, BoardOptions& options) {
    options.logPath = p.text("log");
    options.dumpImagePath = p.text("dump-image");
    options.linkPath = p.text("link");
    options.exitOnStdinEof = p.isSet("exit-on-stdin-eof");
    options.verbose = p.isSet("verbose");
    if (p.isSet("as")) {
        // The program lists COM1 to COM16.
        static const QRegularExpression comPattern(QStringLiteral("^COM([1-9]|1[0-6])$"));
        const QString name = p.parser.value(QStringLiteral("as")).toUpper();
        if (!comPattern.match(name).hasMatch()) {
            p.error = QStringLiteral("--as: atteso COM1 .. COM16");
            return false;
        }
        options.comName = name;
    }
    return true;
}

} // namespace

ParsedOptions parseBoardOptions(const QStringList& arguments) {
    ParsedOptions result;
    Parser p;
    declareOptions(p.parser);
    if (!p.parser.parse(arguments)) {
        result.outcome = ParsedOptions::Outcome::Error;
        result.text = p.parser.errorText();
        return result;
    }
    if (p.parser.isSet(QStringLiteral("help"))) {
        result.outcome = ParsedOptions::Outcome::Help;
        result.text = p.parser.helpText();
        return result;
    }
    if (p.parser.isSet(QStringLiteral("version"))) {
        result.outcome = ParsedOptions::Outcome::Help;
        result.text = QStringLiteral("miravel6-virtual-board " MIRAVEL6_VERSION);
        return result;
    }
    if (!p.parser.positionalArguments().isEmpty()) {
        result.outcome = ParsedOptions::Outcome::Error;
        result.text = QStringLiteral("argomento inatteso: ") + p.parser.positionalArguments()[0];
        return result;
    }
    BoardOptions& options = result.options;
    if (!readDevice(p, options) || !readImage(p, options) || !readFaults(p, options.faults) ||
        !readTiming(p, options) || !readSurroundings(p, options)) {
        result.outcome = ParsedOptions::Outcome::Error;
        result.text = p.error;
    }
    return result;
}

} // namespace vboard
