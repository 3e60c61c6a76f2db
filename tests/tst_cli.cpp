// miravel6-cli run as a user runs it, against the virtual board on its pseudo-terminal: what
// each command prints, its exit status, and what reaches the board and the disk.

#include "files/dm6_file.h"
#include "model/edata.h"
#include "tests/support/virtual_board.h"

#include <QSettings>
#include <QtTest>

#include <optional>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

QString S(const char* utf8) {
    return QString::fromUtf8(utf8);
}

template <typename... Items> QStringList L(Items... items) {
    return {S(items)...};
}

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

std::optional<QTemporaryDir> home; // XDG_CONFIG_HOME of every run and the files the runs use

QString InHome(const char* name) {
    return home->filePath(S(name));
}

QString Sample(const char* name) {
    return S(MIRAVEL6_SAMPLES_DIR "/") + S(name);
}

CliRun RunCli(const QStringList& arguments) {
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(S("XDG_CONFIG_HOME"), home->path());
    cli.setProcessEnvironment(env);
    cli.start(S(MIRAVEL6_CLI_PATH), arguments);
    if (!cli.waitForFinished(30000) || cli.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()),
            QString::fromUtf8(cli.readAllStandardError())};
}

Configuration Plain() {
    Configuration config;
    for (int i = 0; i < kOutputs; ++i) {
        config.outNames[static_cast<std::size_t>(i)] = DefaultOutName(i);
        config.faseNames[static_cast<std::size_t>(i % kFasi)] = DefaultFaseName(i % kFasi);
    }
    config.faseCodes.fill(1);
    return config;
}

QByteArray ImageOf(const Configuration& config) {
    const EdataBytes image = BuildEdata(config.faseCodes, config.recEffSet);
    return QByteArray(reinterpret_cast<const char*>(image.data()), kEdataSize);
}

} // namespace

class TstCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void reportIsTheWindowsFileText();
    void commands_data();
    void commands();
    void readSavesTheBoardAndWriteShowsItsProgress();
};

void TstCli::initTestCase() {
    home.emplace();
    QVERIFY(home->isValid());
    QVERIFY(WriteDm6File(InHome("piano.dm6"), Plain()));
    QByteArray bad(WriteDm6(Plain()).c_str()); // the third duration 64, on line 28
    bad.replace("[cboFaseTime]\r\n00=1\r\n01=1\r\n02=1", "[cboFaseTime]\r\n00=1\r\n01=1\r\n02=64");
    QFile file(InHome("rifiutato.dm6"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bad) == bad.size());
    Configuration other = Plain();
    other.faseCodes[2] = 5;
    other.recEffSet[8].bytePart1 = 3;      // output 2, phase 1
    other.recEffSet[12].blnRandom = kTrue; // output 2, phase 5: high nibble of its flag byte
    other.recEffSet[13].byteFlicker = 2;   // output 2, phase 6: low nibble
    QVERIFY(WriteDm6File(InHome("diverso.dm6"), other));
    QVERIFY(QFile::copy(InHome("diverso.dm6"), InHome("vecchio.dm6"))); // what a read must keep
    QVERIFY(WriteDm6File(InHome("spento.dm6"), {Plain().outNames, Plain().faseNames, {}, {}}));
}

void TstCli::reportIsTheWindowsFileText() {
    const CliRun run = RunCli({S("report"), Sample("e_acq.dm6")});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(S("\r\n"));
    QCOMPARE(lines.size(), 16); // 15 lines, each ending in CR LF
    QCOMPARE(lines[0], S("Light Value - File " MIRAVEL6_SAMPLES_DIR "/light_value.txt"));
    QVERIFY(lines[5].startsWith(S("1  | +000 +128 0 +128 +256 0 | ")));
}

