// Board operations against a faulty board or line: what the user is told, that nothing
// else changes, and that the next operation against a healthy board works.

#include "model/edata.h"
#include "tests/support/board_window.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QThread>
#include <QtTest>

#include <fcntl.h>
#include <map>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

enum class Op { LinkTest, Read, Write, Output };

// Every fault the suite makes the program meet; printed at the end.
int faultCases = 0;

QString U(const char* text) {
    return QString::fromUtf8(text);
}

QStringList Args(std::initializer_list<const char*> args) {
    QStringList list;
    for (const char* a : args) {
        list << QString::fromLatin1(a);
    }
    return list;
}

QByteArray Bytes(const EdataBytes& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), kEdataSize);
}

// The healthy boards' image: phase bytes with their top bits set, every hex digit in use.
QByteArray BoardImage() {
    QByteArray image(kEdataSize, '\0');
    const unsigned char phases[8] = {0xC5, 0x02, 0x7F, 0x00, 0x81, 0x3E, 0x00, 0x09};
    for (int p = 0; p < 8; ++p) {
        image[p] = static_cast<char>(phases[p]);
    }
    for (int i = 8; i < kEdataSize; ++i) {
        image[i] = static_cast<char>((i * 97 + 13) & 0xFF);
    }
    return image;
}

// What the window holds after reading BoardImage(): phase bytes cut to their code.
QByteArray BoardImageAsRead() {
    QByteArray image = BoardImage();
    for (int p = 0; p < 8; ++p) {
        image[p] = static_cast<char>(image[p] & 0x3F);
    }
    return image;
}

QStringList HealthyArgs() {
    return {QStringLiteral("--no-pace"), QStringLiteral("--image"),
            QString::fromLatin1(BoardImage().toHex().toUpper())};
}

void MapCom3(BoardWindow& b, const VirtualBoard& board) {
    b.f.StoreSetting(QStringLiteral("ports/COM3"), board.devicePath());
}

bool IsRed(const QPushButton* button) {
    return button->palette().color(QPalette::Button) == QColor(255, 0, 0);
}

// The ten output buttons as "R" (red) or "-" (button face), e.g. "R-R-------".
QString Reds(BoardWindow& b) {
    const QPushButton plain;
    QString text;
    for (int o = 0; o < 10; ++o) {
        const QColor colour = b.Output(o)->palette().color(QPalette::Button);
        text += IsRed(b.Output(o))                                  ? QLatin1Char('R')
                : colour == plain.palette().color(QPalette::Button) ? QLatin1Char('-')
                                                                    : QLatin1Char('?');
    }
    return text;
}

// Everything a failed board operation must leave as it was, the program folder included.
struct Everything {
    explicit Everything(BoardWindow& b)
        : grid(b.w().EffSet()), codes(b.w().CurrentFaseCodes()), image(b.w().EdataImage()),
          text(b.f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText()),
          title(b.w().windowTitle()), reds(Reds(b)) {
        for (int o = 0; o < 10; ++o) {
            names << b.f.Child<QLabel>("lblOutName", o)->text();
        }
        for (int p = 0; p < 8; ++p) {
            names << b.f.Child<QLabel>("lblFaseName", p)->text();
        }
        const QDir folder(b.f.FolderPath());
        for (const QString& name : folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            QFile file(folder.filePath(name));
            files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?");
        }
    }
    bool operator==(const Everything&) const = default;

    EffGrid grid;
    FaseCodes codes;
    EdataBytes image;
    QString text;
    QString title;
    QString reds;
    QStringList names;
    std::map<QString, QByteArray> files;
};

void Run(BoardWindow& b, Op op) {
    switch (op) {
    case Op::LinkTest:
        b.Click("cmdCommTest");
        break;
    case Op::Read:
        b.Click("cmdEdataRead");
        break;
    case Op::Write:
        b.Click("cmdEdataWrite");
        break;
    case Op::Output:
        b.Click(b.Output(2));
        break;
    }
}

// The status line while the operation reports; `dots` bytes of a write were attempted.
QString BusyStatus(Op op, int dots) {
    switch (op) {
    case Op::LinkTest:
        return QStringLiteral("Test funzionamento porta seriale in corso...");
    case Op::Read:
        return QStringLiteral("Lettura dati dalla scheda in corso...");
    case Op::Write:
        return QStringLiteral("Scrittura dati su scheda in corso") +
               QString(dots, QLatin1Char('.'));
    case Op::Output:
        break;
    }
    return QStringLiteral("Invio comando on/off per uscite scheda...");
}

