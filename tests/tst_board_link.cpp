// The link test, port opening and the output buttons, through the program's own serial
// code against the virtual board on a pseudo-terminal.

#include "tests/support/board_window.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

const QString kCheckLines =
    QStringLiteral("Accertarsi che la porta seriale selezionata sia corretta e\r\n"
                   "collegata alla scheda Miravel6 o al LoopBack (pin 2+3 in corto).");

QString BoardFound(const QString& port) {
    return QStringLiteral("Test su porta seriale ") + port +
           QStringLiteral(" concluso con successo!\r\nRilevata scheda Miravel6.");
}
QString LoopbackFound(const QString& port) {
    return QStringLiteral("Test su porta seriale ") + port +
           QStringLiteral(" concluso con successo!\r\nRilevato Loopback.");
}
QString NothingFound(const QString& port) {
    return QStringLiteral("Porta seriale ") + port +
           QStringLiteral(" aperta con successo.\r\nNessun dispositivo connesso.\r\n") +
           kCheckLines;
}
QString OtherFound(const QString& port) {
    return QStringLiteral("Porta seriale ") + port +
           QStringLiteral(" aperta con successo.\r\nRilevato modem AT o altro dispositivo.\r\n") +
           kCheckLines;
}
QString TestFailed(const QString& port) {
    return QStringLiteral("Test su porta seriale ") + port +
           QStringLiteral(" fallito.\r\nImpossibile aprire la porta.\r\n") + kCheckLines;
}

QStringList Args(std::initializer_list<const char*> args) {
    QStringList list;
    for (const char* a : args) {
        list << QString::fromLatin1(a);
    }
    return list;
}

bool IsRed(const QPushButton* button) {
    return button->palette().color(QPalette::Button) == QColor(255, 0, 0);
}

// The colour a button has when nobody set one.
bool HasButtonFace(const QPushButton* button) {
    const QPushButton plain;
    return button->palette().color(QPalette::Button) == plain.palette().color(QPalette::Button);
}

// Reds of the ten output buttons as a string like "--R-------".
QString Reds(BoardWindow& b) {
    QString text;
    for (int o = 0; o < 10; ++o) {
        QPushButton* button = b.Output(o);
        text += IsRed(button)           ? QLatin1Char('R')
                : HasButtonFace(button) ? QLatin1Char('-')
                                        : QLatin1Char('?');
    }
    return text;
}

} // namespace

Q_DECLARE_METATYPE(MsgIcon)

class TstBoardLink : public QObject {
    Q_OBJECT

private slots:
    void linkTestTellsWhatIsConnected_data();
    void linkTestTellsWhatIsConnected();
    void portThatCannotBeOpenedIsReported_data();
    void portThatCannotBeOpenedIsReported();
    void outputButtonsShowWhatTheBoardReports();
    void outputRepliesThatAreNotTakenAsGiven_data();
    void outputRepliesThatAreNotTakenAsGiven();
    void everythingElseWaitsWhileAnExchangeWaits();
};

void TstBoardLink::linkTestTellsWhatIsConnected_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("paced");
    QTest::addColumn<QString>("text");
    QTest::addColumn<MsgIcon>("icon");

    const QString com3 = QStringLiteral("COM3");
    const MsgIcon info = MsgIcon::Information;
    const MsgIcon warn = MsgIcon::Exclamation;
    QTest::newRow("board") << QStringList() << false << BoardFound(com3) << info;
    QTest::newRow("board at 9600 baud") << QStringList() << true << BoardFound(com3) << info;
    QTest::newRow("board reply in two chunks")
        << Args({"--chunk", "200", "--chunk-gap-ms", "100"}) << false << BoardFound(com3) << info;
    QTest::newRow("loop-back") << Args({"--loopback"}) << false << LoopbackFound(com3) << info;
    QTest::newRow("loop-back at 9600 baud, byte by byte")
        << Args({"--loopback"}) << true << LoopbackFound(com3) << info;
    QTest::newRow("nothing answers") << Args({"--silent"}) << false << NothingFound(com3) << warn;
    QTest::newRow("reply still without CR LF after 0.5 s")
        << Args({"--chunk", "100", "--chunk-gap-ms", "900"}) << false << NothingFound(com3) << warn;
    QTest::newRow("complete reply later than 0.5 s")
        << Args({"--delay-ms", "700"}) << false << NothingFound(com3) << warn;
    QTest::newRow("modem echoing the command and OK in one burst")
        << Args({"--modem"}) << false << OtherFound(com3) << warn;
    QTest::newRow("modem CR LF OK CR LF in one burst")
        << Args({"--modem-style", "ok-only"}) << false << OtherFound(com3) << warn;
    QTest::newRow("modem whose first CR LF comes alone")
        << Args({"--modem-style", "crlf-first"}) << false << NothingFound(com3) << warn;
}

