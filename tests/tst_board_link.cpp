// Board operations through the program's own serial code against a healthy virtual board on
// a pseudo-terminal: the link test's verdicts, read and write, the output buttons, ports that
// cannot be opened and the busy rule.

#include "model/configuration.h"
#include "tests/support/board_window.h"
#include "window/close_requests.h"
#include "window/grid_canvas.h"

#include <QDialog>
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
    void sessionEndDuringAWriteClosesAfterIt();
    void sessionEndWhileIdleClosesAtOnce();
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
    // are the serial line's own: an adapter's timer, a split echo, a reply cut by the 0.5 s
    // limit, a bare CR LF. A reply late as a whole is a fault of tst_board_faults.
    // Replies held by the adapter's timer, the long one passed on in packets of 62.
    QTest::newRow("board behind an adapter without low latency")
        << Args({"--adapter-latency-ms", "16"}) << true << LinkVerdict(LinkDevice::Board) << info;
    // The echo comes back a character at a time: every split of "RAT" CR LF.
    QTest::newRow("loop-back at 9600 baud")
        << Args({"--loopback"}) << true << LinkVerdict(LinkDevice::Loopback) << info;
    // What came in before the limit is no reply: not "another device".
    QTest::newRow("reply still without CR LF after 0.5 s")
        << Args({"--chunk", "100", "--chunk-gap-ms", "900"}) << false
        << LinkVerdict(LinkDevice::Nothing) << warn;
    QTest::newRow("modem whose first CR LF comes alone")
        << Args({"--modem-style", "crlf-first"}) << false << LinkVerdict(LinkDevice::Nothing)
        << warn;
}

void TstBoardLink::linkTestTellsWhatIsConnected() {
    QFETCH(QStringList, options);
    QFETCH(bool, paced);
    QFETCH(QString, text);
    QFETCH(MsgIcon, icon);
    BoardWindow b(options, paced);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));

    b.Click("cmdCommTest");

    // The status and the port while it reports, and after: tst_board_faults.
    b.ExpectOneMessage(text, icon);
}

void TstBoardLink::noPortChosenIsReportedAndChangesNothing() {
    // Devices that are missing or held are walked with the port dialog (tst_serial_ports).
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    b.f.Child<QComboBox>(QStringLiteral("cboComm"))->setCurrentIndex(-1);
    const WindowState before(b);

    b.Click("cmdCommTest");

    b.ExpectOneMessage(LinkTestOpenFailedText(QString()), MsgIcon::Critical);
    b.ExpectIdle();
    QVERIFY(WindowState(b) == before);
    QVERIFY(b.board.receivedBytes().isEmpty());
}

void TstBoardLink::readThenWriteGivesTheBoardItsOwnBytes() {
    // At 9600 baud a read takes 0.27 s: well within the 0.5 s.
    BoardWindow b({}, true);
    QVERIFY2(b.Ready(), qPrintable(b.Why()));

    // What a read shows (title, durations, the image) is checked by every read of
    // tst_board_faults; here the paced line and what a write sends back.
    b.Click("cmdEdataRead");
    QCOMPARE(Bytes(b.w().EdataImage()), SampleImageAsRead());

    b.Click("cmdEdataWrite");

    b.ExpectOneMessage(kWriteDoneText, MsgIcon::Information);
    QCOMPARE(b.statusAtMessage, QStringLiteral("Scrittura dati su scheda in corso") +
                                    QString(128, QLatin1Char('.')) + QStringLiteral("OK!"));
    QCOMPARE(b.board.receivedBytes(), "RW" + SampleImageAsRead());
    QCOMPARE(b.board.image(), SampleImageAsRead());
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Miravel6 - Lettura da scheda"));

    // The write took no step: an undo takes back the read, a redo brings it again.
    b.f.Activate();
    QTest::keySequence(&b.w(), QKeySequence::Undo);
    QVERIFY(b.w().EffSet() == EffGrid{});
    QCOMPARE(b.Duration(0)->currentText(), QStringLiteral("10 sec"));
    QTest::keySequence(&b.w(), QKeySequence::Redo);
    QCOMPARE(Bytes(b.w().EdataImage()), SampleImageAsRead());
}

