// The virtual board on its own, driven over its pty with QSerialPort: a smoke test of its
// protocol and of the options the program's tests do not use.

#include "tests/support/file_bytes.h"
#include "tests/support/virtual_board.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool OpenPort(QSerialPort& port, const QString& path) {
    port.setPortName(path);
    return port.open(QIODevice::ReadWrite);
}

// Sends the command and reads until `count` bytes have come (or a generous safety net ends).
QByteArray Exchange(QSerialPort& port, const QByteArray& command, qsizetype count) {
    port.write(command);
    port.waitForBytesWritten(20000);
    QByteArray bytes;
    const QDeadlineTimer safetyNet(20000);
    while (bytes.size() < count && !safetyNet.hasExpired()) {
        if (port.bytesAvailable() > 0 || port.waitForReadyRead(100)) {
            bytes += port.read(count - bytes.size());
        }
    }
    return bytes;
}

QByteArray ReadReply(const QByteArray& image) {
    return "R" + image.toHex().toUpper() + "\r\n";
}

} // namespace

class TstVirtualBoard : public QObject {
    Q_OBJECT

private slots:
    void everyCommandOverTheLink();
    void defaultImageAndExitOnItsOwn();
    void helpIsItalian();
};

void TstVirtualBoard::everyCommandOverTheLink() {
    // Bytes a cooked tty would eat or turn around must pass as raw data.
    QByteArray image(128, '\0');
    for (int i = 0; i < image.size(); ++i) {
        image[i] = static_cast<char>((i * 151 + 7) & 0xFF);
    }
    image.replace(0, 11, QByteArray("\x00\x03\x04\x0A\x0D\x11\x13\x1A\x1C\x7F\xFF", 11));
    QTemporaryDir folder;
    const QString imageFile = folder.filePath(QStringLiteral("image.hex"));
    QVERIFY(PutFile(imageFile, QByteArray(128, '\x3C').toHex() + "\n"));
    const QString link = folder.filePath(QStringLiteral("com3"));
    VirtualBoard board({QStringLiteral("--image-file"), imageFile, QStringLiteral("--link"), link});
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    QSerialPort port;
    QVERIFY2(OpenPort(port, link), qPrintable(port.errorString()));

    QCOMPARE(Exchange(port, "RAT\r\n", 259), ReadReply(QByteArray(128, '\x3C')));
    // Had the board taken the A of "RAT" as a command, output 1 would be on.
    QCOMPARE(Exchange(port, "C", 12), QByteArray("abCdefghij\r\n"));
    QCOMPARE(Exchange(port, "W", 3), QByteArray("W\r\n"));
    for (int i = 0; i < image.size(); ++i) {
        QCOMPARE(Exchange(port, image.mid(i, 1), 5),
                 "W" + image.mid(i, 1).toHex().toUpper() + "\r\n");
    }
    QCOMPARE(board.image(), image);
    QCOMPARE(board.receivedBytes(), "RAT\r\nCW" + image);
    // The image read back after a write, and the outputs outliving the port, show through the
    // program's tests (tst_cli, tst_board_link).
}

void TstVirtualBoard::defaultImageAndExitOnItsOwn() {
    VirtualBoard board({QStringLiteral("--no-pace")});
    QVERIFY2(board.isReady(), qPrintable(board.errorString()));
    QSerialPort port;
    QVERIFY2(OpenPort(port, board.devicePath()), qPrintable(port.errorString()));
    QCOMPARE(Exchange(port, "R", 259), ReadReply(QByteArray(8, '\x01') + QByteArray(120, '\0')));

    // Its device and link go with it.
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("com3"));
    VirtualBoard leaving(
        {QStringLiteral("--link"), link, QStringLiteral("--hangup-after"), QStringLiteral("1")});
    QVERIFY2(leaving.isReady(), qPrintable(leaving.errorString()));
    port.close();
    QVERIFY2(OpenPort(port, link), qPrintable(port.errorString()));
    port.write("R");
    port.waitForBytesWritten(20000);
    QVERIFY(leaving.waitForExit());
    port.close();
    QCOMPARE(leaving.process().exitCode(), 0);
    QVERIFY(!QFileInfo::exists(link));
    QVERIFY(!QFileInfo::exists(leaving.devicePath()));
}

// Qt's own help option describes itself in English, even with Qt's Italian catalogue loaded.
void TstVirtualBoard::helpIsItalian() {
    QProcess help;
    help.start(QStringLiteral(MIRAVEL6_VIRTUAL_BOARD_PATH), {QStringLiteral("--help")});
    QVERIFY(help.waitForFinished(20000));
    const QString text = QString::fromUtf8(help.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("-h, --help")), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("Displays")), qPrintable(text));
    QCOMPARE(help.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TstVirtualBoard)
#include "tst_virtual_board.moc"
