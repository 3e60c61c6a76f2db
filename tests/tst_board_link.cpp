// Board operations through the program's own serial code against a healthy virtual board on
// a pseudo-terminal: the link test's verdicts, read and write, the output buttons, ports that
// cannot be opened and the busy rule.

#include "model/configuration.h"
#include "tests/support/board_window.h"
#include "window/close_requests.h"
#include "window/grid_canvas.h"

#include <QDialog>
#include <QDir>
#include <QImage>
#include <QScopeGuard>
#include <QStyleFactory>
#include <QTimer>
#include <QtTest>

#include <csignal>

Q_DECLARE_METATYPE(MsgIcon)

class TstBoardLink : public QObject {
    Q_OBJECT

private slots:
    void linkTestTellsWhatIsConnected_data();
    void linkTestTellsWhatIsConnected();
    void portThatCannotBeOpenedIsReported_data();
    void portThatCannotBeOpenedIsReported();
    void readThenWriteGivesTheBoardItsOwnBytes_data();
    void readThenWriteGivesTheBoardItsOwnBytes();
    void writeNeedsOnePhaseOn();
    void outputButtonsShowWhatTheBoardReports();
    void outputReportedOnIsPureRed_data();
    void outputReportedOnIsPureRed();
    void everythingElseWaitsWhileTheLinkIsBusy();
    void everyControlAndKeyIsRefusedInsideAnExchange_data();
    void everyControlAndKeyIsRefusedInsideAnExchange();
    void durationChangedWhileAReadWaitsGoesBack();
    void sessionEndDuringAWriteClosesAfterIt_data();
    void sessionEndDuringAWriteClosesAfterIt();
    void closeAsksNothingAfterAReadOrAWrite();
};

void TstBoardLink::linkTestTellsWhatIsConnected_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("paced");
    QTest::addColumn<QString>("text");
    QTest::addColumn<MsgIcon>("icon");

    const MsgIcon info = MsgIcon::Information;
    const MsgIcon warn = MsgIcon::Exclamation;
    QTest::newRow("board at 9600 baud") << QStringList() << true << kBoardFound << info;
    // Replies held by the adapter's timer, the long one passed on in packets of 62.
    QTest::newRow("board behind an adapter without low latency")
        << Args({"--adapter-latency-ms", "16"}) << true << kBoardFound << info;
    // The echo comes back a character at a time: every split of "RAT" CR LF.
    QTest::newRow("loop-back at 9600 baud")
        << Args({"--loopback"}) << true << kLoopbackFound << info;
    QTest::newRow("nothing answers") << Args({"--silent"}) << false << kNothingFound << warn;
    QTest::newRow("reply still without CR LF after 0.5 s")
        << Args({"--chunk", "100", "--chunk-gap-ms", "900"}) << false << kNothingFound << warn;
    QTest::newRow("complete reply later than 0.5 s")
        << Args({"--delay-ms", "700"}) << false << kNothingFound << warn;
    QTest::newRow("another device's one-line answer")
        << Args({"--reply", "NO CARRIER\\r\\n"}) << false << kOtherFound << warn;
    QTest::newRow("modem CR LF OK CR LF in one burst")
        << Args({"--modem-style", "ok-only"}) << false << kOtherFound << warn;
    QTest::newRow("modem whose first CR LF comes alone")
        << Args({"--modem-style", "crlf-first"}) << false << kNothingFound << warn;
}

void TstBoardLink::linkTestTellsWhatIsConnected() {
    QFETCH(QStringList, options);
    QFETCH(bool, paced);
    QFETCH(QString, text);
    QFETCH(MsgIcon, icon);
    BoardWindow b(options, paced);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));

    b.Click("cmdCommTest");

    b.ExpectOneMessage(text, icon);
    QCOMPARE(b.statusAtMessage, QStringLiteral("Test funzionamento porta seriale in corso..."));
    QVERIFY(b.openAtMessage);
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(b.PortFreeForOthers());
    QCOMPARE(b.board.receivedBytes(), QByteArray("RAT\r\n"));
}

