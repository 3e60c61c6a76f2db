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
    void noPortChosenIsReportedAndChangesNothing();
    void readThenWriteGivesTheBoardItsOwnBytes();
    void writeNeedsOnePhaseOn();
    void outputButtonsShowWhatTheBoardReports();
    void outputReportedOnIsPureRed_data();
    void outputReportedOnIsPureRed();
    void everyKindOfControlIsRefusedWhileThePortIsOpen_data();
    void everyKindOfControlIsRefusedWhileThePortIsOpen();
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
    // What answered is told apart over a scripted link (test_board_procedures); these rows
    // are the serial line's own: its pace, an adapter's timer, the 0.5 s limit, a split reply.
    QTest::newRow("board at 9600 baud") << QStringList() << true << kBoardFound << info;
    // Replies held by the adapter's timer, the long one passed on in packets of 62.
    QTest::newRow("board behind an adapter without low latency")
        << Args({"--adapter-latency-ms", "16"}) << true << kBoardFound << info;
    // The echo comes back a character at a time: every split of "RAT" CR LF.
    QTest::newRow("loop-back at 9600 baud")
        << Args({"--loopback"}) << true << kLoopbackFound << info;
    QTest::newRow("reply still without CR LF after 0.5 s")
        << Args({"--chunk", "100", "--chunk-gap-ms", "900"}) << false << kNothingFound << warn;
    QTest::newRow("complete reply later than 0.5 s")
        << Args({"--delay-ms", "700"}) << false << kNothingFound << warn;
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

void TstBoardLink::noPortChosenIsReportedAndChangesNothing() {
    // Devices that are missing or held are walked with the port dialog (tst_serial_ports).
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.f.Child<QComboBox>(QStringLiteral("cboComm"))->setCurrentIndex(-1);
    const WindowState before(b);

    b.Click("cmdCommTest");

    b.ExpectOneMessage(QStringLiteral("Test su porta seriale  fallito.\r\nImpossibile aprire la "
                                      "porta.\r\n") +
                           kCheckLines,
                       MsgIcon::Critical);
    b.ExpectIdle();
    QVERIFY(WindowState(b) == before);
    QVERIFY(b.board.receivedBytes().isEmpty());
}

void TstBoardLink::readThenWriteGivesTheBoardItsOwnBytes() {
    // At 9600 baud a read takes 0.27 s: well within the 0.5 s.
    BoardWindow b({}, true);
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
    b.f.Activate();
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
}

