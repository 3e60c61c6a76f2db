// The virtual board, driven over its pty with QSerialPort the way the program drives a board.

#include "tests/support/virtual_board.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>

namespace {

// Safety net only: a healthy exchange takes well under a second.
constexpr int kReplyTimeoutMs = 20000;

QByteArray hexImage(const QByteArray& image) {
    return image.toHex().toUpper();
}

QByteArray defaultImage() {
    return QByteArray(8, '\x01') + QByteArray(120, '\0');
}

bool openPort(QSerialPort& port, const QString& path) {
    port.setPortName(path);
    port.setBaudRate(QSerialPort::Baud9600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    return port.open(QIODevice::ReadWrite);
}

// Reads until exactly `count` bytes have arrived (or the safety net runs out).
QByteArray readCount(QSerialPort& port, qsizetype count) {
    QByteArray bytes = port.readAll();
    QDeadlineTimer deadline(kReplyTimeoutMs);
    while (bytes.size() < count && !deadline.hasExpired()) {
        if (port.bytesAvailable() > 0 || port.waitForReadyRead(100)) {
            bytes += port.read(count - bytes.size());
        }
    }
    return bytes;
}

QByteArray exchange(QSerialPort& port, const QByteArray& command, qsizetype replySize) {
    port.write(command);
    port.waitForBytesWritten(kReplyTimeoutMs);
    return readCount(port, replySize);
}

} // namespace

// One group per board operation of the program, plus the fault options it relies on.
class TstVirtualBoard : public QObject {
    Q_OBJECT

private slots:
    void readGivesTheDefaultImage();
    void writeIsEchoedAndReadBack();
    void outputCommandsReportAllTenOutputs();
    void linkTestIsAnsweredWithTheImageOnly();
    void faultOptionsShapeTheReplies_data();
    void faultOptionsShapeTheReplies();
    void loopbackEchoesEveryByte();
    void hangupIsAnErrorOnThePort();
};

void TstVirtualBoard::readGivesTheDefaultImage() {
    VirtualBoard board;
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    QSerialPort port;
    QVERIFY2(openPort(port, board.devicePath()), qPrintable(port.errorString()));

    const QByteArray reply = exchange(port, "R", 259);
    QCOMPARE(reply.size(), 259);
    QCOMPARE(reply, "R" + QByteArray("01").repeated(8) + QByteArray("00").repeated(120) + "\r\n");
    QCOMPARE(board.receivedBytes(), QByteArray("R"));
}

void TstVirtualBoard::writeIsEchoedAndReadBack() {
    VirtualBoard board;
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    QSerialPort port;
    QVERIFY2(openPort(port, board.devicePath()), qPrintable(port.errorString()));

    // Control characters a cooked tty would eat or turn around must pass as raw data.
    QByteArray image(128, '\0');
    for (int i = 0; i < image.size(); ++i) {
        image[i] = static_cast<char>((i * 151 + 7) & 0xFF);
    }
    const QByteArray special("\x00\x03\x04\x0A\x0D\x11\x13\x1A\x1C\x7F\xFF", 11);
    image.replace(0, special.size(), special);

    QCOMPARE(exchange(port, "W", 3), QByteArray("W\r\n"));
    for (int i = 0; i < image.size(); ++i) {
        const QByteArray expected = "W" + hexImage(image.mid(i, 1)) + "\r\n";
        QCOMPARE(exchange(port, image.mid(i, 1), 5), expected);
    }
    QCOMPARE(board.image(), image);
    QCOMPARE(exchange(port, "R", 259), "R" + hexImage(image) + "\r\n");
    QCOMPARE(board.receivedBytes(), "W" + image + "R");
}

void TstVirtualBoard::outputCommandsReportAllTenOutputs() {
    VirtualBoard board;
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    QSerialPort port;
    QVERIFY2(openPort(port, board.devicePath()), qPrintable(port.errorString()));

    QCOMPARE(exchange(port, "C", 12), QByteArray("abCdefghij\r\n"));
    QCOMPARE(exchange(port, "J", 12), QByteArray("abCdefghiJ\r\n"));
    QCOMPARE(exchange(port, "c", 12), QByteArray("abcdefghiJ\r\n"));

    // The state outlives the port: the program opens it anew for every click.
    port.close();
    QVERIFY2(openPort(port, board.devicePath()), qPrintable(port.errorString()));
    QCOMPARE(exchange(port, "A", 12), QByteArray("AbcdefghiJ\r\n"));
}

void TstVirtualBoard::linkTestIsAnsweredWithTheImageOnly() {
    VirtualBoard board;
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    QSerialPort port;
    QVERIFY2(openPort(port, board.devicePath()), qPrintable(port.errorString()));

    const QByteArray reply = exchange(port, "RAT\r\n", 259);
    QCOMPARE(reply, "R" + hexImage(defaultImage()) + "\r\n");
    // Had the board taken the A of "RAT" as a command, its reply would come first and
    // output 1 would be on.
    QCOMPARE(exchange(port, "b", 12), QByteArray("abcdefghij\r\n"));
}

void TstVirtualBoard::faultOptionsShapeTheReplies_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArrayList>("commands");
    QTest::addColumn<QByteArrayList>("replies");

