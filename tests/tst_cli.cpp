// miravel6-cli run as a user runs it, against the virtual board on its pseudo-terminal: what
// each command prints, its exit status, and what reaches the board and the disk.

#include "files/dm6_file.h"
#include "model/edata.h"
#include "tests/support/cli_run.h"
#include "tests/support/file_bytes.h"
#include "tests/support/utf8.h"
#include "tests/support/virtual_board.h"

#include <QRegularExpression>
#include <QSettings>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <optional>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

template <typename... Items> QStringList L(Items... items) {
    return {U(items)...};
}

std::optional<QTemporaryDir> home; // XDG_CONFIG_HOME of every run and the files the runs use

QString InHome(const char* name) {
    return home->filePath(U(name));
}

QProcessEnvironment Environment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(U("XDG_CONFIG_HOME"), home->path());
    return env;
}

CliRun RunCli(const QStringList& arguments) {
    return RunProcess(U(MIRAVEL6_CLI_PATH), arguments, Environment());
}

// Runs the program with one of its standard streams redirected by the shell ("1>/dev/full").
CliRun RunCliLosing(const QString& redirect, const QStringList& arguments) {
    return RunProcess(
        U("/bin/sh"),
        QStringList{U("-c"), U("exec \"$0\" \"$@\" ") + redirect, U(MIRAVEL6_CLI_PATH)} + arguments,
        Environment());
}

QByteArray ImageOf(const Configuration& config) {
    const EdataBytes image = EncodeEdata(config.faseCodes, config.recEffSet);
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
    void readNeverReplacesWhatIsNoFile();
    void lostOutputIsAFailure_data();
    void lostOutputIsAFailure();
    void interruptedWriteIsToldAndRecognisedLater();
    void anotherReaderIsNoUnpluggedDevice();
};

void TstCli::initTestCase() {
    home.emplace();
    QVERIFY(home->isValid());
    QVERIFY(WriteDm6File(InHome("piano.dm6"), DefaultConfiguration()));
    QByteArray bad(WriteDm6(DefaultConfiguration()).c_str()); // the third duration 64, on line 28
    bad.replace("[cboFaseTime]\r\n00=1\r\n01=1\r\n02=1", "[cboFaseTime]\r\n00=1\r\n01=1\r\n02=64");
    QVERIFY(PutFile(InHome("rifiutato.dm6"), bad));
    Configuration other = DefaultConfiguration();
    other.faseCodes[2] = 5;
    other.recEffSet[8].bytePart1 = 3;      // output 2, phase 1
    other.recEffSet[12].blnRandom = kTrue; // output 2, phase 5: its half of a flag byte
    QVERIFY(WriteDm6File(InHome("diverso.dm6"), other));
    QVERIFY(QFile::copy(InHome("diverso.dm6"), InHome("vecchio.dm6"))); // what a read must keep
    QVERIFY(
        WriteDm6File(InHome("spento.dm6"),
                     {DefaultConfiguration().outNames, DefaultConfiguration().faseNames, {}, {}}));
}