void TstBoardLink::portThatCannotBeOpenedIsReported_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("selection"); // index in cboComm, -1 for none
    QTest::addColumn<bool>("heldByAnother");
    QTest::addColumn<QString>("text");

    const auto testFailed = [](const QString& port) {
        return QStringLiteral("Test su porta seriale ") + port +
               QStringLiteral(" fallito.\r\nImpossibile aprire la porta.\r\n") + kCheckLines;
    };
    // Devices that are missing or held, for every button, are walked with the port dialog.
    QTest::newRow("Test, no port chosen") << "cmdCommTest" << -1 << false << testFailed({});
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
    b.f.StoreSetting(QStringLiteral("ports/COM16"), QStringLiteral("/nonexistent/miravel6-com16"));
    b.f.Child<QComboBox>(QStringLiteral("cboComm"))->setCurrentIndex(selection);
    QSerialPort other;
    if (heldByAnother) {
        other.setPortName(b.board.devicePath());
        QVERIFY(other.open(QIODevice::ReadWrite));
    }
    const WindowState before(b);

    b.Click(b.f.Child<QPushButton>(button));

    b.ExpectOneMessage(text, MsgIcon::Critical);
    b.ExpectIdle();
    QVERIFY(WindowState(b) == before);
    QVERIFY(b.board.receivedBytes().isEmpty());
}

void TstBoardLink::readThenWriteGivesTheBoardItsOwnBytes_data() {
    QTest::addColumn<bool>("paced");
    QTest::newRow("fast line") << false;
    // A read takes 0.27 s at this pace: well within the 0.5 s.
    QTest::newRow("at 9600 baud") << true;
}

void TstBoardLink::readThenWriteGivesTheBoardItsOwnBytes() {
    QFETCH(bool, paced);
    BoardWindow b({}, paced);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));

    b.Click("cmdEdataRead");

    QVERIFY(b.f.ui.messages.empty());
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
    QCOMPARE(b.Duration(0)->currentText(), QStringLiteral("50 sec")); // C5: code 5
    // The grid and the durations hold the board's image, phase bytes cut to their code.
    QCOMPARE(Bytes(b.w().EdataImage()), SampleImageAsRead());
    QVERIFY(b.f.Child<QPlainTextEdit>(QStringLiteral("txtEdata"))
                ->toPlainText()
                .startsWith(QStringLiteral("00:05\n01:01\n02:3F\n03:00\n04:00\n")));
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(b.PortFreeForOthers());

    b.Click("cmdEdataWrite");

    b.ExpectOneMessage(QStringLiteral("Scrittura e verifica dati completata"),
                       MsgIcon::Information);
    QCOMPARE(b.statusAtMessage, QStringLiteral("Scrittura dati su scheda in corso") +
                                    QString(128, QLatin1Char('.')) + QStringLiteral("OK!"));
    QCOMPARE(b.board.receivedBytes(), "RW" + SampleImageAsRead());
    QCOMPARE(b.board.image(), SampleImageAsRead());
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(b.PortFreeForOthers());

    // The write took no step: an undo takes back the read, a redo brings it again.
    b.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&b.w()));
    QTest::keySequence(&b.w(), QKeySequence::Undo);
    QVERIFY(b.w().EffSet() == EffGrid{});
    QCOMPARE(b.Duration(0)->currentText(), QStringLiteral("10 sec"));
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6"));
    QTest::keySequence(&b.w(), QKeySequence::Redo);
    QCOMPARE(Bytes(b.w().EdataImage()), SampleImageAsRead());
}

