// The time cursor on the real window: start, stepping with a hand-moved clock, stop.

#include "tests/support/window_fixture.h"
#include "window/grid_canvas.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

const QString kIdle = QStringLiteral("Clicca (sx o dx) sul grafico per modificare l'andamento, "
                                     "la modalit\u00e0 e i nomi delle uscite e delle fasi");
const QString kQuestion = QStringLiteral(
    "Premere sulla scheda il pulsante Reset per sincronizzare l'inizio del ciclo\r\n"
    "e accertarsi che i tempi di ciascuna fase coincidano con quelli scritti sulla scheda.");
const QString kFinished = QStringLiteral("Attivazione cursore terminata");

// The controls a running cursor locks, by object name.
QStringList LockedControls() {
    QStringList names;
    for (int p = 0; p < 8; ++p) {
        names << QStringLiteral("cboFaseTime_%1").arg(p);
    }
    for (int o = 0; o < 10; ++o) {
        names << QStringLiteral("cmdOutOnoff_%1").arg(o);
    }
    for (int k = 0; k < 6; ++k) {
        names << QStringLiteral("cmdFileOpen_%1").arg(k);
    }
    names << QStringLiteral("cmdFileSave") << QStringLiteral("cboComm")
          << QStringLiteral("cmdEdataRead") << QStringLiteral("cmdEdataWrite")
          << QStringLiteral("cmdCommTest");
    return names;
}

QString Status(const WindowFixture& f) {
    return f.Child<QLabel>(QStringLiteral("lblStatus"))->text();
}

QString Partial(const QString& total, const QString& cycle, int fase, const QString& faseSec,
                const QString& faseLength) {
    return QStringLiteral("Cursore tempo attivo - Totale: %1/%2 - Parziale: Fase%3 %4/%5")
        .arg(total, cycle, QString::number(fase), faseSec, faseLength);
}

