#include "tools/virtual_board/board_options.h"

#include "build_info.h"

#include <QCommandLineParser>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <utility>

namespace vboard {

namespace {

using std::chrono::milliseconds;
using O = BoardOptions;
using Apply = QString (*)(O&, const QString&); // the error text, empty when the value is good

// One option: its name, the name of its value (none for a flag), help and what it sets.
struct OptionSpec {
    const char* name;
    const char* valueName;
    const char* help;
    Apply apply;
};

QString set(bool& flag, bool value = true) {
    flag = value;
    return {};
}

template <typename T> QString num(const QString& value, long long low, long long high, T& target) {
    bool ok = false;
    const long long n = value.toLongLong(&ok);
    target = static_cast<T>(n);
    return ok && n >= low && n <= high
               ? QString()
               : QStringLiteral("atteso un numero da %1 a %2").arg(low).arg(high);
}

QString millis(const QString& value, Nanos& target, long long high = 600000) {
    long long n = 0;
    QString error = num(value, 0, high, n);
    target = milliseconds(n);
    return error;
}

QString path(std::string& target, const QString& value) {
    target = value.toStdString();
    return {};
}

QString setImage(O& o, const QByteArray& hex) {
    const std::optional<BoardImage> image = imageFromHex(hex.toStdString());
    o.image = image.value_or(o.image);
    return image ? QString()
                 : QStringLiteral("immagine non valida: servono esattamente 256 cifre esadecimali");
}

QString setReply(O& o, CannedReply reply) {
    o.reply = std::move(reply);
    o.device = DeviceKind::CannedReply;
    return {};
}

// "\r", "\n" and "\\" of a --reply text made real; anything else stays as written.
std::string unescapeReply(const QString& text) {
    std::string bytes = text.toStdString();
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const std::size_t kind = std::string_view("rn\\").find(bytes[i + 1]);
        if (bytes[i] == '\\' && kind != std::string_view::npos) {
            bytes.replace(i, 2, 1, "\r\n\\"[kind]);
        }
    }
    return bytes;
}

// The modems are canned answers too.
QString setModemStyle(O& o, const QString& style) {
    if (style == QLatin1String("echo") || style.isNull()) {
        return setReply(o, {true, "\r\nOK\r\n", "", {}});
    }
    if (style == QLatin1String("ok-only")) {
        return setReply(o, {false, "\r\nOK\r\n", "", {}});
    }
    if (style == QLatin1String("crlf-first")) {
        return setReply(o, {false, "\r\n", "OK\r\n", milliseconds(50)});
    }
    return QStringLiteral("atteso echo, crlf-first o ok-only");
}

// "N" or "N-M", 1 <= N <= M.
QString setSplit(O& o, const QString& value) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,6})(?:-(\\d{1,6}))?$"));
    const QRegularExpressionMatch match = pattern.match(value);
    const long long first = match.hasMatch() ? match.captured(1).toLongLong() : 0;
    const long long last = match.hasCaptured(2) ? match.captured(2).toLongLong() : first;
    o.line.shaping.splitFirst = static_cast<std::size_t>(first);
    o.line.shaping.splitLast = static_cast<std::size_t>(last);
    return first < 1 || last < first ? QStringLiteral("atteso N oppure N-M, con 1 <= N <= M")
                                     : QString();
}

QString setComName(O& o, const QString& value) {
    // The program lists COM1 to COM16.
    static const QRegularExpression comPattern(QStringLiteral("^COM([1-9]|1[0-6])$"));
    o.comName = value.toUpper();
    return comPattern.match(o.comName).hasMatch() ? QString()
                                                  : QStringLiteral("atteso COM1 .. COM16");
}