void TstBoardLink::outputButtonsShowWhatTheBoardReports() {
    // Replies come in chunks of three letters and must still be taken whole; the board
    // keeps output 5 as it is.
    BoardWindow b(Args({"--chunk", "3", "--chunk-gap-ms", "20", "--refuse-output", "5"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    QCOMPARE(b.Reds(), QStringLiteral("----------"));

    for (const auto& [output, sent, reds] : {std::tuple{2, "C", "--R-------"},
                                             {9, "CJ", "--R------R"},
                                             {2, "CJc", "---------R"},
                                             {4, "CJcE", "---------R"}}) {
        b.Click(b.Output(output));
        QCOMPARE(b.board.receivedBytes(), QByteArray(sent));
        QCOMPARE(b.Reds(), QString::fromLatin1(reds));
    }
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

void TstBoardLink::everyKindOfControlIsRefusedWhileThePortIsOpen_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message"); // what the operation itself says at its end
    QTest::addColumn<QByteArray>("received");
    // Nobody answers: the link test waits its full time, then reports with the port still open.
    QTest::newRow("Test, nobody answers")
        << "cmdCommTest" << Args({"--silent"}) << kNothingFound << QByteArray("RAT\r\n");
    QTest::newRow("Leggi") << "cmdEdataRead" << Args({"--delay-ms", "150"}) << QString()
                           << QByteArray("R");
    // The durations pressed while a read waits in vain go back to what they were.
    QTest::newRow("Leggi, nobody answers")
        << "cmdEdataRead" << Args({"--silent"}) << kCommError << QByteArray("R");
    // 129 exchanges: each reply comes late, but not too late.
    QTest::newRow("Scrivi") << "cmdEdataWrite" << Args({"--delay-ms", "5"})
                            << QStringLiteral("Scrittura e verifica dati completata")
                            << QByteArray();
}

void TstBoardLink::everyKindOfControlIsRefusedWhileThePortIsOpen() {
    QFETCH(QString, button);
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QFETCH(QByteArray, received);
    BoardWindow b(options);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.f.Activate();
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
    const QString duration = b.Duration(2)->currentText() + b.Duration(2)->toolTip();
    auto* canvas = b.f.Child<GridCanvas>(QStringLiteral("canvas"));
    auto* comm = b.f.Child<QComboBox>(QStringLiteral("cboComm"));
    const int focusCell = canvas->FocusCell();
    // Had anything been offered, this is what the user would choose.
    for (int k = 0; k < 4; ++k) {
        b.f.ui.menuChoices.push_back({QStringLiteral("Assegna dispositivo a COM3...")});
        b.f.ui.inputAnswers.push_back(QStringLiteral("Nuovo nome"));
        b.f.ui.openAnswers.push_back(b.f.FolderPath() + QStringLiteral("/x.dm6"));
        b.f.ui.saveAnswers.push_back(b.f.FolderPath() + QStringLiteral("/y.dm6"));
        b.f.ui.msgAnswers.push_back(MsgAnswer::Ok);
    }
    QStringList dialogsOpened;
    b.f.ui.dialogActions.push_back([&](QDialog& d) { dialogsOpened << d.windowTitle(); });
    bool openThroughout = true;
    int walks = 0;
    int closed = 0;
    // One control of each kind by the mouse and one by the keys: inside the exchange, and
    // again behind the operation's message while the port is still open.
    const auto walk = [&] {
        if (++walks > 2) {
            return; // a message of something that should have done nothing
        }
        openThroughout = openThroughout && b.w().PortIsOpen();
        for (const char* name : {"cmdEdataRead", "cmdOutOnoff_4", "cmdFileOpen_0", "cmdFileOpen_5",
                                 "cmdFileSave", "cmdTimeCursor"}) {
            b.Click(name);
        }
        auto* test = b.f.Child<QPushButton>(QStringLiteral("cmdCommTest"));
        test->setFocus();
        QTest::keyClick(test, Qt::Key_Space);
        b.PressKeyOnDuration(2, Qt::Key_Down);
        QTest::mousePress(b.f.Child<QLabel>("lblEffMode", 12), Qt::LeftButton);
        QTest::mousePress(b.f.Child<QLabel>("lblEffMode", 13), Qt::RightButton);
        QTest::mousePress(b.f.Child<QLabel>("lblOutName", 1), Qt::LeftButton);
        QTest::mousePress(comm, Qt::RightButton);
        canvas->setFocus();
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Return, Qt::Key_Menu}) {
            QTest::keyClick(canvas, key);
        }
        QTest::keyClick(b.f.Child<QLabel>("lblFaseName", 3), Qt::Key_Space);
        QTest::keyClick(comm, Qt::Key_F10, Qt::ShiftModifier);
        QTest::keySequence(&b.w(), QKeySequence::Undo);
        QTest::keySequence(&b.w(), QKeySequence(Qt::CTRL | Qt::Key_Y));
        closed += b.w().close() ? 1 : 0;
        openThroughout = openThroughout && b.w().PortIsOpen();
    };
    QTimer::singleShot(0, walk);
    b.f.ui.onMessage = [&](const RecordedMessage&) { walk(); };

    b.Click(b.f.Child<QPushButton>(button));

    QVERIFY(openThroughout);
    QCOMPARE(walks, message.isEmpty() ? 1 : 2);
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
    QVERIFY(!canvas->TimeCursor().visible);
    QCOMPARE(b.board.receivedBytes(), received);
    b.ExpectIdle();
    if (!message.isEmpty()) { // all but a read that brought the board's image
        QVERIFY(b.w().CurrentConfiguration() == before);
        QVERIFY(b.w().EdataImage() == image);
        QCOMPARE(b.w().windowTitle(), title);
        QCOMPARE(b.Duration(2)->currentText() + b.Duration(2)->toolTip(), duration);
    }
    QCOMPARE(canvas->FocusCell(), focusCell);
    QVERIFY(QDir(b.f.FolderPath()).entryList({QStringLiteral("*.dm6")}).isEmpty());

    // Once the exchange is over, the window closes (the edits above left unsaved).
    b.f.ui.msgAnswers = {MsgAnswer::No};
    QVERIFY(b.w().close());
}

void TstBoardLink::sessionEndDuringAWriteClosesAfterIt_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("duringWrite");
    // Each signal once; one write is enough to show the close waits for its end.
    QTest::newRow("SIGTERM during a write") << SIGTERM << true;
    QTest::newRow("SIGHUP, idle") << SIGHUP << false;
    QTest::newRow("SIGINT, idle") << SIGINT << false;
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