void TstCli::reportIsTheWindowsFileText() {
    const CliRun run = RunCli({U("report"), Sample("e_acq.dm6")});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(U("\r\n"));
    QCOMPARE(lines.size(), 16); // 15 lines, each ending in CR LF
    QCOMPARE(lines[0], U("Light Value - File " MIRAVEL6_SAMPLES_DIR "/light_value.txt"));
    QVERIFY(lines[5].startsWith(U("1  | +000 +128 0 +128 +256 0 | ")));
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
    // Commands that stop before the board: it hears nothing.
    const auto bare = [](const char* name, const QStringList& args, int code, const QString& out,
                         const QString& err) {
        QTest::newRow(name) << QStringList() << args << code << out << err << QByteArray();
    };
    bare("version", L("--version"), 0, U("miravel6-cli " MIRAVEL6_TEST_VERSION "\n"), {});
    bare("image", L("image") << InHome("piano.dm6"), 0,
         QString::fromLatin1(ImageOf(DefaultConfiguration()).toHex().toUpper()) + u'\n', {});
    bare("check of a sample", L("check") << acq, 0, U("Configurazione valida: ") + acq + u'\n', {});
    bare("check of a refused file", L("check") << bad, 2,
         U("Impossibile aprire il file:\n") + bad + U("\noppure dati non validi\n") +
             U("riga 28: durata della fase 3 non valida (ammessi 0..63)\n"),
         {});
    bare("write with every phase off", L("write") << InHome("spento.dm6") << L("--port", "x"), 2,
         {}, U("Abilitare almeno una fase temporale. (") + InHome("spento.dm6") + U(")\n"));
    bare("a folder as the port", L("out", "1", "on", "--port") << home->path(), 1, {},
         U("Impossibile aprire la porta ") + home->path() + U("\nDispositivo: ") + home->path() +
             U("\nMotivo: il percorso è una cartella, non un dispositivo seriale.\n"));
    bare("COM17", L("test", "--port", "COM17"), 2, {},
         U("Porta sconosciuta: COM17 (da COM1 a COM16, oppure un dispositivo)\n"));
    const QString check = U("\nAccertarsi che la porta seriale selezionata sia corretta e\n"
                            "collegata alla scheda Miravel6 o al LoopBack (pin 2+3 in corto).\n");
    // The report's texts are the window's (test_board_messages); here their wiring, the COM
    // entry named with its device, and the exit statuses. A plug is no board: a script that
    // counts boards must not count it.
    row("test: board as COM3", {}, L("test", "--port", "com3"), 0,
        U("Test su porta seriale COM3 (DEV) concluso con successo!\nRilevata scheda Miravel6.\n"),
        {}, "RAT\r\n");
    row("test: loopback", L("--loopback"), L("test", "--port", "DEV"), 3,
        U("Test su porta seriale DEV concluso con successo!\nRilevato Loopback.\n"), {}, "RAT\r\n");
    row("test: silent", L("--silent"), L("test", "--port", "DEV"), 1,
        U("Porta seriale DEV aperta con successo.\nNessun dispositivo connesso.") + check, {},
        "RAT\r\n");
    // The link test's own branch for a device gone away.
    row("test: line hung up", L("--hangup-after", "1"), L("test", "--port", "DEV"), 1, {},
        U("Errore comunicazione su DEV: il dispositivo si è scollegato\n"), "R");

    const QString piano = InHome("piano.dm6");
    const QStringList write = L("write") << piano << L("--port", "DEV");
    const QByteArray image = ImageOf(DefaultConfiguration());
    const QString done = U("Scrittura e verifica dati completata\n");
    row("write --verify", {}, write + L("--verify"), 0,
        done + U("La scheda su DEV contiene la configurazione di ") + piano + u'\n', {},
        "W" + image + "R");
    // Byte 40 of the image is 00; the board confirms it with its lowest bit changed.
    row("write: wrong echo of byte 40", L("--wrong-echo", "40"), write, 1, {},
        U("Errore scrittura dati su DEV al byte 41 di 128: ") +
            U("inviato 00, la scheda ha confermato 01\n"),
        "W" + image.left(41));
    row("write: line hung up", L("--hangup-after", "21"), write, 1, {},
        U("Errore comunicazione su DEV al byte 20 di 128: il dispositivo si è scollegato\n"),
        "W" + image.left(20));
    row("write: hung up before the read-back", L("--hangup-after", "130"), write + L("--verify"), 1,
        done, U("Errore comunicazione su DEV nella rilettura: il dispositivo si è scollegato\n"),
        "W" + image + "R");

    const QStringList hex = L("--image") << QString::fromLatin1(image.toHex());
    row("verify: phases and cells that differ", hex,
        L("verify") << InHome("diverso.dm6") << L("--port", "DEV"), 1,
        U("La scheda su DEV non contiene la configurazione di ") + InHome("diverso.dm6") +
            U(":\nFase 3: durata sulla scheda 01 (10 sec), nel file 05 (50 sec)\n"
              "Uscita 2, fase 1: effetti sulla scheda 00, nel file 30\n"
              "Uscita 2, fase 5: tremolo e accensione casuale sulla scheda 0, nel file 8\n"),
        {}, "R");

    // A read that fails writes nothing: the old file stays, no new file appears.
    const QStringList readOld = L("read", "--port", "DEV", "-o") << InHome("vecchio.dm6");
    row("read: silent", L("--silent"), readOld, 1, {},
        U("Errore comunicazione su DEV: nessuna risposta completa entro 0,5 s\n"), "R");

    QString states;
    for (int j = 1; j <= kOutputs; ++j) {
        states += QStringLiteral("Uscita %1: %2\n").arg(j).arg(j == 3 ? U("accesa") : U("spenta"));
    }
    const QString allOff = QString(states).replace(U("3: accesa"), U("3: spenta"));
    row("out: 3 on", {}, L("out", "3", "on", "--port", "DEV"), 0, states, {}, "C");
    row("out: board keeps 3 off", L("--refuse-output", "3"), L("out", "3", "on", "--port", "DEV"),
        1, allOff, U("La scheda su DEV ha lasciato l'uscita 3 spenta\n"), "C");
}