void TstBoardLink::writeNeedsOnePhaseOn() {
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    for (int p = 0; p < 8; ++p) {
        b.PressKeyOnDuration(p, Qt::Key_Home);
    }
    const WindowState before(b);
    QCOMPARE(before.codes, FaseCodes{});

    b.Click("cmdEdataWrite");

    b.ExpectOneMessage(QStringLiteral("Abilitare almeno una fase temporale."), MsgIcon::Question);
    QVERIFY(b.board.receivedBytes().isEmpty()); // the port was not even opened
    QVERIFY(WindowState(b) == before);

    // A phase switched on while the port is busy is refused: the list goes back to OFF, as
    // the image holds it.
    QTimer::singleShot(0, [&] { b.PressKeyOnDuration(0, Qt::Key_Down); });
    b.Click("cmdCommTest");
    QCOMPARE(b.Duration(0)->currentIndex(), 0);
    b.Click("cmdEdataWrite");

    QCOMPARE(b.f.ui.messages.size(), std::size_t{3});
    QCOMPARE(b.f.ui.messages.back().text, QStringLiteral("Abilitare almeno una fase temporale."));
    QCOMPARE(b.board.receivedBytes(), QByteArray("RAT\r\n"));
}

void TstBoardLink::outputButtonsShowWhatTheBoardReports() {
    // Replies come in chunks of three letters and must still be taken whole; the board
    // keeps output 5 as it is.
    BoardWindow b(Args({"--chunk", "3", "--chunk-gap-ms", "20", "--refuse-output", "5"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    QCOMPARE(b.Reds(), QStringLiteral("----------"));

    b.Click(b.Output(2));
    QCOMPARE(b.board.receivedBytes(), QByteArray("C"));
    QCOMPARE(b.Reds(), QStringLiteral("--R-------"));
    b.Click(b.Output(9));
    QCOMPARE(b.Reds(), QStringLiteral("--R------R"));
    b.Click(b.Output(2));
    QCOMPARE(b.Reds(), QStringLiteral("---------R"));
    b.Click(b.Output(4));
    QCOMPARE(b.Reds(), QStringLiteral("---------R"));

    QCOMPARE(b.board.receivedBytes(), QByteArray("CJcE"));
    QVERIFY(b.f.ui.messages.empty());
    QCOMPARE(b.Status(), kIdleStatusText);
    QVERIFY(b.PortFreeForOthers());
}

void TstBoardLink::outputReportedOnIsPureRed_data() {
    QTest::addColumn<QString>("style");
    for (const QString& style : QStyleFactory::keys()) {
        QTest::newRow(qPrintable(style)) << style;
    }
}

void TstBoardLink::outputReportedOnIsPureRed() {
    QFETCH(QString, style);
    QApplication::setStyle(style);
    const auto restore = qScopeGuard([] { QApplication::setStyle(QStringLiteral("Fusion")); });
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    const QImage off = b.Output(9)->grab().toImage();

    b.Click(b.Output(9)); // the board switches output 10 on
    b.Click(b.Output(2));
    b.Output(2)->clearFocus();

    QCOMPARE(b.Reds(), QStringLiteral("--R------R"));
    for (const int output : {2, 9}) {
        const QImage on = b.Output(output)->grab().toImage();
        QVERIFY(on.size() == off.size());
        // Inside the border the face is pure red wherever the caption is not, and the
        // caption is dark.
        int red = 0, dark = 0, inside = 0;
        for (int y = 2; y < on.height() - 2; ++y) {
            for (int x = 2; x < on.width() - 2; ++x) {
                const QColor c = on.pixelColor(x, y);
                ++inside;
                red += c == QColor(255, 0, 0) ? 1 : 0;
                dark += c.lightness() < 60 ? 1 : 0;
            }
        }
        QVERIFY2(red * 10 >= inside * 8,
                 qPrintable(QStringLiteral("%1 of %2").arg(red).arg(inside)));
        QVERIFY(dark > 0);
        const QPoint centre(on.width() / 2, on.height() / 2);
        QCOMPARE(on.pixelColor(3, centre.y()), QColor(255, 0, 0));
        QCOMPARE(on.pixelColor(on.width() - 4, 3), QColor(255, 0, 0));
        // A dark border all round.
        for (const QPoint edge : {QPoint(0, centre.y()), QPoint(on.width() - 1, centre.y()),
                                  QPoint(centre.x(), 0), QPoint(centre.x(), on.height() - 1)}) {
            QVERIFY(on.pixelColor(edge).lightness() < 60);
        }
    }
    // Switched off again, the button has its usual face.
    b.Click(b.Output(2));
    b.Output(2)->clearFocus();
    QCOMPARE(b.Output(2)->grab().toImage().pixelColor(3, off.height() / 2),
             off.pixelColor(3, off.height() / 2));
}

void TstBoardLink::everythingElseWaitsWhileTheLinkIsBusy() {
    // Nobody answers: the link test waits its full time for a reply, then reports with the
    // port still open. Everything is tried in both states.
    BoardWindow b(Args({"--silent"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&b.w()));
    b.f.ClickCell(9, {QStringLiteral("Effetti Parte1+Parte2"), QStringLiteral("On")});
    b.f.ui.menus.clear(); // a step that the keys below must not undo
    const QString durationTip = b.Duration(2)->toolTip();
    const EdataBytes image = b.w().EdataImage();
    int tries = 0;
    int triedWhileOpen = 0;
    int closed = 0;
    const auto tryEverything = [&] {
        if (++tries > 2) {
            return; // a message of an operation that should have done nothing
        }
        triedWhileOpen += b.w().PortIsOpen() ? 1 : 0;
        b.Click("cmdCommTest");
        b.Click("cmdEdataRead");
        b.Click("cmdEdataWrite");
        b.Click(b.Output(4));
        QTest::mousePress(b.f.Child<QLabel>("lblEffMode", 12), Qt::LeftButton);
        QTest::mousePress(b.f.Child<QLabel>("lblEffMode", 13), Qt::RightButton);
        QTest::mousePress(b.f.Child<QLabel>("lblOutName", 1), Qt::LeftButton);
        QTest::mousePress(b.f.Child<QLabel>("lblFaseName", 7), Qt::RightButton);
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Return, Qt::Key_Menu}) {
            QTest::keyClick(b.f.Child<QWidget>(QStringLiteral("canvas")), key);
        }
        QTest::keyClick(b.f.Child<QLabel>("lblOutName", 1), Qt::Key_Space);
        QTest::keySequence(&b.w(), QKeySequence::Undo);
        b.Click("cmdFileOpen_0");
        b.Click("cmdFileOpen_5");
        b.Click("cmdFileSave");
        b.PressKeyOnDuration(2, Qt::Key_Down);
        closed += b.w().close() ? 1 : 0;
    };
    QTimer::singleShot(0, tryEverything);
    b.f.ui.onMessage = [&](const RecordedMessage&) { tryEverything(); };

    b.Click("cmdCommTest");

    QCOMPARE(triedWhileOpen, 2);
    QCOMPARE(closed, 0);
    QVERIFY(b.w().isVisible());
    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QCOMPARE(b.f.ui.messages.front().text, kNothingFound);
    QCOMPARE(b.board.receivedBytes(), QByteArray("RAT\r\n"));
    QVERIFY(b.f.ui.menus.empty());
    QCOMPARE(b.f.Child<GridCanvas>(QStringLiteral("canvas"))->FocusCell(), 9);
    QVERIFY(b.f.ui.inputs.empty());
    QVERIFY(b.f.ui.openRequests.empty());
    QVERIFY(b.f.ui.saveRequests.empty());
    QCOMPARE(b.Reds(), QStringLiteral("----------"));
    // The list went back to the duration that the grid and the image hold.
    QCOMPARE(b.Duration(2)->currentIndex(), 1);
    QCOMPARE(b.Duration(2)->toolTip(), durationTip);
    QVERIFY(b.w().EdataImage() == image);
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6"));

    // Once the exchange is over, the window closes (the edit above left unsaved).
    b.f.ui.msgAnswers.push_back(MsgAnswer::No);
    QVERIFY(b.w().close());
}

void TstBoardLink::everyControlAndKeyIsRefusedInsideAnExchange_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message"); // what the operation itself says at its end
    QTest::addColumn<QByteArray>("received");
    QTest::newRow("Test") << "cmdCommTest" << Args({"--delay-ms", "150"}) << kBoardFound
                          << QByteArray("RAT\r\n");
    QTest::newRow("Leggi") << "cmdEdataRead" << Args({"--delay-ms", "150"}) << QString()
                           << QByteArray("R");
    // 129 exchanges: each reply comes late, but not too late.
    QTest::newRow("Scrivi") << "cmdEdataWrite" << Args({"--delay-ms", "5"})
                            << QStringLiteral("Scrittura e verifica dati completata")
                            << QByteArray();
    QTest::newRow("Cmd Out 5") << "cmdOutOnoff_4" << Args({"--delay-ms", "150"}) << QString()
                               << QByteArray("E");
}

void TstBoardLink::everyControlAndKeyIsRefusedInsideAnExchange() {
    QFETCH(QString, button);
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QFETCH(QByteArray, received);
    BoardWindow b(options);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&b.w()));
    // Two steps in the history, one undone: both undo and redo would have work to do.
    b.f.ClickCell(9, {QStringLiteral("Effetti Parte1+Parte2"), QStringLiteral("On")});
    b.f.ClickCell(10, {QStringLiteral("Effetti Parte1+Parte2"), QStringLiteral("On")});
    QTest::keySequence(&b.w(), QKeySequence::Undo);
    b.f.ui.menus.clear();
    const EdataBytes image = b.w().EdataImage();
    if (received.isEmpty()) {
        received = "W" + Bytes(image);
    }
    const Configuration before = b.w().CurrentConfiguration();
    const QString title = b.w().windowTitle();
    auto* canvas = b.f.Child<QWidget>(QStringLiteral("canvas"));
    auto* comm = b.f.Child<QComboBox>(QStringLiteral("cboComm"));
    const int focusCell = b.f.Child<GridCanvas>(QStringLiteral("canvas"))->FocusCell();
    // Had anything been offered, this is what the user would choose.
    for (int k = 0; k < 8; ++k) {
        b.f.ui.menuChoices.push_back({QStringLiteral("Assegna dispositivo a COM3...")});
        b.f.ui.inputAnswers.push_back(QStringLiteral("Nuovo nome"));
        b.f.ui.openAnswers.push_back(b.f.FolderPath() + QStringLiteral("/x.dm6"));
        b.f.ui.saveAnswers.push_back(b.f.FolderPath() + QStringLiteral("/y.dm6"));
        b.f.ui.msgAnswers.push_back(MsgAnswer::Ok);
    }
    QStringList dialogsOpened;
    b.f.ui.dialogActions.push_back([&](QDialog& d) { dialogsOpened << d.windowTitle(); });
    bool openThroughout = true;
    int closed = 0;
    const auto walk = [&] {
        openThroughout = b.w().PortIsOpen();
        QStringList buttons = {QStringLiteral("cmdCommTest"), QStringLiteral("cmdEdataRead"),
                               QStringLiteral("cmdEdataWrite"), QStringLiteral("cmdFileSave"),
                               QStringLiteral("cmdTimeCursor")};
        for (int k = 0; k < 10; ++k) {
            buttons << QStringLiteral("cmdOutOnoff_%1").arg(k);
        }
        for (int k = 0; k < 6; ++k) {
            buttons << QStringLiteral("cmdFileOpen_%1").arg(k);
        }
        for (const QString& name : buttons) {
            b.Click(b.f.Child<QPushButton>(name));
            auto* control = b.f.Child<QPushButton>(name);
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Space);
        }
        for (int p = 0; p < 8; ++p) {
            b.PressKeyOnDuration(p, p % 2 == 0 ? Qt::Key_Down : Qt::Key_End);
        }
        for (const Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton}) {
            QTest::mousePress(b.f.Child<QLabel>("lblEffMode", 12), mouse);
            QTest::mousePress(b.f.Child<QLabel>("lblOutName", 1), mouse);
            QTest::mousePress(b.f.Child<QLabel>("lblFaseName", 7), mouse);
            QTest::mousePress(comm, mouse);
        }
        canvas->setFocus();
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_End, Qt::Key_Return,
                                  Qt::Key_Space, Qt::Key_Menu}) {
            QTest::keyClick(canvas, key);
        }
        QTest::keyClick(canvas, Qt::Key_F10, Qt::ShiftModifier);
        for (QWidget* label : {static_cast<QWidget*>(b.f.Child<QLabel>("lblOutName", 1)),
                               static_cast<QWidget*>(b.f.Child<QLabel>("lblFaseName", 3))}) {
            label->setFocus();
            QTest::keyClick(label, Qt::Key_Return);
            QTest::keyClick(label, Qt::Key_Space);
        }
        comm->setFocus();
        QTest::keyClick(comm, Qt::Key_Menu);
        QTest::keyClick(comm, Qt::Key_F10, Qt::ShiftModifier);
        QTest::keySequence(&b.w(), QKeySequence::Undo);
        QTest::keySequence(&b.w(), QKeySequence(Qt::CTRL | Qt::Key_Y));
        QTest::keySequence(&b.w(), QKeySequence::Redo);
        closed += b.w().close() ? 1 : 0;
        openThroughout = openThroughout && b.w().PortIsOpen();
    };
    QTimer::singleShot(0, walk);

    b.Click(b.f.Child<QPushButton>(button));

    QVERIFY(openThroughout);
    QCOMPARE(closed, 0);
    QVERIFY(b.w().isVisible());
    // The operation's own message, and nothing else: no cursor question, no file dialogs.
    QCOMPARE(b.f.ui.messages.size(), std::size_t{message.isEmpty() ? 0U : 1U});
    if (!message.isEmpty()) {
        QCOMPARE(b.f.ui.messages.front().text, message);
    }
    QVERIFY(b.f.ui.menus.empty());
    QVERIFY(b.f.ui.inputs.empty());
    QVERIFY(b.f.ui.openRequests.empty() && b.f.ui.saveRequests.empty());
    QVERIFY(dialogsOpened.isEmpty());
    QCOMPARE(b.f.Child<QPushButton>(QStringLiteral("cmdTimeCursor"))->text(),
             QStringLiteral("Cursore on"));
    QVERIFY(!b.f.Child<GridCanvas>(QStringLiteral("canvas"))->TimeCursor().visible);
    QCOMPARE(b.board.receivedBytes(), received);
    b.ExpectIdle();
    if (button != QStringLiteral("cmdEdataRead")) {
        QVERIFY(b.w().CurrentConfiguration() == before);
        QVERIFY(b.w().EdataImage() == image);
        QCOMPARE(b.w().windowTitle(), title);
    }
    QCOMPARE(b.f.Child<GridCanvas>(QStringLiteral("canvas"))->FocusCell(), focusCell);
    QVERIFY(QDir(b.f.FolderPath()).entryList({QStringLiteral("*.dm6")}).isEmpty());
}