const OptionSpec kOptions[] = {
    {"as", "COMn", "Associa la porta COMn del programma a questa scheda (tolta all'uscita).",
     setComName},
    {"link", "PATH", "Crea un collegamento simbolico al dispositivo (tolto all'uscita).",
     [](O& o, const QString& v) { return path(o.linkPath, v); }},
    {"image", "HEX256", "Immagine iniziale di 128 byte in 256 cifre esadecimali.",
     [](O& o, const QString& v) { return setImage(o, v.toLatin1()); }},
    {"image-file", "FILE", "Immagine iniziale letta da un file di 256 cifre esadecimali.",
     [](O& o, const QString& v) {
         QFile file(v);
         return file.open(QIODevice::ReadOnly) ? setImage(o, file.readAll()) : file.errorString();
     }},
    {"no-pace", nullptr, "Trasmette e riceve alla massima velocità possibile.",
     [](O& o, const QString&) { return set(o.line.paced, false); }},
    {"loopback", nullptr, "Si comporta come un connettore loopback: rimanda ogni byte.",
     [](O& o, const QString&) {
         o.device = DeviceKind::Loopback;
         return QString();
     }},
    {"modem", nullptr, "Si comporta come un modem AT.",
     [](O& o, const QString&) { return setModemStyle(o, {}); }},
    {"modem-style", "STILE",
     "Risposta del modem: echo (\"RAT\\r\" e \"\\r\\nOK\\r\\n\" insieme), crlf-first (\"\\r\\n\", "
     "50 ms, \"OK\\r\\n\") o ok-only (\"\\r\\nOK\\r\\n\").",
     setModemStyle},
    {"reply", "TEXT",
     "Risponde a ogni riga terminata da CR con il testo (\\r, \\n, \\\\), come un altro "
     "dispositivo.",
     [](O& o, const QString& v) {
         return setReply(o, {false, unescapeReply(v), "", {}});
     }},
    {"silent", nullptr, "Riceve i comandi ma non risponde mai.",
     [](O& o, const QString&) { return set(o.faults.silent); }},
    {"garbage", nullptr, "Risponde a ogni comando con caratteri stampabili a caso e CR LF.",
     [](O& o, const QString&) { return set(o.faults.garbage); }},
    {"garbage-after-reply", "N",
     "Dopo ogni risposta N caratteri a caso senza CR LF, se la linea resta libera per "
     "--garbage-gap-ms (un comando che arriva prima li annulla).",
     [](O& o, const QString& v) { return num(v, 1, 100000, o.line.junkAfterReply); }},
    {"garbage-gap-ms", "M", "Silenzio prima dei caratteri di --garbage-after-reply (20 ms).",
     [](O& o, const QString& v) { return millis(v, o.line.junkGap); }},
    {"chunk", "N", "Invia ogni risposta a pezzi di N caratteri.",
     [](O& o, const QString& v) { return num(v, 1, 100000, o.line.shaping.chunkSize); }},
    {"split-at", "N[-M]",
     "Invia ogni risposta in due pezzi, divisa dopo il carattere N; con N-M le risposte "
     "successive si dividono dopo N, N+1, ... M e poi di nuovo da N.",
     setSplit},
    {"chunk-gap-ms", "M", "Pausa fra i pezzi di una risposta.",
     [](O& o, const QString& v) { return millis(v, o.line.shaping.chunkGap); }},
    {"delay-ms", "N", "Inizia ogni risposta con N ms di ritardo.",
     [](O& o, const QString& v) { return millis(v, o.line.shaping.delay); }},
    {"adapter-latency-ms", "N",
     "Come un adattatore USB senza modalità a bassa latenza: trattiene i caratteri della "
     "scheda per N ms (o finché non sono 62) e poi li passa tutti insieme.",
     [](O& o, const QString& v) { return millis(v, o.line.shaping.adapterLatency, 255); }},
    {"wrong-echo", "N", "In scrittura, l'eco del byte N (0..127) ha un altro valore.",
     [](O& o, const QString& v) { return num(v, 0, 127, o.faults.wrongEchoAt); }},
    {"echo-digits", "N", "In scrittura, l'eco del byte N (0..127) ha tre cifre.",
     [](O& o, const QString& v) { return num(v, 0, 127, o.faults.threeDigitEchoAt); }},
    {"lowercase", nullptr, "Cifre esadecimali minuscole nella risposta alla lettura.",
     [](O& o, const QString&) { return set(o.faults.lowerCaseHex); }},
    {"refuse-output", "N", "L'uscita N (1..10) non cambia mai stato.",
     [](O& o, const QString& v) { return num(v, 1, 10, o.faults.refusedOutput); }},
    {"reply-short", nullptr, "Risposta alle uscite di sole nove lettere.",
     [](O& o, const QString&) { return set(o.faults.nineLetters); }},
    {"hangup-after", "N", "Chiude la linea dopo N byte ricevuti e termina.",
     [](O& o, const QString& v) { return num(v, 1, 1LL << 40, o.line.hangupAfterBytes); }},
    {"log", "FILE", "Aggiunge ogni byte ricevuto al file, in esadecimale, uno per riga.",
     [](O& o, const QString& v) { return path(o.logPath, v); }},
    {"dump-image", "FILE", "Dopo ogni scrittura completa salva l'immagine nel file.",
     [](O& o, const QString& v) { return path(o.dumpImagePath, v); }},
    {"exit-on-stdin-eof", nullptr, "Termina quando lo standard input viene chiuso.",
     [](O& o, const QString&) { return set(o.line.watchStdin); }},
};