void TstCli::commands() {
    QFETCH(QStringList, board);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QByteArray, received);
    // A command that stops before the board reaches none: it needs no board process.
    std::optional<VirtualBoard> device;
    if (!received.isEmpty()) {
        device.emplace(board);
        QVERIFY2(device->isReady(), qPrintable(device->errorString()));
    }
    const QString path = device ? device->devicePath() : QStringLiteral("/dev/null");
    QSettings mapping(InHome("Miravel6/Miravel6.conf"), QSettings::IniFormat);
    mapping.setValue(U("ports/COM3"), path);
    mapping.sync();
    const QStringList files = QDir(home->path()).entryList(QDir::Files | QDir::Hidden);

    const CliRun run = RunCli(arguments.replaceInStrings(U("DEV"), path));
    QCOMPARE(run.out, out.replace(U("DEV"), path));
    QCOMPARE(run.err, err.replace(U("DEV"), path));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(device ? device->receivedBytes() : QByteArray(), received);
    QCOMPARE(QDir(home->path()).entryList(QDir::Files | QDir::Hidden), files);
    QCOMPARE(ReadDm6File(InHome("vecchio.dm6")), ReadDm6File(InHome("diverso.dm6")));
}

void TstCli::readSavesTheBoardAndWriteShowsItsProgress() {
    Configuration onBoard = DefaultConfiguration();
    onBoard.faseCodes = {7, 0, 63, 1, 1, 1, 1, 2};
    onBoard.recEffSet[79] = {15, 4, 7, kTrue};
    VirtualBoard board({U("--image"), QString::fromLatin1(ImageOf(onBoard).toHex())});
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    const QString path = InHome("letto.dm6");
    const QStringList read = {U("read"), U("--port"), board.devicePath(), U("-o"), path};

    CliRun run = RunCli(read);
    QCOMPARE(run.out, U("Configurazione letta da ") + board.devicePath() + U(" e salvata in ") +
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
    QVERIFY(run.exitCode == 2 && run.err.endsWith(U("fase 3 non valida (ammessi 0..63)\n")));
    QCOMPARE(board.receivedBytes(), QByteArray("RR"));

    // A write shows its progress line when its errors go to a terminal.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    const auto closeMaster = qScopeGuard([master] { ::close(master); });
    fcntl(master, F_SETFL, O_NONBLOCK);
    QProcess cli;
    cli.setStandardErrorFile(QString::fromLocal8Bit(ptsname(master)));
    cli.start(U(MIRAVEL6_CLI_PATH),
              {U("write"), InHome("piano.dm6"), U("--port"), board.devicePath()});
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

void TstCli::readNeverReplacesWhatIsNoFile() {
    VirtualBoard board;
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    // A fifo, as any path that is no regular file: the file written beside it and renamed
    // would replace it.
    const QString fifo = InHome("tubo.dm6");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const CliRun run = RunCli({U("read"), U("--port"), board.devicePath(), U("-o"), fifo});
    QCOMPARE(run.err, U("Impossibile salvare su file ") + fifo + U(": non è un file regolare\n"));
    QCOMPARE(run.exitCode, 2);
    struct stat status {};
    QVERIFY(::lstat(QFile::encodeName(fifo).constData(), &status) == 0);
    QVERIFY(S_ISFIFO(status.st_mode));
    QCOMPARE(board.receivedBytes(), QByteArray()); // refused before the board was asked
    QFile::remove(fifo);
}

void TstCli::lostOutputIsAFailure_data() {
    QTest::addColumn<QStringList>("board"); // empty: the command needs none
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("redirect");
    // Every text goes out through one checked writer: its two doors, a full and a closed
    // standard output. A closed standard error would hand its number to the port, were it not
    // stood in for at the start.
    QTest::newRow("image, stdout full")
        << QStringList() << (L("image") << InHome("piano.dm6")) << U("1>/dev/full");
    QTest::newRow("report, stdout closed")
        << QStringList() << (L("report") << Sample("e_acq.dm6")) << U("1>&-");
    QTest::newRow("out, board keeps 3 off, stderr closed")
        << L("--refuse-output", "3") << L("out", "3", "on", "--port", "DEV") << U("2>&-");
}

void TstCli::lostOutputIsAFailure() {
    QFETCH(QStringList, board);
    QFETCH(QStringList, arguments);
    QFETCH(QString, redirect);
    std::optional<VirtualBoard> device;
    if (!board.isEmpty()) {
        device.emplace(board);
        QVERIFY2(device->isReady(), qPrintable(device->errorString()));
        arguments.replaceInStrings(U("DEV"), device->devicePath());
    }
    const CliRun run = RunCliLosing(redirect, arguments);
    QCOMPARE(run.exitCode, 2);
    if (redirect.startsWith(u'1')) { // the reason is the system's, in the user's language
        const QString told = U("Impossibile scrivere sullo standard output: ");
        QVERIFY2(run.err.startsWith(told) && run.err.size() > told.size() + 1 &&
                     run.err.count(u'\n') == 1 && run.err.endsWith(u'\n'),
                 qPrintable(run.err));
    }
}

void TstCli::interruptedWriteIsToldAndRecognisedLater() {
    // Every echo a little late: the write takes a few seconds.
    VirtualBoard board({U("--delay-ms"), U("20")});
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    const QString dev = board.devicePath();
    const QString piano = InHome("piano.dm6");
    QProcess cli;
    cli.start(U(MIRAVEL6_CLI_PATH), {U("write"), piano, U("--port"), dev});
    QVERIFY(cli.waitForStarted());
    const QDeadlineTimer safetyNet(20000);
    while (board.receivedBytes().size() < 20 && !safetyNet.hasExpired()) {
        QThread::msleep(5);
    }
    // Ctrl+C; termination and hang-up are caught by the same handler.
    QCOMPARE(::kill(static_cast<pid_t>(cli.processId()), SIGINT), 0);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 1);
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    static const QRegularExpression told(
        U("^Scrittura su (.*) interrotta al byte (\\d+) di 128: la scheda attende il resto dei "
          "dati; premere il pulsante Reset della scheda prima del prossimo comando\n$"));
    const QRegularExpressionMatch match = told.match(err);
    QVERIFY2(match.hasMatch(), qPrintable(err));
    QCOMPARE(match.captured(1), dev);
    const int sent = match.captured(2).toInt();
    QVERIFY(sent >= 19 && sent < 128); // nothing sent after the stop: test_board_procedures

    // A later command opens the port again and meets a board that takes its bytes as image
    // data. Each procedure tells such an echo apart (test_board_procedures), a read wires its
    // reason like any other (tst_cli commands); the link test has its own branch.
    const CliRun run = RunCli({U("test"), U("--port"), dev});
    QCOMPARE(run.err, U("Errore comunicazione su ") + dev +
                          U(": la scheda attende ancora il resto di una scrittura interrotta; "
                            "premere il pulsante Reset della scheda prima del prossimo comando\n"));
    QCOMPARE(run.exitCode, 1);
}

void TstCli::anotherReaderIsNoUnpluggedDevice() {
    VirtualBoard board;
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    const QString dev = board.devicePath();
    // Another program reading the same device (as "cat" would), opened before ours.
    const int other = ::open(QFile::encodeName(dev).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(other >= 0);
    std::atomic<bool> stop = false;
    std::thread reader([&] {
        char bytes[512];
        while (!stop) {
            pollfd ready{other, POLLIN, 0};
            if (::poll(&ready, 1, 10) > 0) {
                [[maybe_unused]] const ssize_t n = ::read(other, bytes, sizeof bytes);
            }
        }
    });
    const auto joined = qScopeGuard([&] {
        stop = true;
        reader.join();
        ::close(other);
    });
    const QString failed = U("Errore comunicazione su ") + dev + U(": ");
    for (int k = 0; k < 6; ++k) {
        const CliRun run = RunCli({U("read"), U("--port"), dev, U("-o"), InHome("conteso.dm6")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith(failed) && !run.err.contains(U("scollegato")),
                 qPrintable(run.err));
    }
    QVERIFY(!QFile::exists(InHome("conteso.dm6")));
}

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
