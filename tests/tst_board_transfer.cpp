// Reading and writing the board's image through the program's own serial code against the
// virtual board: what the window, the model and the board end up with.

#include "model/edata.h"
#include "tests/support/board_window.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

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

// A board image with every kind of byte: phase bytes with their two top bits set, cells
// and flag pairs all different.
QByteArray SampleImage() {
    QByteArray image(kEdataSize, '\0');
    const unsigned char phases[8] = {0xC5, 0x41, 0x3F, 0x00, 0x80, 0x01, 0x82, 0x03};
    for (int p = 0; p < 8; ++p) {
        image[p] = static_cast<char>(phases[p]);
    }
    for (int i = 8; i < kEdataSize; ++i) {
        image[i] = static_cast<char>((i * 151 + 7) & 0xFF);
    }
    return image;
}

QByteArray PhaseBitsCleared(QByteArray image) {
    for (int p = 0; p < 8; ++p) {
        image[p] = static_cast<char>(image[p] & 0x3F);
    }
    return image;
}

QString ImageOption(const QByteArray& image) {
    return QString::fromLatin1(image.toHex().toUpper());
}

// Everything a failed operation must leave as it was.
struct Snapshot {
    explicit Snapshot(BoardWindow& b)
        : grid(b.w().EffSet()), image(b.w().EdataImage()), codes(b.w().CurrentFaseCodes()),
          title(b.w().windowTitle()),
          text(b.f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText()) {}
    bool operator==(const Snapshot&) const = default;

    EffGrid grid;
    EdataBytes image;
    FaseCodes codes;
    QString title;
    QString text;
};

const QString kWriting = QStringLiteral("Scrittura dati su scheda in corso");

} // namespace

class TstBoardTransfer : public QObject {
    Q_OBJECT

private slots:
    void readLoadsTheBoardsImage_data();
    void readLoadsTheBoardsImage();
    void failedReadChangesNothing_data();
    void failedReadChangesNothing();
    void writeSendsAndVerifiesEveryByte();
    void failedWriteStopsAtTheByte_data();
    void failedWriteStopsAtTheByte();
    void writeNeedsOnePhaseOn();
    void writeNeedsOnePhaseOnInTheImageItSends();
    void readThenWriteGivesTheBoardItsOwnBytes();
    void everythingElseWaitsWhileTheWriteReports();
};

void TstBoardTransfer::readLoadsTheBoardsImage_data() {
    QTest::addColumn<bool>("paced");
    QTest::newRow("fast line") << false;
    QTest::newRow("at 9600 baud") << true;
}

void TstBoardTransfer::readLoadsTheBoardsImage() {
    QFETCH(bool, paced);
    const QByteArray image = SampleImage();
    BoardWindow b({QStringLiteral("--image"), ImageOption(image)}, paced);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));

    b.Click("cmdEdataRead");

    QVERIFY(b.f.ui.messages.empty());
    QCOMPARE(b.board.receivedBytes(), QByteArray("R"));
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
    // C5 selects code 5; the durations show what the board runs.
    QCOMPARE(b.f.Child<QComboBox>("cboFaseTime", 0)->currentText(), QStringLiteral("50 sec"));
    QCOMPARE(b.f.Child<QComboBox>("cboFaseTime", 2)->currentText(), QStringLiteral("12 ore"));
    QCOMPARE(b.f.Child<QComboBox>("cboFaseTime", 3)->currentText(), QStringLiteral("OFF"));
    QCOMPARE(b.f.Child<QComboBox>("cboFaseTime", 4)->currentText(), QStringLiteral("OFF"));
    // The grid holds the board's configuration: the image rebuilt from it is the board's,
    // phase bytes cut to their duration code.
    QCOMPARE(Bytes(b.w().EdataImage()), PhaseBitsCleared(image));
    QVERIFY(b.f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))
                ->toPlainText()
                .startsWith(QStringLiteral("00:05\n01:01\n02:3F\n03:00\n04:00\n")));
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(b.PortFreeForOthers());
}

void TstBoardTransfer::failedReadChangesNothing_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("paced");

    QTest::newRow("complete reply later than 0.5 s") << Args({"--delay-ms", "400"}) << true;
    QTest::newRow("no reply") << Args({"--silent"}) << false;
    QTest::newRow("256 digits without R") << Args({"--no-r-prefix"}) << false;
    QTest::newRow("other first letter") << Args({"--r-letter", "X"}) << false;
    QTest::newRow("lower-case digits") << Args({"--lowercase"}) << false;
    QTest::newRow("board gone after R") << Args({"--hangup-after", "1"}) << false;
    QTest::newRow("loop-back instead of a board") << Args({"--loopback"}) << false;
}

