// Board operations against a faulty board or line: what the user is told, that nothing
// else changes, and that the next operation against a healthy board works.

#include "tests/support/board_window.h"

#include <QThread>
#include <QtTest>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

enum class Op { LinkTest, Read, Write, Output };

// Every fault the suite makes the program meet; printed at the end.
int faultCases = 0;

void Run(BoardWindow& b, Op op) {
    const char* const buttons[] = {"cmdCommTest", "cmdEdataRead", "cmdEdataWrite", "cmdOutOnoff_2"};
    b.Click(buttons[static_cast<int>(op)]);
}

// What the operation sends, the image for a write.
QByteArray Sent(Op op, const QByteArray& image) {
    const QByteArray commands[] = {"RAT\r\n", "R", "W" + image, "C"};
    return commands[static_cast<int>(op)];
}

// The status line while the operation reports; `dots` bytes of a write were attempted.
QString BusyStatus(Op op, int dots) {
    const QString texts[] = {QStringLiteral("Test funzionamento porta seriale in corso..."),
                             QStringLiteral("Lettura dati dalla scheda in corso..."),
                             QStringLiteral("Scrittura dati su scheda in corso") +
                                 QString(dots, QLatin1Char('.')),
                             QStringLiteral("Invio comando on/off per uscite scheda...")};
    return texts[static_cast<int>(op)];
}

// A cell, a duration and a name that differ from the start-up ones, saved to the program
// folder (the title shows the file), and output 1 switched on through the healthy board.
void Prepare(BoardWindow& b, const VirtualBoard& healthy) {
    b.f.ui.menuChoices.push_back(
        {QString::fromUtf8("Luminosità Parte1"), QStringLiteral("Crescente 25%")});
    QTest::mouseClick(b.f.Child<QLabel>("lblEffMode", 12), Qt::LeftButton);
    b.PressKeyOnDuration(2, Qt::Key_Down);
    b.f.ui.menuChoices.push_back({QStringLiteral("Modifica")});
    b.f.ui.inputAnswers.push_back(QStringLiteral("Pompa"));
    QTest::mouseClick(b.f.Child<QLabel>("lblOutName", 1), Qt::LeftButton);
    b.f.ui.saveAnswers.push_back(b.f.FolderPath() + QStringLiteral("/giardino.dm6"));
    b.Click("cmdFileSave");
    b.MapCom3(healthy);
    b.Click(b.Output(0));
    b.MapCom3(b.board);

    QVERIFY(b.f.ui.menuErrors.isEmpty());
    QVERIFY(b.f.ui.messages.empty());
    QCOMPARE(b.f.Child<QLabel>("lblOutName", 1)->text(), QStringLiteral("Pompa"));
    QVERIFY(b.w().windowTitle().endsWith(QStringLiteral("giardino.dm6")));
    QCOMPARE(b.Reds(), QStringLiteral("R---------"));
}

// Runs the operation against a healthy board and checks that it did its work. The board's
// output 1 is on and the window knows it.
void ExpectWorks(BoardWindow& b, const VirtualBoard& healthy, Op op) {
    const std::size_t messages = b.f.ui.messages.size();
    const QByteArray received = healthy.receivedBytes();
    const QByteArray image = Bytes(b.w().EdataImage());
    Run(b, op);
    const bool reports = op == Op::LinkTest || op == Op::Write;
    QCOMPARE(b.f.ui.messages.size(), messages + (reports ? 1 : 0));
    QCOMPARE(healthy.receivedBytes(), received + Sent(op, image));
    switch (op) {
    case Op::LinkTest:
        QCOMPARE(b.f.ui.messages.back().text, kBoardFound);
        break;
    case Op::Read:
        QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
        QCOMPARE(Bytes(b.w().EdataImage()), SampleImageAsRead());
        break;
    case Op::Write:
        QCOMPARE(b.f.ui.messages.back().text,
                 QStringLiteral("Scrittura e verifica dati completata"));
        QCOMPARE(healthy.image(), image);
        break;
    case Op::Output:
        QCOMPARE(b.Reds(), QStringLiteral("R-R-------"));
        break;
    }
    b.ExpectIdle();
}

// Bytes waiting to be read on the device; -1 when it cannot be opened (the program opens
// its port exclusively, so looking while the program holds it takes root). Reading the
// count takes nothing away.
int WaitingBytes(const QString& device) {
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    int count = -1;
    ioctl(fd, FIONREAD, &count);
    ::close(fd);
    return count;
}

// Waits (without letting the window run) until `count` bytes wait on the device.
int WaitForWaitingBytes(const QString& device, int count) {
    QDeadlineTimer safetyNet(20000);
    int waiting = WaitingBytes(device);
    while (waiting >= 0 && waiting < count && !safetyNet.hasExpired()) {
        QThread::msleep(2);
        waiting = WaitingBytes(device);
    }
    return waiting;
}

