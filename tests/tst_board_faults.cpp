// Board operations against a faulty board or line: what the user is told, that nothing
// else changes, and that the next operation against a healthy board works.

#include "tests/support/board_window.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QtTest>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

enum class Op { LinkTest, Read, Write, Output };

// The button of each operation (output 3 unless told), the command it sends and the status
// line while it reports (`dots` bytes of a write were attempted).
void Run(BoardWindow& b, Op op, int output = 2) {
    const char* const buttons[] = {"cmdCommTest", "cmdEdataRead", "cmdEdataWrite"};
    op == Op::Output ? b.Click(b.Output(output)) : b.Click(buttons[int(op)]);
}
QByteArray Sent(BoardWindow& b, Op op, int output = 2) {
    const QByteArray letter(1, char((b.Reds()[output] == QLatin1Char('R') ? 'a' : 'A') + output));
    const QByteArray commands[] = {"RAT\r\n", "R", "W" + Bytes(b.w().EdataImage()), letter};
    return commands[static_cast<int>(op)];
}
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
    QVERIFY(b.f.ui.menuErrors.isEmpty() && b.f.ui.messages.empty());
    QVERIFY(b.w().windowTitle().endsWith(QStringLiteral("giardino.dm6")));
    QCOMPARE(b.f.Child<QLabel>("lblOutName", 1)->text() + b.Reds(),
             QStringLiteral("PompaR---------"));
}

// Runs the operation against a healthy board after an edit (so that a read has something to
// put right) and checks that it did its work.
void ExpectWorks(BoardWindow& b, const VirtualBoard& healthy, Op op, int output = 2) {
    b.PressKeyOnDuration(0, Qt::Key_End);
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6"));
    const std::size_t messages = b.f.ui.messages.size();
    const QByteArray received = healthy.receivedBytes() + Sent(b, op, output);
    const QByteArray image = Bytes(b.w().EdataImage());
    QString reds = b.Reds();
    if (op == Op::Output) {
        reds[output] = reds[output] == QLatin1Char('R') ? QLatin1Char('-') : QLatin1Char('R');
    }
    Run(b, op, output);
    const bool reports = op == Op::LinkTest || op == Op::Write;
    QCOMPARE(b.f.ui.messages.size(), messages + (reports ? 1 : 0));
    QCOMPARE(healthy.receivedBytes(), received);
    if (reports) {
        QCOMPARE(b.f.ui.messages.back().text,
                 op == Op::Write ? kWriteDoneText : LinkVerdict(LinkDevice::Board));
        QCOMPARE(b.f.ui.messages.back().icon, MsgIcon::Information);
    }
    if (op == Op::Read) {
        QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
        QCOMPARE(Bytes(b.w().EdataImage()), SampleImageAsRead());
    }
    if (op == Op::Write) {
        QCOMPARE(healthy.image(), image);
    }
    QCOMPARE(b.Reds(), reds);
    b.ExpectIdle();
}

// How many bytes wait on the device, opened anew: -1 when it cannot be opened (the program
// opens its port exclusively). Reading the count takes nothing away.
int BytesWaiting(const QString& device) {
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    int waiting = -1;
    if (fd >= 0) {
        ioctl(fd, FIONREAD, &waiting);
        ::close(fd);
    }
    return waiting;
}

// Waits (without letting the window run) until `count` bytes wait on the device, and tells how
// many do: through the program's own descriptor of it, found among this process's open files
// (opening it a second time while the program holds it would take root).
int WaitForBytesWaitingForUs(const QString& device, int count) {
    const QString target = QFileInfo(device).canonicalFilePath();
    const QDeadlineTimer safetyNet(20000);
    for (;; QThread::msleep(2)) {
        int waiting = -1;
        const QDir fds(QStringLiteral("/proc/self/fd"));
        for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
            if (QFileInfo(fds.filePath(fd)).symLinkTarget() == target) {
                ioctl(fd.toInt(), FIONREAD, &waiting);
            }
        }
        if (waiting < 0 || waiting >= count || safetyNet.hasExpired()) {
            return waiting;
        }
    }
}