void TstBoardLink::writeNeedsOnePhaseOn() {
    BoardWindow b;
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    for (int p = 0; p < 8; ++p) {
        b.PressKeyOnDuration(p, Qt::Key_Home);
    }

    b.Click("cmdEdataWrite");

    b.ExpectOneMessage(kNoFaseEnabledText, MsgIcon::Question);
    QVERIFY(b.board.receivedBytes().isEmpty()); // the port was not even opened
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
    const QImage off = b.Output(2)->grab().toImage();
    const QPoint nearLeft(3, off.height() / 2);
    const QPoint nearTopRight(off.width() - 4, 3);

    b.Click(b.Output(2)); // the board switches output 3 on
    b.Output(2)->clearFocus();

    // The face is the palette's red wherever a style would shade or frame it.
    const QImage on = b.Output(2)->grab().toImage();
    QCOMPARE(on.pixelColor(nearLeft), QColor(255, 0, 0));
    QCOMPARE(on.pixelColor(nearTopRight), QColor(255, 0, 0));
    // Switched off again, the button has its usual face.
    b.Click(b.Output(2));
    b.Output(2)->clearFocus();
    QCOMPARE(b.Output(2)->grab().toImage().pixelColor(nearLeft), off.pixelColor(nearLeft));
}

void TstBoardLink::everyKindOfControlIsRefusedWhileThePortIsOpen_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("received");
    // The guard is one check per control, whichever operation holds the port: a read that
    // waits in vain (the durations pressed then go back to what they were) and a write of
    // 129 exchanges, each reply late but not too late. Each walks inside the exchange and
    // again behind its message.
    QTest::newRow("Leggi, nobody answers")
        << "cmdEdataRead" << Args({"--silent"}) << QByteArray("R");
    QTest::newRow("Scrivi") << "cmdEdataWrite" << Args({"--delay-ms", "5"}) << QByteArray();
}

void TstBoardLink::everyKindOfControlIsRefusedWhileThePortIsOpen() {
    QFETCH(QString, button);
    QFETCH(QStringList, options);
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
    QCOMPARE(walks, 2);
    QCOMPARE(closed, 0);
    // The operation's own message, and nothing else: no cursor question, no file dialogs.
    QCOMPARE(b.f.ui.messages.size(), std::size_t{1});
    QVERIFY(b.f.ui.menus.empty());
    QVERIFY(b.f.ui.inputs.empty());
    QVERIFY(b.f.ui.openRequests.empty() && b.f.ui.saveRequests.empty());
    QVERIFY(dialogsOpened.isEmpty());
    QVERIFY(!canvas->TimeCursor().visible);
    QCOMPARE(b.board.receivedBytes(), received);
    // The image, the title and the grid's text follow the configuration.
    QVERIFY(b.w().CurrentConfiguration() == before);
    QCOMPARE(b.Duration(2)->currentText() + b.Duration(2)->toolTip(), duration);
    QCOMPARE(canvas->FocusCell(), focusCell);

    // Once the exchange is over, the window closes (the edits above left unsaved).
    b.f.ui.msgAnswers = {MsgAnswer::No};
    QVERIFY(b.w().close());
}

// The three signals go through one list: SIGTERM and SIGHUP here, SIGINT in tst_cli. One write
// is enough to show the close waits for its end.
void TstBoardLink::sessionEndDuringAWriteClosesAfterIt() {
    BoardWindow b(Args({"--delay-ms", "5"}));
    QVERIFY2(b.Ready(), qPrintable(b.Why()));
    const CloseRequests requests([&] { b.w().RequestClose(); });
    bool shownAtMessage = false;
    b.f.ui.onMessage = [&](const RecordedMessage&) {
        shownAtMessage = b.w().isVisible() && b.w().PortIsOpen();
    };
    QTimer::singleShot(0, [] { ::raise(SIGTERM); });

    b.Click("cmdEdataWrite");

    // The write ran to its end with the window open, then the window closed.
    b.ExpectOneMessage(kWriteDoneText, MsgIcon::Information);
    QVERIFY(shownAtMessage);
    QTRY_VERIFY(!b.w().isVisible());
}

void TstBoardLink::sessionEndWhileIdleClosesAtOnce() {
    WindowFixture f;
    frmMain& w = f.Show();
    const CloseRequests requests([&] { w.RequestClose(); });
    QCOMPARE(::raise(SIGHUP), 0);
    QTRY_VERIFY(!w.isVisible());
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