void Row(const char* name, Op op, std::initializer_list<const char*> options, int received,
         const QString& message = kCommError) {
    QTest::newRow(name) << op << Args(options) << received << message;
}

} // namespace

Q_DECLARE_METATYPE(Op)

class TstBoardFaults : public QObject {
    Q_OBJECT

private slots:
    void failedOperationChangesNothing_data();
    void failedOperationChangesNothing();
    void readReplySplitAnywhere();
    void writeRepliesSplitAnywhere();
    void outputReplySplitAnywhere();
    void leftOverJunkIsDiscarded_data();
    void leftOverJunkIsDiscarded();
    void cleanupTestCase();
};

void TstBoardFaults::failedOperationChangesNothing_data() {
    QTest::addColumn<Op>("op");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("received"); // bytes of the command the faulty board gets
    QTest::addColumn<QString>("message");

    Row("Leggi, silence", Op::Read, {"--silent"}, 1);
    Row("Leggi, junk", Op::Read, {"--garbage"}, 1);
    Row("Leggi, hang-up after R", Op::Read, {"--hangup-after", "1"}, 1);
    // The limit holds for the whole reply, not from the last character received.
    Row("Leggi, reply from 0.45 s to 0.85 s", Op::Read,
        {"--delay-ms", "450", "--split-at", "100", "--chunk-gap-ms", "400"}, 1);
    Row("Leggi, 256 digits without R", Op::Read, {"--no-r-prefix"}, 1);
    Row("Leggi, X instead of R", Op::Read, {"--r-letter", "X"}, 1);
    Row("Leggi, lower-case digits", Op::Read, {"--lowercase"}, 1);
    Row("Scrivi, silence", Op::Write, {"--silent"}, 1);
    Row("Scrivi, junk", Op::Write, {"--garbage"}, 1);
    Row("Scrivi, hang-up after W", Op::Write, {"--hangup-after", "1"}, 1);
    Row("Scrivi, hang-up after byte 0", Op::Write, {"--hangup-after", "2"}, 2);
    Row("Scrivi, hang-up after byte 63", Op::Write, {"--hangup-after", "65"}, 65);
    Row("Scrivi, hang-up after byte 127", Op::Write, {"--hangup-after", "129"}, 129);
    Row("Scrivi, other byte echoed for byte 40", Op::Write, {"--wrong-echo", "40"}, 42,
        QStringLiteral("Errore scrittura dati"));
    Row("Scrivi, three-digit echo of byte 7", Op::Write, {"--echo-digits", "7"}, 9);
    Row("Cmd Out 3, silence", Op::Output, {"--silent"}, 1);
    Row("Cmd Out 3, junk", Op::Output, {"--garbage"}, 1);
    Row("Cmd Out 3, hang-up after the letter", Op::Output, {"--hangup-after", "1"}, 1);
    Row("Cmd Out 3, nine letters", Op::Output, {"--reply-short"}, 1);
    Row("Cmd Out 3, K instead of J", Op::Output, {"--output-reply-k"}, 1);
    Row("Test, junk", Op::LinkTest, {"--garbage"}, 5, kOtherFound);
    Row("Test, hang-up after R", Op::LinkTest, {"--hangup-after", "1"}, 1, kNothingFound);
}

void TstBoardFaults::failedOperationChangesNothing() {
    QFETCH(Op, op);
    QFETCH(QStringList, options);
    QFETCH(int, received);
    QFETCH(QString, message);

    BoardWindow b(options);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    VirtualBoard healthy(BoardOptions({}));
    QVERIFY2(healthy.isReady(), qPrintable(healthy.errorString()));
    Prepare(b, healthy);
    if (QTest::currentTestFailed()) {
        return;
    }
    const WindowState before(b);
    const QByteArray sent = Sent(op, Bytes(b.w().EdataImage())).left(received);

    ++faultCases;
    Run(b, op);

    b.ExpectOneMessage(message, op == Op::LinkTest ? MsgIcon::Exclamation : MsgIcon::Critical);
    QCOMPARE(b.statusAtMessage, BusyStatus(op, received - 1));
    QVERIFY(b.openAtMessage); // the operation holds the port until it has reported
    b.ExpectIdle();
    QVERIFY(WindowState(b) == before);
    QCOMPARE(b.board.receivedBytes(), sent);

    b.MapCom3(healthy);
    ExpectWorks(b, healthy, op);
}