void TstBoardLink::linkTestTellsWhatIsConnected() {
    QFETCH(QStringList, options);
    QFETCH(bool, paced);
    QFETCH(QString, text);
    QFETCH(MsgIcon, icon);

    BoardWindow b(options, paced);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    QString statusDuringMessage;
    bool openDuringMessage = false;
    b.f.ui.onMessage = [&](const RecordedMessage&) {
        statusDuringMessage = b.Status();
        openDuringMessage = b.w().PortIsOpen();
    };

    b.Click("cmdCommTest");

    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    const RecordedMessage& shown = b.f.ui.messages.front();
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.icon, icon);
    QCOMPARE(shown.buttons, MsgButtons::Ok);
    QCOMPARE(shown.caption, QStringLiteral("Miravel6"));
    QCOMPARE(statusDuringMessage, QStringLiteral("Test funzionamento porta seriale in corso..."));
    QVERIFY(openDuringMessage);
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(b.PortFreeForOthers());
    QCOMPARE(b.board.receivedBytes(), QByteArray("RAT\r\n"));
}

void TstBoardLink::portThatCannotBeOpenedIsReported_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("selection"); // index in cboComm, -1 for none
    QTest::addColumn<bool>("heldByAnother");
    QTest::addColumn<QString>("text");

    const QString missing = QStringLiteral("Impossibile aprire la porta COM5");
    QTest::newRow("Test, no port chosen") << "cmdCommTest" << -1 << false << TestFailed(QString());
    QTest::newRow("Test, no such device")
        << "cmdCommTest" << 4 << false << TestFailed(QStringLiteral("COM5"));
    QTest::newRow("Scrivi, no such device") << "cmdEdataWrite" << 4 << false << missing;
    QTest::newRow("Cmd Out 1, no such device") << "cmdOutOnoff_0" << 4 << false << missing;
    QTest::newRow("Leggi, COM16") << "cmdEdataRead" << 15 << false
                                  << QStringLiteral("Impossibile aprire la porta COM16");
    QTest::newRow("Leggi, port in use by another program")
        << "cmdEdataRead" << 2 << true << QStringLiteral("Impossibile aprire la porta COM3");
}

void TstBoardLink::portThatCannotBeOpenedIsReported() {
    QFETCH(QString, button);
    QFETCH(int, selection);
    QFETCH(bool, heldByAnother);
    QFETCH(QString, text);

    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.f.StoreSetting(QStringLiteral("ports/COM5"), QStringLiteral("/nonexistent/miravel6-com5"));
    b.f.StoreSetting(QStringLiteral("ports/COM16"), QStringLiteral("/nonexistent/miravel6-com16"));
    b.f.Child<QComboBox>(QStringLiteral("cboComm"))->setCurrentIndex(selection);
    QSerialPort other;
    if (heldByAnother) {
        other.setPortName(b.board.devicePath());
        QVERIFY(other.open(QIODevice::ReadWrite));
    }
    const EdataBytes image = b.w().EdataImage();
    const QString edataText = b.f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText();

    b.Click(b.f.Child<QPushButton>(button));

    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, text);
    QCOMPARE(b.f.ui.messages.front().icon, MsgIcon::Critical);
    QCOMPARE(b.f.ui.messages.front().caption, QStringLiteral("Miravel6"));
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(!b.w().PortIsOpen());
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6"));
    QVERIFY(b.w().EdataImage() == image);
    QCOMPARE(b.f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))->toPlainText(), edataText);
    QCOMPARE(Reds(b), QStringLiteral("----------"));
    QVERIFY(b.board.receivedBytes().isEmpty());
}