// Options that contradict one another (several of a group), or that need another one.
QString checkCombination(const QCommandLineParser& parser) {
    const auto count = [&](std::initializer_list<const char*> names) {
        return std::count_if(names.begin(), names.end(),
                             [&](const char* name) { return parser.isSet(QLatin1String(name)); });
    };
    // --modem-style and --reply are modems too.
    if (count({"loopback", "silent"}) +
            std::min(count({"modem", "modem-style", "reply"}), std::ptrdiff_t{1}) >
        1) {
        return QStringLiteral("--loopback, --modem e --silent si escludono a vicenda");
    }
    for (const auto& [a, b] : {std::pair{"modem-style", "reply"}, std::pair{"silent", "garbage"},
                               std::pair{"image", "image-file"}}) {
        if (count({a, b}) > 1) {
            return QStringLiteral("--%1 e --%2 si escludono a vicenda")
                .arg(QLatin1String(a), QLatin1String(b));
        }
    }
    if (count({"chunk-gap-ms"}) > count({"chunk", "split-at"})) {
        return QStringLiteral("--chunk-gap-ms richiede --chunk o --split-at");
    }
    if (count({"garbage-gap-ms"}) > count({"garbage-after-reply"})) {
        return QStringLiteral("--garbage-gap-ms richiede --garbage-after-reply");
    }
    return {};
}

} // namespace

ParsedOptions parseBoardOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Scheda Miravel6 virtuale su uno pseudo-terminale, per provare il programma senza "
        "hardware."));
    // Qt's own help option describes itself in English even with its Italian catalogue.
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")},
                      QStringLiteral("Stampa questo aiuto ed esce.")});
    parser.addOption({QStringLiteral("version"), QStringLiteral("Stampa la versione ed esce.")});
    for (const OptionSpec& option : kOptions) {
        parser.addOption({QString::fromLatin1(option.name), QString::fromUtf8(option.help),
                          option.valueName ? QString::fromLatin1(option.valueName) : QString()});
    }
    ParsedOptions result;
    const auto end = [&](ParsedOptions::Outcome outcome, const QString& text) {
        result.outcome = outcome;
        result.text = text;
        return result;
    };
    using enum ParsedOptions::Outcome;
    if (!parser.parse(arguments)) {
        return end(Error, parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        return end(Help, parser.helpText());
    }
    if (parser.isSet(QStringLiteral("version"))) {
        return end(Help, QStringLiteral("miravel6-virtual-board " MIRAVEL6_VERSION));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return end(Error, QStringLiteral("argomento inatteso: ") + parser.positionalArguments()[0]);
    }
    if (const QString error = checkCombination(parser); !error.isEmpty()) {
        return end(Error, error);
    }
    for (const OptionSpec& option : kOptions) {
        const QString name = QString::fromLatin1(option.name);
        const QString error =
            parser.isSet(name) ? option.apply(result.options, parser.value(name)) : QString();
        if (!error.isEmpty()) {
            return end(Error, QStringLiteral("--%1: %2").arg(name, error));
        }
    }
    return result;
}

} // namespace vboard