void TstBoardLink::durationChangedWhileAReadWaitsGoesBack() {
    // Nobody answers: the read waits its full time with the port open.
    BoardWindow b(Args({"--silent"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    const Configuration before = b.w().CurrentConfiguration();
    const QString tooltip = b.Duration(5)->toolTip();
    bool changedWhileOpen = false;
    FaseCodes shownAtMessage{};
    QTimer::singleShot(0, [&] {
        changedWhileOpen = b.w().PortIsOpen();
        b.PressKeyOnDuration(2, Qt::Key_Down);
        b.PressKeyOnDuration(5, Qt::Key_End);
    });
    b.f.ui.onMessage = [&](const RecordedMessage&) { shownAtMessage = b.w().CurrentFaseCodes(); };

    b.Click("cmdEdataRead");

    QVERIFY(changedWhileOpen);
    b.ExpectOneMessage(kCommError, MsgIcon::Critical);
    QCOMPARE(shownAtMessage, before.faseCodes);
    QVERIFY(b.w().CurrentConfiguration() == before);
    QCOMPARE(b.Duration(5)->toolTip(), tooltip);
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6"));

    // What the lists show is what the next write sends.
    VirtualBoard healthy(BoardOptions({}));
    QVERIFY2(healthy.isReady(), qPrintable(healthy.errorString()));
    b.MapCom3(healthy);
    b.Click("cmdEdataWrite");
    QByteArray shownCodes;
    for (const int code : b.w().CurrentFaseCodes()) {
        shownCodes += static_cast<char>(code);
    }
    QCOMPARE(healthy.receivedBytes().mid(1, 8), shownCodes);
}

void TstBoardLink::sessionEndDuringAWriteClosesAfterIt_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("duringWrite");
    QTest::newRow("SIGTERM during a write") << SIGTERM << true;
    QTest::newRow("SIGHUP during a write") << SIGHUP << true;
    QTest::newRow("SIGINT during a write") << SIGINT << true;
    QTest::newRow("SIGTERM, idle") << SIGTERM << false;
}

void TstBoardLink::sessionEndDuringAWriteClosesAfterIt() {
    QFETCH(int, signal);
    QFETCH(bool, duringWrite);
    BoardWindow b(Args({"--delay-ms", "5"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    const CloseRequests requests([&] { b.w().RequestClose(); });
    bool shownAtMessage = false;
    b.f.ui.onMessage = [&](const RecordedMessage&) {
        shownAtMessage = b.w().isVisible() && b.w().PortIsOpen();
    };
    if (!duringWrite) {
        QCOMPARE(::raise(signal), 0);
        QTRY_VERIFY(!b.w().isVisible());
        return;
    }
    QTimer::singleShot(0, [signal] { ::raise(signal); });

    b.Click("cmdEdataWrite");

    // The write ran to its end with the window open, then the window closed.
    b.ExpectOneMessage(QStringLiteral("Scrittura e verifica dati completata"),
                       MsgIcon::Information);
    QVERIFY(shownAtMessage);
    QCOMPARE(b.board.receivedBytes(), "W" + Bytes(b.w().EdataImage()));
    QTRY_VERIFY(!b.w().isVisible());
    QVERIFY(b.PortFreeForOthers());
    QCOMPARE(b.f.StoredSetting(QLatin1String(kPortChoiceKey)), QStringLiteral("2"));
}

void TstBoardLink::closeAsksNothingAfterAReadOrAWrite() {
    for (const char* button : {"cmdEdataRead", "cmdEdataWrite"}) {
        BoardWindow b;
        QVERIFY2(b.Ready(), qPrintable(b.Why()));
        b.f.ClickCell(9, {QStringLiteral("Effetti Parte1+Parte2"), QStringLiteral("On")});
        b.Click(button);
        QCOMPARE(b.f.ui.messages.size(), std::size_t{qstrcmp(button, "cmdEdataRead") ? 1U : 0U});
        QVERIFY2(b.w().close(), button);
        QCOMPARE(b.f.ui.messages.size(), std::size_t{qstrcmp(button, "cmdEdataRead") ? 1U : 0U});
    }
}

QTEST_MAIN(TstBoardLink)
#include "tst_board_link.moc"