void TstBoardLink::outputButtonsShowWhatTheBoardReports() {
    // The reply comes in chunks of three letters; it must still be taken whole.
    BoardWindow b(Args({"--chunk", "3", "--chunk-gap-ms", "20"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    QCOMPARE(Reds(b), QStringLiteral("----------"));

    QString statusDuringExchange;
    QTimer::singleShot(0, [&] { statusDuringExchange = b.Status(); });
    b.Click(b.Output(2));
    QCOMPARE(statusDuringExchange, QStringLiteral("Invio comando on/off per uscite scheda..."));
    QCOMPARE(b.board.receivedBytes(), QByteArray("C"));
    QCOMPARE(Reds(b), QStringLiteral("--R-------"));

    b.Click(b.Output(9));
    QCOMPARE(Reds(b), QStringLiteral("--R------R"));
    b.Click(b.Output(2));
    QCOMPARE(Reds(b), QStringLiteral("---------R"));
    b.Click(b.Output(0));
    QCOMPARE(Reds(b), QStringLiteral("R--------R"));

    QCOMPARE(b.board.receivedBytes(), QByteArray("CJcA"));
    QVERIFY(b.f.ui.messages.empty());
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(b.PortFreeForOthers());
}

void TstBoardLink::outputRepliesThatAreNotTakenAsGiven_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<QString>("reds");    // after clicking output 3 on the second board

    const QString commError = QStringLiteral("Errore comunicazione");
    // Output 1 was switched on through a first board; the second one is asked for output 3.
    QTest::newRow("nine letters") << Args({"--reply-short"}) << commError
                                  << QStringLiteral("R---------");
    QTest::newRow("K instead of J")
        << Args({"--output-reply-k"}) << commError << QStringLiteral("R---------");
    QTest::newRow("no reply") << Args({"--silent"}) << commError << QStringLiteral("R---------");
    // The second board starts with every output off and keeps output 3 off: its reply rules.
    QTest::newRow("refused change")
        << Args({"--refuse-output", "3"}) << QString() << QStringLiteral("----------");
}

void TstBoardLink::outputRepliesThatAreNotTakenAsGiven() {
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QFETCH(QString, reds);

    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.Click(b.Output(0));
    QCOMPARE(Reds(b), QStringLiteral("R---------"));

    VirtualBoard second(options + QStringList{QStringLiteral("--no-pace")});
    QVERIFY2(second.isReady(), qPrintable(second.errorString()));
    b.f.StoreSetting(QStringLiteral("ports/COM3"), second.devicePath());
    b.Click(b.Output(2));

    QCOMPARE(second.receivedBytes(), QByteArray("C"));
    QCOMPARE(Reds(b), reds);
    if (message.isEmpty()) {
        QVERIFY(b.f.ui.messages.empty());
    } else {
        QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
        QCOMPARE(b.f.ui.messages.front().text, message);
        QCOMPARE(b.f.ui.messages.front().icon, MsgIcon::Critical);
    }
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(!b.w().PortIsOpen());
}

void TstBoardLink::everythingElseWaitsWhileAnExchangeWaits() {
    // Nobody answers, so the link test waits its full time for a reply.
    BoardWindow b(Args({"--silent"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    auto* duration = b.f.Child<QComboBox>("cboFaseTime", 2);
    const QString durationTip = duration->toolTip();
    const EdataBytes image = b.w().EdataImage();

    bool ranDuringTheWait = false;
    bool closed = true;
    QTimer::singleShot(0, [&] {
        ranDuringTheWait = b.w().PortIsOpen();
        b.Click("cmdCommTest");
        b.Click("cmdEdataRead");
        b.Click("cmdEdataWrite");
        b.Click(b.Output(4));
        QTest::mousePress(b.f.Child<QLabel>("lblEffMode", 12), Qt::LeftButton);
        QTest::mousePress(b.f.Child<QLabel>("lblEffMode", 13), Qt::RightButton);
        QTest::mousePress(b.f.Child<QLabel>("lblOutName", 1), Qt::LeftButton);
        QTest::mousePress(b.f.Child<QLabel>("lblFaseName", 1), Qt::LeftButton);
        b.Click("cmdFileOpen_0");
        b.Click("cmdFileOpen_1");
        b.Click("cmdFileSave");
        duration->setFocus();
        QTest::keyClick(duration, Qt::Key_Down);
        closed = b.w().close();
    });
    b.Click("cmdCommTest");

    QVERIFY(ranDuringTheWait);
    QVERIFY(!closed);
    QVERIFY(b.w().isVisible());
    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, NothingFound(QStringLiteral("COM3")));
    QCOMPARE(b.board.receivedBytes(), QByteArray("RAT\r\n"));
    QVERIFY(b.f.ui.menus.empty());
    QVERIFY(b.f.ui.inputs.empty());
    QVERIFY(b.f.ui.openRequests.empty());
    QVERIFY(b.f.ui.saveRequests.empty());
    QCOMPARE(Reds(b), QStringLiteral("----------"));
    // The list shows the new choice, but nothing followed it up.
    QCOMPARE(duration->currentIndex(), 2);
    QCOMPARE(duration->toolTip(), durationTip);
    QVERIFY(b.w().EdataImage() == image);
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6"));

    // Once the exchange is over, the window closes.
    QVERIFY(b.w().close());
}

QTEST_MAIN(TstBoardLink)
#include "tst_board_link.moc"