void TstBoardFaults::readReplySplitAnywhere() {
    // The reply is R, 256 digits and CR LF: 259 characters, 258 places to split (257: between
    // digits and CR LF, 258: between CR and LF). Successive replies split one place further.
    BoardWindow b(Args({"--split-at", "1-258", "--chunk-gap-ms", "10"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    for (int at = 1; at <= 258; ++at) {
        // An edit between reads, so that each read has something to put right.
        b.PressKeyOnDuration(0, Qt::Key_End);
        QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6"));

        ++faultCases;
        b.Click("cmdEdataRead");

        QVERIFY2(b.f.ui.messages.empty(), qPrintable(QStringLiteral("split after %1").arg(at)));
        QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
        QCOMPARE(b.Duration(0)->currentIndex(), 5);
        QCOMPARE(Bytes(b.w().EdataImage()), SampleImageAsRead());
    }
    QCOMPARE(b.board.receivedBytes(), QByteArray(258, 'R'));
    b.ExpectIdle();
}

void TstBoardFaults::writeRepliesSplitAnywhere() {
    // W CR LF, then 128 echoes of W and two digits, CR LF; each reply splits one place on:
    // W after W, echoes after 2, 3, 4, 1, ...; then W between CR and LF, echoes after 3, 4, 2.
    for (const char* split : {"1-4", "2-4"}) {
        BoardWindow b(Args({"--split-at", split, "--chunk-gap-ms", "5"}));
        QVERIFY2(b.Ready(), qPrintable(b.Why()));
        b.PressKeyOnDuration(6, Qt::Key_End);
        const QByteArray image = Bytes(b.w().EdataImage());

        ++faultCases;
        b.Click("cmdEdataWrite");

        b.ExpectOneMessage(QStringLiteral("Scrittura e verifica dati completata"),
                           MsgIcon::Information);
        QCOMPARE(b.board.receivedBytes(), "W" + image);
        QCOMPARE(b.board.image(), image);
        b.ExpectIdle();
    }
}

void TstBoardFaults::outputReplySplitAnywhere() {
    // Ten letters and CR LF: 11 places to split, one click each.
    BoardWindow b(Args({"--split-at", "1-11", "--chunk-gap-ms", "10"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    QString expected(10, QLatin1Char('-'));
    QByteArray sent;
    for (int at = 1; at <= 11; ++at) {
        const int output = (at * 3) % 10; // 3, 6, 9, 2, ... 0, 3: the last one switches off
        const bool on = expected[output] == QLatin1Char('-');
        expected[output] = on ? QLatin1Char('R') : QLatin1Char('-');
        sent += static_cast<char>((on ? 'A' : 'a') + output);

        ++faultCases;
        b.Click(b.Output(output));

        QVERIFY2(b.f.ui.messages.empty(), qPrintable(QStringLiteral("split after %1").arg(at)));
        QCOMPARE(b.Reds(), expected);
    }
    QCOMPARE(b.board.receivedBytes(), sent);
    b.ExpectIdle();
}

void TstBoardFaults::leftOverJunkIsDiscarded_data() {
    QTest::addColumn<Op>("first"); // shows a message while the port is open
    QTest::addColumn<QString>("firstMessage");
    QTest::addColumn<Op>("next");

    const QString written = QStringLiteral("Scrittura e verifica dati completata");
    QTest::newRow("Test, then Leggi") << Op::LinkTest << kBoardFound << Op::Read;
    QTest::newRow("Test, then Scrivi") << Op::LinkTest << kBoardFound << Op::Write;
    QTest::newRow("Test, then Cmd Out 3") << Op::LinkTest << kBoardFound << Op::Output;
    QTest::newRow("Scrivi, then Test") << Op::Write << written << Op::LinkTest;
}

void TstBoardFaults::leftOverJunkIsDiscarded() {
    QFETCH(Op, first);
    QFETCH(QString, firstMessage);
    QFETCH(Op, next);

    // Seven junk characters follow each reply once the line has been quiet for 0.1 s.
    BoardWindow b(Args({"--garbage-after-reply", "7", "--garbage-gap-ms", "100"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.Click(b.Output(0)); // the state ExpectWorks starts from
    QCOMPARE(b.Reds(), QStringLiteral("R---------"));

    // While the first operation reports, its port is open: the junk arrives and stays.
    int waiting = -1;
    b.f.ui.onMessage = [&](const RecordedMessage&) {
        waiting = WaitForWaitingBytes(b.board.devicePath(), 7);
    };
    Run(b, first);
    b.f.ui.onMessage = {};
    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, firstMessage);
    if (waiting < 0) {
        QSKIP("the device cannot be looked at while the program holds it (not root)");
    }
    QCOMPARE(waiting, 7);
    QVERIFY(!b.w().PortIsOpen());
    QCOMPARE(WaitingBytes(b.board.devicePath()), 7); // closing the port kept it

    ++faultCases;
    ExpectWorks(b, b.board, next);
}

void TstBoardFaults::cleanupTestCase() {
    qInfo("Fault cases run: %d", faultCases);
}

QTEST_MAIN(TstBoardFaults)
#include "tst_board_faults.moc"