void TstBoardTransfer::failedReadChangesNothing() {
    QFETCH(QStringList, options);
    QFETCH(bool, paced);
    // Digits a-f are needed for the lower-case row.
    BoardWindow b(options + QStringList{QStringLiteral("--image"), ImageOption(SampleImage())},
                  paced);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    auto* duration = b.f.Child<QComboBox>("cboFaseTime", 1);
    duration->setFocus();
    QTest::keyClick(duration, Qt::Key_Down);
    const Snapshot before(b);

    b.Click("cmdEdataRead");

    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, QStringLiteral("Errore comunicazione"));
    QCOMPARE(b.f.ui.messages.front().icon, MsgIcon::Critical);
    QVERIFY(Snapshot(b) == before);
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(!b.w().PortIsOpen());
    QCOMPARE(b.board.receivedBytes(), QByteArray("R"));
}

void TstBoardTransfer::writeSendsAndVerifiesEveryByte() {
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    auto* duration = b.f.Child<QComboBox>("cboFaseTime", 6);
    duration->setFocus();
    QTest::keyClick(duration, Qt::Key_End);
    const QByteArray image = Bytes(b.w().EdataImage());
    QCOMPARE(image.at(6), '\x3F');

    QString statusDuringMessage;
    b.f.ui.onMessage = [&](const RecordedMessage&) { statusDuringMessage = b.Status(); };
    b.Click("cmdEdataWrite");

    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, QStringLiteral("Scrittura e verifica dati completata"));
    QCOMPARE(b.f.ui.messages.front().icon, MsgIcon::Information);
    QCOMPARE(statusDuringMessage,
             kWriting + QString(128, QLatin1Char('.')) + QStringLiteral("OK!"));
    QCOMPARE(b.Status(), kIdleStatusText);
    QCOMPARE(b.board.receivedBytes(), "W" + image);
    QCOMPARE(b.board.image(), image);
    QVERIFY(b.PortFreeForOthers());
}

void TstBoardTransfer::failedWriteStopsAtTheByte_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("bytesSent");

    const QString commError = QStringLiteral("Errore comunicazione");
    QTest::newRow("echo of byte 40 differs")
        << Args({"--wrong-echo", "40"}) << QStringLiteral("Errore scrittura dati") << 41;
    QTest::newRow("echo of byte 7 with three digits")
        << Args({"--echo-digits", "7"}) << commError << 8;
    QTest::newRow("no answer to W") << Args({"--silent"}) << commError << 0;
    // A plug returns the W without CR LF: no reply.
    QTest::newRow("loop-back instead of a board") << Args({"--loopback"}) << commError << 0;
    QTest::newRow("board gone at byte 19") << Args({"--hangup-after", "20"}) << commError << 19;
}

void TstBoardTransfer::failedWriteStopsAtTheByte() {
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QFETCH(int, bytesSent);

    BoardWindow b(options);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    const QByteArray image = Bytes(b.w().EdataImage());
    const Snapshot before(b);
    QString statusDuringMessage;
    bool busyDuringMessage = false;
    b.f.ui.onMessage = [&](const RecordedMessage&) {
        statusDuringMessage = b.Status();
        // Even with the board gone, the operation holds the port until its end.
        busyDuringMessage = b.w().PortIsOpen();
    };

    b.Click("cmdEdataWrite");

    QVERIFY(busyDuringMessage);
    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, message);
    QCOMPARE(b.f.ui.messages.front().icon, MsgIcon::Critical);
    QCOMPARE(statusDuringMessage, kWriting + QString(bytesSent, QLatin1Char('.')));
    QCOMPARE(b.board.receivedBytes(), "W" + image.left(bytesSent));
    QVERIFY(b.board.image().isEmpty());
    QVERIFY(Snapshot(b) == before);
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(!b.w().PortIsOpen());
}