void TstCli::commands_data() {
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QByteArray>("received");
    const auto row = [](const char* name, const QStringList& board, const QStringList& args,
                        int code, const QString& out, const QString& err, const QByteArray& rx) {
        QTest::newRow(name) << board << args << code << out << err << rx;
    };
    const QString acq = Sample("e_acq.dm6");
    const QString bad = InHome("rifiutato.dm6");
    const auto unreadable = [](const QString& path, const char* why) {
        return S("Impossibile aprire il file:\n") + path + S("\noppure dati non validi\n") + S(why);
    };
    const QString refused =
        unreadable(bad, "riga 28: durata della fase 3 non valida (ammessi 0..63)\n");
    // Commands that stop before the board: it hears nothing.
    const auto bare = [](const char* name, const QStringList& args, int code, const QString& out,
                         const QString& err) {
        QTest::newRow(name) << QStringList() << args << code << out << err << QByteArray();
    };
    const auto usage = [&](const char* name, const QStringList& args, const char* err) {
        bare(name, args, 2, {}, S(err) + S("\nmiravel6-cli --help elenca i comandi.\n"));
    };
    bare("version", L("--version"), 0, S("miravel6-cli " MIRAVEL6_TEST_VERSION "\n"), {});
    bare("image", L("image") << InHome("piano.dm6"), 0,
         QString::fromLatin1(ImageOf(Plain()).toHex().toUpper()) + u'\n', {});
    bare("check of a sample", L("check") << acq, 0, S("Configurazione valida: ") + acq + u'\n', {});
    bare("check of a refused file", L("check") << bad, 2, refused, {});
    bare("check of a missing file", L("check", "/nessuno.dm6"), 2,
         unreadable(S("/nessuno.dm6"), "il file non esiste\n"), {});
    bare("write of a refused file", L("write") << bad << L("--port", "/dev/null"), 2, {}, refused);
    bare("write with every phase off", L("write") << InHome("spento.dm6") << L("--port", "x"), 2,
         {}, S("Abilitare almeno una fase temporale. (") + InHome("spento.dm6") + S(")\n"));
    bare("read into a missing folder", L("read", "--port", "/dev/null", "-o", "/nessuna/x.dm6"), 2,
         {}, S("Impossibile salvare su file /nessuna/x.dm6: la cartella /nessuna non esiste\n"));
    bare("a folder as the port", L("out", "1", "on", "--port") << home->path(), 1, {},
         S("Impossibile aprire la porta ") + home->path() + S("\nDispositivo: ") + home->path() +
             S("\nMotivo: il percorso è una cartella, non un dispositivo seriale.\n"));
    usage("no command", {}, "Manca il comando.");
    usage("board command without a port", L("write") << acq,
          "Il comando write richiede --port DISPOSITIVO o --port COMn.");
    usage("read without a file", L("read", "--port=/dev/null"),
          "Il comando read richiede -o FILE.dm6.");
    usage("output 11", L("out", "11", "on", "--port", "x"),
          "Uso: out N on|off --port P, con N da 1 a 10.");
    bare("COM17", L("test", "--port", "COM17"), 2, {},
         S("Porta sconosciuta: COM17 (da COM1 a COM16, oppure un dispositivo)\n"));
    const QString check = S("\nAccertarsi che la porta seriale selezionata sia corretta e\n"
                            "collegata alla scheda Miravel6 o al LoopBack (pin 2+3 in corto).\n");
    const QStringList test = L("test", "--port", "DEV");
    const QString found = S("Test su porta seriale DEV concluso con successo!\nRilevat");
    row("test: board", {}, test, 0, found + S("a scheda Miravel6.\n"), {}, "RAT\r\n");
    row("test: board as COM3", {}, L("test", "--port", "com3"), 0,
        QString(found).replace(S("DEV"), S("COM3 (DEV)")) + S("a scheda Miravel6.\n"), {},
        "RAT\r\n");
    // A plug is no board: a script that counts boards must not count it.
    row("test: loopback", L("--loopback"), test, 3, found + S("o Loopback.\n"), {}, "RAT\r\n");
    // A value is a value, even one that reads like an option: no help, the file is looked for.
    bare("a value that reads --help",
         L("read", "--port", "/dev/null", "-o") << InHome("x.dm6") << L("--names-from", "--help"),
         2, {}, unreadable(S("--help"), "il file non esiste\n"));
    row("test: modem", L("--modem"), test, 1,
        S("Porta seriale DEV aperta con successo.\nRilevato modem AT o altro dispositivo.") + check,
        {}, "RAT\r\n");
    row("test: silent", L("--silent"), test, 1,
        S("Porta seriale DEV aperta con successo.\nNessun dispositivo connesso.") + check, {},
        "RAT\r\n");
    row("test: line hung up", L("--hangup-after", "1"), test, 1, {},
        S("Errore comunicazione su DEV: il dispositivo si è scollegato\n"), "R");

    const QString piano = InHome("piano.dm6");
    const QStringList write = L("write") << piano << L("--port", "DEV");
    const QByteArray image = ImageOf(Plain());
    const QString done = S("Scrittura e verifica dati completata\n");
    row("write --verify", {}, write + L("--verify"), 0,
        done + S("La scheda su DEV contiene la configurazione di ") + piano + u'\n', {},
        "W" + image + "R");
    for (const int at : {0, 40, 127}) { // the write stops at the first wrong echo, ends included
        const auto hex = [&](int flip) {
            return QString::number(quint8(image[at]) ^ flip, 16).rightJustified(2, u'0').toUpper();
        };
        QTest::addRow("write: wrong echo of byte %d", at)
            << L("--wrong-echo") + QStringList{QString::number(at)} << write << 1 << QString()
            << QStringLiteral("Errore scrittura dati su DEV al byte %1 di 128: inviato %2, la "
                              "scheda ha confermato %3\n")
                   .arg(at + 1)
                   .arg(hex(0), hex(1))
            << "W" + image.left(at + 1);
    }
    row("write: silent board", L("--silent"), write, 1, {},
        S("Errore comunicazione su DEV: nessuna risposta completa entro 0,5 s\n"), "W");
    row("write: line hung up", L("--hangup-after", "21"), write, 1, {},
        S("Errore comunicazione su DEV al byte 20 di 128: il dispositivo si è scollegato\n"),
        "W" + image.left(20));
    row("write: hung up before the read-back", L("--hangup-after", "130"), write + L("--verify"), 1,
        done, S("Errore comunicazione su DEV nella rilettura: il dispositivo si è scollegato\n"),
        "W" + image + "R");

    const QStringList hex = L("--image") << QString::fromLatin1(image.toHex());
    row("verify: phases and cells that differ", hex,
        L("verify") << InHome("diverso.dm6") << L("--port", "DEV"), 1,
        S("La scheda su DEV non contiene la configurazione di ") + InHome("diverso.dm6") +
            S(":\nFase 3: durata sulla scheda 01 (10 sec), nel file 05 (50 sec)\n"
              "Uscita 2, fase 1: effetti sulla scheda 00, nel file 30\n"
              "Uscita 2, fase 5: tremolo e accensione casuale sulla scheda 0, nel file 8\n"
              "Uscita 2, fase 6: tremolo e accensione casuale sulla scheda 0, nel file 2\n"),
        {}, "R");

    // A read that fails writes nothing: the old file stays, no new file appears.
    const QStringList readOld = L("read", "--port", "DEV", "-o") << InHome("vecchio.dm6");
    const QString readError = S("Errore comunicazione su DEV: ");
    row("read: silent", L("--silent"), readOld, 1, {},
        readError + S("nessuna risposta completa entro 0,5 s\n"), "R");
    row("read: hung up, into a new file", L("--hangup-after", "1"),
        L("read", "--port", "DEV", "-o") << InHome("nuovo.dm6"), 1, {},
        readError + S("il dispositivo si è scollegato\n"), "R");

    QString states;
    for (int j = 1; j <= kOutputs; ++j) {
        states += QStringLiteral("Uscita %1: %2\n").arg(j).arg(j == 3 ? S("accesa") : S("spenta"));
    }
    const QString allOff = QString(states).replace(S("3: accesa"), S("3: spenta"));
    row("out: 3 on", {}, L("out", "3", "on", "--port", "DEV"), 0, states, {}, "C");
    row("out: board keeps 3 off", L("--refuse-output", "3"), L("out", "3", "on", "--port", "DEV"),
        1, allOff, S("La scheda su DEV ha lasciato l'uscita 3 spenta\n"), "C");
    row("out: nine letters", L("--reply-short"), L("out", "10", "off", "--port", "DEV"), 1, {},
        S("Errore comunicazione su DEV: risposta non valida\n"), "j");
}