// A cell, a duration and a name that differ from the start-up ones, saved to the program
// folder (the title shows the file), and output 1 switched on through the healthy board.
void Prepare(BoardWindow& b, const VirtualBoard& healthy) {
    b.f.ui.menuChoices.push_back({U("Luminosità Parte1"), U("Crescente 25%")});
    QTest::mouseClick(b.f.Child<QLabel>("lblEffMode", 12), Qt::LeftButton);
    auto* duration = b.f.Child<QComboBox>("cboFaseTime", 2);
    duration->setFocus();
    QTest::keyClick(duration, Qt::Key_Down);
    b.f.ui.menuChoices.push_back({QStringLiteral("Modifica")});
    b.f.ui.inputAnswers.push_back(QStringLiteral("Pompa"));
    QTest::mouseClick(b.f.Child<QLabel>("lblOutName", 1), Qt::LeftButton);
    b.f.ui.saveAnswers.push_back(b.f.FolderPath() + QStringLiteral("/giardino.dm6"));
    b.Click("cmdFileSave");

    const QString faulty = b.f.StoredSetting(QStringLiteral("ports/COM3"));
    MapCom3(b, healthy);
    b.Click(b.Output(0));
    b.f.StoreSetting(QStringLiteral("ports/COM3"), faulty);

    QVERIFY(b.f.ui.menuErrors.isEmpty());
    QVERIFY(b.f.ui.messages.empty());
    QCOMPARE(b.f.Child<QLabel>("lblOutName", 1)->text(), QStringLiteral("Pompa"));
    QVERIFY(b.w().windowTitle().endsWith(QStringLiteral("giardino.dm6")));
    QCOMPARE(Reds(b), QStringLiteral("R---------"));
}

// Runs the operation against a healthy board and checks that it did its work. The board's
// output 1 is on and the window knows it.
void ExpectWorks(BoardWindow& b, const VirtualBoard& healthy, Op op) {
    const std::size_t messages = b.f.ui.messages.size();
    const QByteArray received = healthy.receivedBytes();
    Run(b, op);
    switch (op) {
    case Op::LinkTest:
        QCOMPARE(b.f.ui.messages.size(), messages + 1);
        QCOMPARE(b.f.ui.messages.back().text,
                 QStringLiteral("Test su porta seriale COM3 concluso con successo!\r\n"
                                "Rilevata scheda Miravel6."));
        break;
    case Op::Read:
        QCOMPARE(b.f.ui.messages.size(), messages);
        QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
        QCOMPARE(Bytes(b.w().EdataImage()), BoardImageAsRead());
        break;
    case Op::Write:
        QCOMPARE(b.f.ui.messages.size(), messages + 1);
        QCOMPARE(b.f.ui.messages.back().text,
                 QStringLiteral("Scrittura e verifica dati completata"));
        QCOMPARE(healthy.receivedBytes(), received + "W" + Bytes(b.w().EdataImage()));
        QCOMPARE(healthy.image(), Bytes(b.w().EdataImage()));
        break;
    case Op::Output:
        QCOMPARE(b.f.ui.messages.size(), messages);
        QCOMPARE(Reds(b), QStringLiteral("R-R-------"));
        break;
    }
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(!b.w().PortIsOpen());
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

} // namespace

Q_DECLARE_METATYPE(Op)
Q_DECLARE_METATYPE(MsgIcon)

class TstBoardFaults : public QObject {
    Q_OBJECT

private slots:
    void failedOperationChangesNothing_data();
    void failedOperationChangesNothing();
    void readReplySplitAnywhere_data();
    void readReplySplitAnywhere();
    void writeRepliesSplitAnywhere_data();
    void writeRepliesSplitAnywhere();
    void outputReplySplitAnywhere();
    void leftOverJunkIsDiscarded_data();
    void leftOverJunkIsDiscarded();
    void cleanupTestCase();
};