void TstBoardTransfer::writeNeedsOnePhaseOn() {
    BoardWindow b({QStringLiteral("--image"), ImageOption(SampleImage())});
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    for (int p = 0; p < 8; ++p) {
        auto* duration = b.f.Child<QComboBox>("cboFaseTime", p);
        duration->setFocus();
        QTest::keyClick(duration, Qt::Key_Home);
        QCOMPARE(duration->currentIndex(), 0);
    }
    const Snapshot before(b);

    b.Click("cmdEdataWrite");

    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, QStringLiteral("Abilitare almeno una fase temporale."));
    QCOMPARE(b.f.ui.messages.front().icon, MsgIcon::Question);
    QCOMPARE(b.f.ui.messages.front().buttons, MsgButtons::Ok);
    QVERIFY(b.board.receivedBytes().isEmpty());
    QVERIFY(Snapshot(b) == before);
    QCOMPARE(b.Status(), kIdleStatusText);

    // Reading still works and brings phases back.
    b.Click("cmdEdataRead");
    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.board.receivedBytes(), QByteArray("R"));
    QCOMPARE(b.f.Child<QComboBox>("cboFaseTime", 0)->currentIndex(), 5);
}

void TstBoardTransfer::writeNeedsOnePhaseOnInTheImageItSends() {
    BoardWindow b({QStringLiteral("--silent")});
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    for (int p = 0; p < 8; ++p) {
        auto* duration = b.f.Child<QComboBox>("cboFaseTime", p);
        duration->setFocus();
        QTest::keyClick(duration, Qt::Key_Home);
    }
    // A phase switched on while the port is busy is not followed up: the image keeps
    // all phases off.
    auto* first = b.f.Child<QComboBox>("cboFaseTime", 0);
    QTimer::singleShot(0, [&] {
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Down);
    });
    b.Click("cmdCommTest");
    QCOMPARE(first->currentIndex(), 1);
    QCOMPARE(int(b.w().EdataImage()[0]), 0);

    b.Click("cmdEdataWrite");

    QCOMPARE(b.f.ui.messages.size(), std::size_t{2});
    QCOMPARE(b.f.ui.messages.back().text, QStringLiteral("Abilitare almeno una fase temporale."));
    QCOMPARE(b.board.receivedBytes(), QByteArray("RAT\r\n"));
}

void TstBoardTransfer::readThenWriteGivesTheBoardItsOwnBytes() {
    const QByteArray image = SampleImage();
    BoardWindow b({QStringLiteral("--image"), ImageOption(image)});
    QVERIFY2(b.Ready(), qPrintable(b.Why()));

    b.Click("cmdEdataRead");
    b.Click("cmdEdataWrite");

    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, QStringLiteral("Scrittura e verifica dati completata"));
    QCOMPARE(b.board.receivedBytes(), "RW" + PhaseBitsCleared(image));
    QCOMPARE(b.board.image(), PhaseBitsCleared(image));
    // Writing does not touch the title the read left.
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
}

void TstBoardTransfer::everythingElseWaitsWhileTheWriteReports() {
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    const QByteArray image = Bytes(b.w().EdataImage());
    auto* duration = b.f.Child<QComboBox>("cboFaseTime", 4);
    const QString durationTip = duration->toolTip();

    bool openDuringMessage = false;
    bool closed = true;
    bool clicked = false;
    b.f.ui.onMessage = [&](const RecordedMessage&) {
        if (clicked) {
            return;
        }
        clicked = true;
        openDuringMessage = b.w().PortIsOpen();
        b.Click("cmdEdataWrite");
        b.Click("cmdEdataRead");
        b.Click("cmdCommTest");
        b.Click(b.Output(0));
        QTest::mousePress(b.f.Child<QLabel>("lblEffMode", 0), Qt::LeftButton);
        QTest::mousePress(b.f.Child<QLabel>("lblEffMode", 79), Qt::RightButton);
        QTest::mousePress(b.f.Child<QLabel>("lblOutName", 9), Qt::LeftButton);
        QTest::mousePress(b.f.Child<QLabel>("lblFaseName", 7), Qt::RightButton);
        b.Click("cmdFileOpen_0");
        b.Click("cmdFileOpen_5");
        b.Click("cmdFileSave");
        duration->setFocus();
        QTest::keyClick(duration, Qt::Key_Home);
        closed = b.w().close();
    };
    b.Click("cmdEdataWrite");

    QVERIFY(openDuringMessage);
    QVERIFY(!closed);
    QVERIFY(b.w().isVisible());
    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.board.receivedBytes(), "W" + image);
    QVERIFY(b.f.ui.menus.empty());
    QVERIFY(b.f.ui.inputs.empty());
    QVERIFY(b.f.ui.openRequests.empty());
    QVERIFY(b.f.ui.saveRequests.empty());
    QCOMPARE(duration->currentIndex(), 0);
    QCOMPARE(duration->toolTip(), durationTip);
    QCOMPARE(Bytes(b.w().EdataImage()), image);
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6"));

    QVERIFY(b.w().close());
}

QTEST_MAIN(TstBoardTransfer)
#include "tst_board_transfer.moc"