QString Hms(int seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds % 3600 / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

class TstTimeCursor : public QObject {
    Q_OBJECT

private slots:
    void exampleCycleRunsAcrossTheGridAndEnds();
    void stopComesOneSecondAfterTheLastDisplay_data();
    void stopComesOneSecondAfterTheLastDisplay();
    void stopRequestInTheMiddle();
    void twelveHourPhaseMovesOneTwipEveryFortySeconds();
    void lateTickCatchesUpWithTheBoard();
    void clockStandingStillMakesNoStep();
    void controlsLockedWhileRunning();
    void cancelLeavesEverythingIdle();
    void allPhasesOffIsRefused();
    void gridAndNamesIgnoreClicksWhileRunning();
    void closingTheWindowWhileRunning();

private:
    void Open(WindowFixture& f, const QStringList& durations);
    void PressCursor(WindowFixture& f);
    // Starts and answers OK; returns the clock at the OK.
    qint64 Start(WindowFixture& f);
    void TickAt(WindowFixture& f, qint64 okMs, qint64 msAfterOk);
    const GridLine& Line(const WindowFixture& f);
    QTimer* Timer(const WindowFixture& f);
    void VerifyIdle(const WindowFixture& f);
};

void TstTimeCursor::Open(WindowFixture& f, const QStringList& durations) {
    f.Open();
    for (int p = 0; p < durations.size(); ++p) {
        auto* combo = f.Child<QComboBox>("cboFaseTime", p);
        const int code = combo->findText(durations[p]);
        QVERIFY2(code >= 0, qPrintable(durations[p]));
        combo->setCurrentIndex(code);
    }
}

void TstTimeCursor::PressCursor(WindowFixture& f) {
    QTest::mouseClick(f.Child<QPushButton>(QStringLiteral("cmdTimeCursor")), Qt::LeftButton);
}

qint64 TstTimeCursor::Start(WindowFixture& f) {
    const std::size_t before = f.ui.messages.size();
    f.ui.msgAnswers.push_back(MsgAnswer::Ok);
    PressCursor(f);
    [&] { QCOMPARE(f.ui.messages.size(), before + 1); }();
    return f.clock.nowMs;
}

void TstTimeCursor::TickAt(WindowFixture& f, qint64 okMs, qint64 msAfterOk) {
    f.clock.nowMs = okMs + msAfterOk;
    f.window().tmrTimeCursor_Timer();
}

const GridLine& TstTimeCursor::Line(const WindowFixture& f) {
    return f.Child<GridCanvas>(QStringLiteral("canvas"))->TimeCursor();
}

QTimer* TstTimeCursor::Timer(const WindowFixture& f) {
    return f.Child<QTimer>(QStringLiteral("tmrTimeCursor"));
}

void TstTimeCursor::VerifyIdle(const WindowFixture& f) {
    QVERIFY(!Timer(f)->isActive());
    QVERIFY(!Line(f).visible);
    QCOMPARE(f.Child<QPushButton>(QStringLiteral("cmdTimeCursor"))->text(),
             QStringLiteral("Cursore on"));
    QCOMPARE(Status(f), kIdle);
    for (const QString& name : LockedControls()) {
        QVERIFY2(f.Child<QWidget>(name)->isEnabled(), qPrintable(name));
    }
}

void TstTimeCursor::exampleCycleRunsAcrossTheGridAndEnds() {
    WindowFixture f;
    Open(f, {QStringLiteral("10 sec"), QStringLiteral("OFF"), QStringLiteral("20 sec"),
             QStringLiteral("OFF"), QStringLiteral("OFF"), QStringLiteral("OFF"),
             QStringLiteral("OFF"), QStringLiteral("OFF")});
    const qint64 ok = Start(f);
    const RecordedMessage& question = f.ui.messages.back();
    QCOMPARE(question.text, kQuestion);
    QCOMPARE(question.icon, MsgIcon::Question);
    QCOMPARE(question.buttons, MsgButtons::OkCancel);
    QCOMPARE(question.caption, QStringLiteral("Cursore tempo"));

    QCOMPARE(f.Child<QPushButton>(QStringLiteral("cmdTimeCursor"))->text(),
             QStringLiteral("Cursore off"));
    QVERIFY(Timer(f)->isActive());
    QCOMPARE(Timer(f)->interval(), 100);
    const GridLine start = Line(f);
    QVERIFY(start.visible);
    QCOMPARE(start.x1, 1440);
    QCOMPARE(start.x2, 1440);
    QCOMPARE(start.y1, 720);
    QCOMPARE(start.y2, 5520);
    QCOMPARE(start.colour, (Rgb{0, 0, 255}));

    TickAt(f, ok, 100);
    QCOMPARE(Status(f), QStringLiteral("Cursore tempo attivo - Totale: 00:00:00/00:00:30 - "
                                       "Parziale: Fase1 00:00:00/00:00:10"));
    for (int n = 0; n < 30; ++n) {
        TickAt(f, ok, n * 1000 + 100);
        const bool first = n < 10;
        const int x = first ? 1440 + 108 * n : 3600 + 54 * (n - 10);
        QCOMPARE(Line(f).x1, x);
        QCOMPARE(Line(f).x2, x);
        QVERIFY(Line(f).visible);
        QCOMPARE(Status(f), Partial(Hms(n), Hms(30), first ? 1 : 3, Hms(first ? n : n - 10),
                                    Hms(first ? 10 : 20)));
    }
    TickAt(f, ok, 30'000 - 1); // still the last displayed second
    QVERIFY(Timer(f)->isActive());
    QCOMPARE(f.ui.messages.size(), std::size_t{1});

    QString statusDuringMessage;
    f.ui.onMessage = [&](const RecordedMessage&) { statusDuringMessage = Status(f); };
    TickAt(f, ok, 30'000);
    VerifyIdle(f);
    QCOMPARE(statusDuringMessage, kIdle); // the window is idle behind the message
    QCOMPARE(f.ui.messages.size(), std::size_t{2});
    const RecordedMessage& end = f.ui.messages.back();
    QCOMPARE(end.text, kFinished);
    QCOMPARE(end.icon, MsgIcon::Information);
    QCOMPARE(end.buttons, MsgButtons::Ok);
    QCOMPARE(end.caption, QStringLiteral("Miravel6"));
}

void TstTimeCursor::stopComesOneSecondAfterTheLastDisplay_data() {
    QTest::addColumn<QStringList>("durations");
    QTest::addColumn<int>("lastSecond");
    QTest::addColumn<int>("lastX");
    QTest::addColumn<QString>("lastStatus");
    const QString ten = QStringLiteral("10 sec");
    const QString off = QStringLiteral("OFF");
    QTest::newRow("phases 5 to 8 off")
        << QStringList{ten, ten, ten, ten, off, off, off, off} << 39 << 4680 + 972
        << Partial(Hms(39), Hms(40), 4, Hms(9), Hms(10));
    QTest::newRow("phase 8 on") << QStringList{ten, off, off, off, off, off, off, ten} << 19
                                << 9000 + 972 << Partial(Hms(19), Hms(20), 8, Hms(9), Hms(10));
    QTest::newRow("only phase 1 on") << QStringList{ten, off, off, off, off, off, off, off} << 9
                                     << 1440 + 972 << Partial(Hms(9), Hms(10), 1, Hms(9), Hms(10));
}

void TstTimeCursor::stopComesOneSecondAfterTheLastDisplay() {
    QFETCH(QStringList, durations);
    QFETCH(int, lastSecond);
    QFETCH(int, lastX);
    QFETCH(QString, lastStatus);
    WindowFixture f;
    Open(f, durations);
    const qint64 ok = Start(f);
    for (int n = 0; n <= lastSecond; ++n) {
        TickAt(f, ok, n * 1000 + 100);
        QVERIFY(Timer(f)->isActive());
    }
    QCOMPARE(Line(f).x1, lastX);
    QCOMPARE(Status(f), lastStatus);
    QCOMPARE(f.ui.messages.size(), std::size_t{1});
    TickAt(f, ok, (lastSecond + 1) * 1000 + 100);
    VerifyIdle(f);
    QCOMPARE(f.ui.messages.size(), std::size_t{2});
    QCOMPARE(f.ui.messages.back().text, kFinished);
}

void TstTimeCursor::stopRequestInTheMiddle() {
    WindowFixture f;
    Open(f, {QStringLiteral("20 sec"), QStringLiteral("20 sec")});
    const qint64 ok = Start(f);
    TickAt(f, ok, 25'100);
    QCOMPARE(Status(f), Partial(Hms(25), Hms(100), 2, Hms(5), Hms(20)));

    PressCursor(f); // "Cursore off": the next tick stops, even with the clock unchanged
    QVERIFY(Timer(f)->isActive());
    TickAt(f, ok, 25'100);
    VerifyIdle(f);
    QCOMPARE(f.ui.messages.size(), std::size_t{1}); // no message for a stop on request

    // A new start at once begins at phase 1 from nothing.
    const qint64 again = Start(f);
    TickAt(f, again, 0);
    QCOMPARE(Line(f).x1, 1440);
    QCOMPARE(Status(f), Partial(Hms(0), Hms(100), 1, Hms(0), Hms(20)));
    TickAt(f, again, 1000);
    QCOMPARE(Status(f), Partial(Hms(1), Hms(100), 1, Hms(1), Hms(20)));
}

void TstTimeCursor::twelveHourPhaseMovesOneTwipEveryFortySeconds() {
    WindowFixture f;
    Open(f, {QStringLiteral("12 ore"), QStringLiteral("OFF"), QStringLiteral("OFF"),
             QStringLiteral("OFF"), QStringLiteral("OFF"), QStringLiteral("OFF"),
             QStringLiteral("OFF"), QStringLiteral("OFF")});
    const qint64 ok = Start(f);
    for (int n = 0; n <= 120; ++n) {
        TickAt(f, ok, n * 1000 + 100);
        QCOMPARE(Line(f).x1, 1440 + n / 40);
    }
    QCOMPARE(Status(f), Partial(Hms(120), QStringLiteral("12:00:00"), 1, Hms(120),
                                QStringLiteral("12:00:00")));
}

void TstTimeCursor::lateTickCatchesUpWithTheBoard() {
    WindowFixture f;
    Open(f, {QStringLiteral("10 sec"), QStringLiteral("OFF"), QStringLiteral("20 sec"),
             QStringLiteral("OFF"), QStringLiteral("OFF"), QStringLiteral("OFF"),
             QStringLiteral("OFF"), QStringLiteral("OFF")});
    const qint64 ok = Start(f);
    TickAt(f, ok, 100);
    TickAt(f, ok, 7'100); // the window was busy for seven seconds
    QCOMPARE(Line(f).x1, 1440 + 7 * 108);
    QCOMPARE(Status(f), Partial(Hms(7), Hms(30), 1, Hms(7), Hms(10)));
    TickAt(f, ok, 8'100); // and then on time again
    QCOMPARE(Status(f), Partial(Hms(8), Hms(30), 1, Hms(8), Hms(10)));
    TickAt(f, ok, 15'400); // across the end of phase 1 and the phase that is off
    QCOMPARE(Line(f).x1, 3600 + 5 * 54);
    QCOMPARE(Status(f), Partial(Hms(15), Hms(30), 3, Hms(5), Hms(20)));
    QCOMPARE(f.ui.messages.size(), std::size_t{1});
    TickAt(f, ok, 95'000); // far past the cycle: it has ended on the board too
    VerifyIdle(f);
    QCOMPARE(f.ui.messages.back().text, kFinished);
}

void TstTimeCursor::clockStandingStillMakesNoStep() {
    WindowFixture f;
    Open(f, {});
    const qint64 ok = Start(f);
    // The real timer drives the first display.
    QSignalSpy ticks(Timer(f), &QTimer::timeout);
    QVERIFY(ticks.wait());
    QCOMPARE(Status(f), Partial(Hms(0), Hms(80), 1, Hms(0), Hms(10)));
    QVERIFY(ticks.wait());
    QCOMPARE(Status(f), Partial(Hms(0), Hms(80), 1, Hms(0), Hms(10)));
    for (int k = 0; k < 10; ++k) {
        TickAt(f, ok, 999);
    }
    QCOMPARE(Line(f).x1, 1440);
    QCOMPARE(Status(f), Partial(Hms(0), Hms(80), 1, Hms(0), Hms(10)));
    TickAt(f, ok, 1000);
    QCOMPARE(Line(f).x1, 1548);
    QCOMPARE(Status(f), Partial(Hms(1), Hms(80), 1, Hms(1), Hms(10)));
}

void TstTimeCursor::controlsLockedWhileRunning() {
    WindowFixture f;
    Open(f, {});
    const qint64 ok = Start(f);
    for (const QString& name : LockedControls()) {
        auto* control = f.Child<QWidget>(name);
        QVERIFY2(control, qPrintable(name));
        QVERIFY2(!control->isEnabled(), qPrintable(name));
    }
    QVERIFY(f.Child<QPushButton>(QStringLiteral("cmdTimeCursor"))->isEnabled());
    // A press on a locked button does nothing.
    QTest::mouseClick(f.Child<QPushButton>("cmdFileOpen", 1), Qt::LeftButton);
    QVERIFY(f.ui.openRequests.empty());
    QCOMPARE(f.ui.messages.size(), std::size_t{1});

    TickAt(f, ok, 100);
    PressCursor(f);
    TickAt(f, ok, 200);
    VerifyIdle(f);
}

void TstTimeCursor::cancelLeavesEverythingIdle() {
    WindowFixture f;
    Open(f, {});
    f.ui.msgAnswers.push_back(MsgAnswer::Cancel);
    PressCursor(f);
    QCOMPARE(f.ui.messages.size(), std::size_t{1});
    QCOMPARE(f.ui.messages[0].text, kQuestion);
    VerifyIdle(f);
    // A tick that somehow still came would find nothing to do.
    f.window().tmrTimeCursor_Timer();
    QCOMPARE(f.ui.messages.size(), std::size_t{1});
    VerifyIdle(f);
}

void TstTimeCursor::allPhasesOffIsRefused() {
    WindowFixture f;
    Open(f, QStringList(8, QStringLiteral("OFF")));
    PressCursor(f);
    QCOMPARE(f.ui.messages.size(), std::size_t{1});
    const RecordedMessage& refusal = f.ui.messages[0];
    QCOMPARE(refusal.text, QStringLiteral("Nessuna fase temporale attivata\r\n"
                                          "Impossibile visualizzare il cursore"));
    QCOMPARE(refusal.icon, MsgIcon::Critical);
    QCOMPARE(refusal.buttons, MsgButtons::Ok);
    QCOMPARE(refusal.caption, QStringLiteral("Miravel6"));
    VerifyIdle(f);
}

void TstTimeCursor::gridAndNamesIgnoreClicksWhileRunning() {
    WindowFixture f;
    Open(f, {});
    const qint64 ok = Start(f);
    TickAt(f, ok, 100);
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        QTest::mousePress(f.Child<QLabel>("lblEffMode", 12), button);
        QTest::mousePress(f.Child<QLabel>("lblOutName", 3), button);
        QTest::mousePress(f.Child<QLabel>("lblFaseName", 5), button);
    }
    QVERIFY(f.ui.menus.empty());
    QVERIFY(f.ui.inputs.empty());
    QCOMPARE(f.ui.messages.size(), std::size_t{1});
    QVERIFY(Timer(f)->isActive());
}

void TstTimeCursor::closingTheWindowWhileRunning() {
    WindowFixture f;
    Open(f, {});
    const qint64 ok = Start(f);
    TickAt(f, ok, 100);
    f.Close();
    QVERIFY(!Timer(f)->isActive());
    QCOMPARE(f.ui.messages.size(), std::size_t{1});
    QCOMPARE(f.StoredSetting(QStringLiteral("frmMain/cboComm")), QStringLiteral("0"));
}

QTEST_MAIN(TstTimeCursor)
#include "tst_time_cursor.moc"