void TstBoardFaults::failedOperationChangesNothing_data() {
    QTest::addColumn<Op>("op");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    QTest::addColumn<MsgIcon>("icon");
    QTest::addColumn<QByteArray>("received"); // by the faulty board
    QTest::addColumn<int>("dots");            // bytes of a write attempted

    const QString commError = QStringLiteral("Errore comunicazione");
    const MsgIcon critical = MsgIcon::Critical;

    QTest::newRow("Leggi, silence")
        << Op::Read << Args({"--silent"}) << commError << critical << QByteArray("R") << 0;
    QTest::newRow("Leggi, junk") << Op::Read << Args({"--garbage"}) << commError << critical
                                 << QByteArray("R") << 0;
    QTest::newRow("Leggi, hang-up after R") << Op::Read << Args({"--hangup-after", "1"})
                                            << commError << critical << QByteArray("R") << 0;

    // For writes the bytes of the image attempted follow the W.
    QTest::newRow("Scrivi, silence")
        << Op::Write << Args({"--silent"}) << commError << critical << QByteArray("W") << 0;
    QTest::newRow("Scrivi, junk") << Op::Write << Args({"--garbage"}) << commError << critical
                                  << QByteArray("W") << 0;
    QTest::newRow("Scrivi, hang-up after W") << Op::Write << Args({"--hangup-after", "1"})
                                             << commError << critical << QByteArray("W") << 0;
    QTest::newRow("Scrivi, hang-up after byte 0") << Op::Write << Args({"--hangup-after", "2"})
                                                  << commError << critical << QByteArray("W") << 1;
    QTest::newRow("Scrivi, hang-up after byte 63")
        << Op::Write << Args({"--hangup-after", "65"}) << commError << critical << QByteArray("W")
        << 64;
    QTest::newRow("Scrivi, hang-up after byte 127")
        << Op::Write << Args({"--hangup-after", "129"}) << commError << critical << QByteArray("W")
        << 128;

    QTest::newRow("Cmd Out 3, silence")
        << Op::Output << Args({"--silent"}) << commError << critical << QByteArray("C") << 0;
    QTest::newRow("Cmd Out 3, junk")
        << Op::Output << Args({"--garbage"}) << commError << critical << QByteArray("C") << 0;
    QTest::newRow("Cmd Out 3, hang-up after the letter")
        << Op::Output << Args({"--hangup-after", "1"}) << commError << critical << QByteArray("C")
        << 0;

    const QString checkLines =
        QStringLiteral("\r\nAccertarsi che la porta seriale selezionata sia corretta e\r\n"
                       "collegata alla scheda Miravel6 o al LoopBack (pin 2+3 in corto).");
    QTest::newRow("Test, junk") << Op::LinkTest << Args({"--garbage"})
                                << QStringLiteral("Porta seriale COM3 aperta con successo.\r\n"
                                                  "Rilevato modem AT o altro dispositivo.") +
                                       checkLines
                                << MsgIcon::Exclamation << QByteArray("RAT\r\n") << 0;
    QTest::newRow("Test, hang-up after R")
        << Op::LinkTest << Args({"--hangup-after", "1"})
        << QStringLiteral("Porta seriale COM3 aperta con successo.\r\n"
                          "Nessun dispositivo connesso.") +
               checkLines
        << MsgIcon::Exclamation << QByteArray("R") << 0;
}

void TstBoardFaults::failedOperationChangesNothing() {
    QFETCH(Op, op);
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QFETCH(MsgIcon, icon);
    QFETCH(QByteArray, received);
    QFETCH(int, dots);

    BoardWindow b(options);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    VirtualBoard healthy(HealthyArgs());
    QVERIFY2(healthy.isReady(), qPrintable(healthy.errorString()));
    Prepare(b, healthy);
    if (QTest::currentTestFailed()) {
        return;
    }
    const Everything before(b);
    if (op == Op::Write) {
        received += Bytes(b.w().EdataImage()).left(dots);
    }
    QString statusDuringMessage;
    bool openDuringMessage = false;
    b.f.ui.onMessage = [&](const RecordedMessage&) {
        statusDuringMessage = b.Status();
        openDuringMessage = b.w().PortIsOpen();
    };

    ++faultCases;
    Run(b, op);

    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, message);
    QCOMPARE(b.f.ui.messages.front().icon, icon);
    QCOMPARE(b.f.ui.messages.front().buttons, MsgButtons::Ok);
    QCOMPARE(b.f.ui.messages.front().caption, QStringLiteral("Miravel6"));
    QCOMPARE(statusDuringMessage, BusyStatus(op, dots));
    QVERIFY(openDuringMessage); // the operation holds the port until it has reported
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(!b.w().PortIsOpen());
    QVERIFY(Everything(b) == before);
    QCOMPARE(b.board.receivedBytes(), received);

    b.f.ui.onMessage = {};
    MapCom3(b, healthy);
    ExpectWorks(b, healthy, op);
}