void Row(const char* name, Op op, std::initializer_list<const char*> options, int received,
         const QString& message = kCommErrorText) {
    QTest::newRow(name) << op << Args(options) << received << message;
}

} // namespace

Q_DECLARE_METATYPE(Op)

class TstBoardFaults : public QObject {
    Q_OBJECT

private slots:
    void failedOperationChangesNothing_data();
    void failedOperationChangesNothing();
    void repliesSplitAnywhere();
    void leftOverJunkIsDiscarded();
};

void TstBoardFaults::failedOperationChangesNothing_data() {
    QTest::addColumn<Op>("op");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("received"); // bytes of the command the faulty board gets
    QTest::addColumn<QString>("message");

    // Every fault of every reply is walked over a scripted link (test_board_procedures); these
    // rows take each operation and each kind of fault (lateness, a lost device, a wrong echo, a
    // bad reply) once through the window and the pseudo-terminal. Silence is the busy walk's
    // (tst_board_link); a reply late as a whole shows the same time-out as one late in part.
    // The limit holds for the whole reply, not from the last character received.
    Row("Leggi, reply from 0.45 s to 0.85 s", Op::Read,
        {"--delay-ms", "450", "--split-at", "100", "--chunk-gap-ms", "400"}, 1);
    Row("Scrivi, hang-up after byte 0", Op::Write, {"--hangup-after", "2"}, 2);
    Row("Scrivi, other byte echoed for byte 40", Op::Write, {"--wrong-echo", "40"}, 42,
        kWriteErrorText);
    Row("Cmd Out 3, nine letters", Op::Output, {"--reply-short"}, 1);
    Row("Test, junk", Op::LinkTest, {"--garbage"}, 5, LinkVerdict(LinkDevice::Other));
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
    const WindowState before(b);
    const QByteArray sent = Sent(b, op).left(received);

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

void TstBoardFaults::repliesSplitAnywhere() {
    // Each reply splits one place further on than the one before. Read: R, 256 digits and
    // CR LF, 258 places (257: between digits and CR LF, 258: between CR and LF). Write: W CR LF,
    // then 128 echoes of W and two digits, CR LF: W after W, echoes after 2, 3, 4, 1, ...; then
    // W between CR and LF, echoes after 3, 4, 2. Output: ten letters and CR LF, 11 places.
    for (const auto& [op, split, gap, times] :
         {std::tuple{Op::Read, "1-258", "10", 258}, std::tuple{Op::Write, "1-4", "5", 1},
          std::tuple{Op::Write, "2-4", "5", 1}, std::tuple{Op::Output, "1-11", "10", 11}}) {
        BoardWindow b(Args({"--split-at", split, "--chunk-gap-ms", gap}));
        QVERIFY2(b.Ready(), qPrintable(b.Why()));
        for (int k = 0; k < times; ++k) {
            ExpectWorks(b, b.board, op, (k * 3 + 2) % 10); // every output, output 3 on and off
            QVERIFY2(!QTest::currentTestFailed(), split);
        }
    }
}

void TstBoardFaults::leftOverJunkIsDiscarded() {
    // Seven junk characters follow each reply once the line has been quiet for 0.1 s. Every
    // exchange discards what waits before it sends: the write's first one is enough.
    BoardWindow b(Args({"--garbage-after-reply", "7", "--garbage-gap-ms", "100"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    // While the link test reports, its port is open: the junk arrives and stays.
    int waiting = -1;
    b.f.ui.onMessage = [&](const RecordedMessage&) {
        waiting = WaitForBytesWaitingForUs(b.board.devicePath(), 7);
    };
    Run(b, Op::LinkTest);
    b.f.ui.onMessage = {};
    b.ExpectOneMessage(LinkVerdict(LinkDevice::Board), MsgIcon::Information);
    QCOMPARE(waiting, 7);
    QVERIFY(!b.w().PortIsOpen());
    QCOMPARE(BytesWaiting(b.board.devicePath()), 7); // closing the port kept it

    ExpectWorks(b, b.board, Op::Write);
}

QTEST_MAIN(TstBoardFaults)
#include "tst_board_faults.moc"