    const QString abImage = QStringLiteral("AB").repeated(128);
    const QByteArray defaultHex = hexImage(defaultImage());
    QTest::newRow("lower-case digits")
        << QStringList{QStringLiteral("--lowercase"), QStringLiteral("--image"), abImage}
        << QByteArrayList{"R"} << QByteArrayList{"R" + QByteArray("ab").repeated(128) + "\r\n"};
    QTest::newRow("no leading R") << QStringList{QStringLiteral("--no-r-prefix")}
                                  << QByteArrayList{"R"} << QByteArrayList{defaultHex + "\r\n"};
    QTest::newRow("other letter") << QStringList{QStringLiteral("--r-letter"), QStringLiteral("X")}
                                  << QByteArrayList{"R"}
                                  << QByteArrayList{"X" + defaultHex + "\r\n"};
    QTest::newRow("refused output")
        << QStringList{QStringLiteral("--refuse-output"), QStringLiteral("3")}
        << QByteArrayList{"B", "C"} << QByteArrayList{"aBcdefghij\r\n", "aBcdefghij\r\n"};
    QTest::newRow("K for J") << QStringList{QStringLiteral("--output-reply-k")}
                             << QByteArrayList{"J"} << QByteArrayList{"abcdefghiK\r\n"};
    QTest::newRow("nine letters") << QStringList{QStringLiteral("--reply-short")}
                                  << QByteArrayList{"A"} << QByteArrayList{"Abcdefghi\r\n"};
    QTest::newRow("wrong echo") << QStringList{QStringLiteral("--wrong-echo"), QStringLiteral("1")}
                                << QByteArrayList{"W", "\x40", "\x40", "\x40"}
                                << QByteArrayList{"W\r\n", "W40\r\n", "W41\r\n", "W40\r\n"};
    QTest::newRow("three digits") << QStringList{QStringLiteral("--echo-digits"),
                                                 QStringLiteral("0")}
                                  << QByteArrayList{"W", "\xAA", "\xAA"}
                                  << QByteArrayList{"W\r\n", "W0AA\r\n", "WAA\r\n"};
    QTest::newRow("modem") << QStringList{QStringLiteral("--modem")} << QByteArrayList{"RAT\r\n"}
                           << QByteArrayList{"RAT\r\r\nOK\r\n"};
    QTest::newRow("modem, CR LF first")
        << QStringList{QStringLiteral("--modem-style"), QStringLiteral("crlf-first")}
        << QByteArrayList{"RAT\r\n"} << QByteArrayList{"\r\nOK\r\n"};
    // Chunks and delays change only the timing; the reply must stay whole.
    QTest::newRow("chunks and delay")
        << QStringList{QStringLiteral("--chunk"),        QStringLiteral("7"),
                       QStringLiteral("--chunk-gap-ms"), QStringLiteral("3"),
                       QStringLiteral("--delay-ms"),     QStringLiteral("20")}
        << QByteArrayList{"R", "E"} << QByteArrayList{"R" + defaultHex + "\r\n", "abcdEfghij\r\n"};
}

void TstVirtualBoard::faultOptionsShapeTheReplies() {
    QFETCH(QStringList, options);
    QFETCH(QByteArrayList, commands);
    QFETCH(QByteArrayList, replies);

    VirtualBoard board(options + QStringList{QStringLiteral("--no-pace")});
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    QSerialPort port;
    QVERIFY2(openPort(port, board.devicePath()), qPrintable(port.errorString()));
    for (qsizetype i = 0; i < commands.size(); ++i) {
        QCOMPARE(exchange(port, commands[i], replies[i].size()), replies[i]);
    }
}

void TstVirtualBoard::loopbackEchoesEveryByte() {
    VirtualBoard board({QStringLiteral("--loopback")});
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    QSerialPort port;
    QVERIFY2(openPort(port, board.devicePath()), qPrintable(port.errorString()));

    QCOMPARE(exchange(port, "RAT\r\n", 5), QByteArray("RAT\r\n"));
    const QByteArray raw("W\x00\x03\x11\xFF", 5);
    QCOMPARE(exchange(port, raw, raw.size()), raw);
}

void TstVirtualBoard::hangupIsAnErrorOnThePort() {
    VirtualBoard board({QStringLiteral("--hangup-after"), QStringLiteral("1")});
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    QSerialPort port;
    QVERIFY2(openPort(port, board.devicePath()), qPrintable(port.errorString()));
    QSignalSpy errors(&port, &QSerialPort::errorOccurred);

    port.write("R");
    QTRY_VERIFY_WITH_TIMEOUT(port.error() != QSerialPort::NoError, kReplyTimeoutMs);
    QVERIFY(board.waitForExit());
    QCOMPARE(board.process().exitCode(), 0);
    QCOMPARE(board.receivedBytes(), QByteArray("R"));
    QVERIFY(!errors.isEmpty());
}

QTEST_GUILESS_MAIN(TstVirtualBoard)
#include "tst_virtual_board.moc"