void TstCli::commands() {
    QFETCH(QStringList, board);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QByteArray, received);
    VirtualBoard device(board);
    QVERIFY2(device.isReady(), qPrintable(device.errorString()));
    const QString path = device.devicePath();
    QSettings mapping(InHome("Miravel6/Miravel6.conf"), QSettings::IniFormat);
    mapping.setValue(S("ports/COM3"), path);
    mapping.sync();
    const QStringList files = QDir(home->path()).entryList(QDir::Files | QDir::Hidden);

    const CliRun run = RunCli(arguments.replaceInStrings(S("DEV"), path));
    QCOMPARE(run.out, out.replace(S("DEV"), path));
    QCOMPARE(run.err, err.replace(S("DEV"), path));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(device.receivedBytes(), received);
    QCOMPARE(QDir(home->path()).entryList(QDir::Files | QDir::Hidden), files);
    QCOMPARE(ReadDm6File(InHome("vecchio.dm6")), ReadDm6File(InHome("diverso.dm6")));
}

void TstCli::readSavesTheBoardAndWriteShowsItsProgress() {
    Configuration onBoard = Plain();
    onBoard.faseCodes = {7, 0, 63, 1, 1, 1, 1, 2};
    onBoard.recEffSet[79] = {15, 4, 7, kTrue};
    VirtualBoard board({S("--image"), QString::fromLatin1(ImageOf(onBoard).toHex())});
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    const QString path = InHome("letto.dm6");
    const QStringList read = {S("read"), S("--port"), board.devicePath(), S("-o"), path};

    CliRun run = RunCli(read);
    QCOMPARE(run.out, S("Configurazione letta da ") + board.devicePath() + S(" e salvata in ") +
                          path + u'\n');
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(ReadDm6File(path), onBoard);

    // The names of another file, the grid of the board.
    QCOMPARE(RunCli(read + L("--names-from") << Sample("e_acq.dm6")).exitCode, 0);
    const auto named = ReadDm6File(path), acq = ReadDm6File(Sample("e_acq.dm6"));
    QVERIFY(named && acq && named->outNames == acq->outNames);
    QVERIFY(named->faseNames == acq->faseNames && named->recEffSet == onBoard.recEffSet);

    // A names file that is refused stops the read before the board is asked.
    run = RunCli(read + L("--names-from") << InHome("rifiutato.dm6"));
    QVERIFY(run.exitCode == 2 && run.err.endsWith(S("fase 3 non valida (ammessi 0..63)\n")));
    QCOMPARE(board.receivedBytes(), QByteArray("RR"));

    // A write shows its progress line when its errors go to a terminal.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    const auto closeMaster = qScopeGuard([master] { ::close(master); });
    fcntl(master, F_SETFL, O_NONBLOCK);
    QProcess cli;
    cli.setStandardErrorFile(QString::fromLocal8Bit(ptsname(master)));
    cli.start(S(MIRAVEL6_CLI_PATH),
              {S("write"), InHome("piano.dm6"), S("--port"), board.devicePath()});
    QByteArray terminal;
    char chunk[4096];
    bool finished = false;
    do { // read while it writes: a full terminal would hold the program up
        finished = cli.waitForFinished(20);
        for (ssize_t n; (n = ::read(master, chunk, sizeof chunk)) > 0;) {
            terminal.append(chunk, n);
        }
    } while (!finished);
    QCOMPARE(cli.exitCode(), 0);
    QVERIFY(terminal.startsWith("\rScrittura: 1 di 128 byte\rScrittura: 2 di 128 byte"));
    QVERIFY2(terminal.endsWith("\rScrittura: 128 di 128 byte\r\n"), terminal.right(60).constData());
    QCOMPARE(terminal.count('\r'), 129);
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