void TstBoardFaults::readReplySplitAnywhere_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    // The reply is R, 256 digits and CR LF: 259 characters, 258 places to split.
    QTest::newRow("after characters 1 to 86") << 1 << 86;
    QTest::newRow("after characters 87 to 172") << 87 << 172;
    QTest::newRow("after characters 173 to 258 (257: between digits and CR LF, 258: "
                  "between CR and LF)")
        << 173 << 258;
}

void TstBoardFaults::readReplySplitAnywhere() {
    QFETCH(int, first);
    QFETCH(int, last);
    // Successive replies split one place further on.
    const QString split = QString::number(first) + QLatin1Char('-') + QString::number(last);
    BoardWindow b(HealthyArgs() + QStringList{QStringLiteral("--split-at"), split,
                                              QStringLiteral("--chunk-gap-ms"),
                                              QStringLiteral("10")});
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    auto* duration = b.f.Child<QComboBox>("cboFaseTime", 0);

    for (int at = first; at <= last; ++at) {
        // An edit between reads, so that each read has something to put right.
        duration->setFocus();
        QTest::keyClick(duration, Qt::Key_End);
        QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6"));

        ++faultCases;
        b.Click("cmdEdataRead");

        QVERIFY2(b.f.ui.messages.empty(), qPrintable(QStringLiteral("split after %1").arg(at)));
        QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
        QCOMPARE(duration->currentIndex(), 5);
        QCOMPARE(Bytes(b.w().EdataImage()), BoardImageAsRead());
    }
    QCOMPARE(b.board.receivedBytes(), QByteArray(last - first + 1, 'R'));
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(!b.w().PortIsOpen());
}

void TstBoardFaults::writeRepliesSplitAnywhere_data() {
    QTest::addColumn<QString>("split");
    // W CR LF, then 128 echoes of W and two digits, CR LF; each reply splits one place on.
    QTest::newRow("W after W, echoes after 2, 3, 4, 1, ...") << QStringLiteral("1-4");
    QTest::newRow("W between CR and LF, echoes after 3, 4, 2, ...") << QStringLiteral("2-4");
}

void TstBoardFaults::writeRepliesSplitAnywhere() {
    QFETCH(QString, split);
    BoardWindow b(Args({"--split-at"}) + QStringList{split} + Args({"--chunk-gap-ms", "5"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    auto* duration = b.f.Child<QComboBox>("cboFaseTime", 6);
    duration->setFocus();
    QTest::keyClick(duration, Qt::Key_End);
    const QByteArray image = Bytes(b.w().EdataImage());

    ++faultCases;
    b.Click("cmdEdataWrite");

    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, QStringLiteral("Scrittura e verifica dati completata"));
    QCOMPARE(b.board.receivedBytes(), "W" + image);
    QCOMPARE(b.board.image(), image);
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(!b.w().PortIsOpen());
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
        QCOMPARE(Reds(b), expected);
    }
    QCOMPARE(b.board.receivedBytes(), sent);
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(!b.w().PortIsOpen());
}

void TstBoardFaults::leftOverJunkIsDiscarded_data() {
    QTest::addColumn<Op>("first"); // shows a message while the port is open
    QTest::addColumn<QString>("firstMessage");
    QTest::addColumn<Op>("next");

    const QString found = QStringLiteral("Test su porta seriale COM3 concluso con successo!\r\n"
                                         "Rilevata scheda Miravel6.");
    const QString written = QStringLiteral("Scrittura e verifica dati completata");
    QTest::newRow("Test, then Leggi") << Op::LinkTest << found << Op::Read;
    QTest::newRow("Test, then Scrivi") << Op::LinkTest << found << Op::Write;
    QTest::newRow("Test, then Cmd Out 3") << Op::LinkTest << found << Op::Output;
    QTest::newRow("Scrivi, then Test") << Op::Write << written << Op::LinkTest;
}

void TstBoardFaults::leftOverJunkIsDiscarded() {
    QFETCH(Op, first);
    QFETCH(QString, firstMessage);
    QFETCH(Op, next);

    // Seven junk characters follow each reply once the line has been quiet for 0.1 s.
    BoardWindow b(HealthyArgs() + Args({"--garbage-after-reply", "7", "--garbage-gap-ms", "100"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.Click(b.Output(0)); // the state ExpectWorks starts from
    QCOMPARE(Reds(b), QStringLiteral("R---------"));

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
