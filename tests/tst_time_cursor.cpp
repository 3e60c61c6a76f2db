// The time cursor on the real window: start, stepping with a hand-moved clock, stop.

#include "tests/support/window_fixture.h"
#include "window/grid_canvas.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

const QString kQuestion = QStringLiteral(
    "Premere sulla scheda il pulsante Reset per sincronizzare l'inizio del ciclo\r\n"
    "e accertarsi che i tempi di ciascuna fase coincidano con quelli scritti sulla scheda.");
const QString kNoPhase =
    QStringLiteral("Nessuna fase temporale attivata\r\nImpossibile visualizzare il cursore");
const QString kTen = QStringLiteral("10 sec");
const QString kOff = QStringLiteral("OFF");

// How many buttons and lists besides the cursor button take input: a running cursor locks all
// 29 (files, port, board, outputs, durations).
int EnabledControls(WindowFixture& f) {
    int enabled = 0;
    for (const QWidget* control : f.window().findChildren<QWidget*>()) {
        enabled += (qobject_cast<const QAbstractButton*>(control) != nullptr ||
                    qobject_cast<const QComboBox*>(control) != nullptr) &&
                   control->isEnabled() && control->objectName() != QStringLiteral("cmdTimeCursor");
    }
    return enabled;
}

// A window whose cursor the test starts and ticks by hand.
struct CursorWindow {
    // Durations of the first phases by caption; the others keep theirs.
    explicit CursorWindow(const QStringList& durations = {}) {
        f.Open();
        for (int p = 0; p < durations.size(); ++p) {
            auto* combo = f.Child<QComboBox>("cboFaseTime", p);
            combo->setCurrentIndex(combo->findText(durations[p]));
        }
    }
    void Press() { QTest::mouseClick(Button(), Qt::LeftButton); }
    // Presses the button and answers OK; the clock then reads `okMs`.
    void Start() {
        okMs = f.clock.nowMs;
        f.ui.msgAnswers.push_back(MsgAnswer::Ok);
        Press();
    }
    void TickAt(qint64 msAfterOk) {
        f.clock.nowMs = okMs + msAfterOk;
        f.window().tmrTimeCursor_Timer();
    }
    const GridLine& Line() const {
        return f.Child<GridCanvas>(QStringLiteral("canvas"))->TimeCursor();
    }
    QTimer* Timer() const { return f.Child<QTimer>(QStringLiteral("tmrTimeCursor")); }
    QString Status() const { return f.Child<QLabel>(QStringLiteral("lblStatus"))->text(); }
    QPushButton* Button() const { return f.Child<QPushButton>(QStringLiteral("cmdTimeCursor")); }
    void ExpectQuestion(std::size_t count) {
        f.ExpectMessage(count, kQuestion, MsgIcon::Question, MsgButtons::OkCancel,
                        QStringLiteral("Cursore tempo"));
    }
    void ExpectIdle() {
        QVERIFY(!Timer()->isActive());
        QVERIFY(!Line().visible);
        QCOMPARE(Button()->text(), QStringLiteral("Cursore on"));
        QCOMPARE(Status(), kIdleStatusText);
        QCOMPARE(EnabledControls(f), 29);
    }

    WindowFixture f;
    qint64 okMs = 0;
};

} // namespace

class TstTimeCursor : public QObject {
    Q_OBJECT

private slots:
    void exampleCycleRunsAcrossTheGridAndEnds();
    void stopRequestAndAClockStandingStill();
    void refusedOrCancelledStartThenWhatARunLocks();
};

void TstTimeCursor::exampleCycleRunsAcrossTheGridAndEnds() {
    CursorWindow c({kTen, kOff, QStringLiteral("20 sec"), kOff, kOff, kOff, kOff, kOff});
    c.Start();
    c.ExpectQuestion(1);
    QCOMPARE(c.Button()->text(), QStringLiteral("Cursore off"));
    QCOMPARE(c.Timer()->interval(), 100);
    QVERIFY(c.Timer()->isActive());
    QVERIFY(c.Line() == (GridLine{1440, 720, 1440, 5520, Rgb{0, 0, 255}, true}));

    c.TickAt(100);
    QCOMPARE(c.Status(), QStringLiteral("Cursore tempo attivo - Totale: 00:00:00/00:00:30 - "
                                        "Parziale: Fase1 00:00:00/00:00:10"));
    // Positions and texts are unit-tested: here they follow the clock, not the count of ticks.
    c.TickAt(7'100); // the window was busy for seven seconds
    QCOMPARE(c.Line().x1, 1440 + 7 * 108);
    c.TickAt(30'000 - 1); // still the last displayed second
    QVERIFY(c.Timer()->isActive());
    QCOMPARE(c.f.ui.messages.size(), std::size_t{1});

    QString statusDuringMessage;
    c.f.ui.onMessage = [&](const RecordedMessage&) { statusDuringMessage = c.Status(); };
    c.TickAt(30'000);
    c.ExpectIdle();
    QCOMPARE(statusDuringMessage, kIdleStatusText); // the window is idle behind the message
    c.f.ExpectMessage(2, QStringLiteral("Attivazione cursore terminata"), MsgIcon::Information);
}

void TstTimeCursor::stopRequestAndAClockStandingStill() {
    CursorWindow c({QStringLiteral("20 sec"), QStringLiteral("20 sec")});
    c.Start();
    c.TickAt(25'100);

    c.Press(); // "Cursore off": the next tick stops, even with the clock unchanged
    QVERIFY(c.Timer()->isActive());
    c.TickAt(25'100);
    c.ExpectIdle();
    QCOMPARE(c.f.ui.messages.size(), std::size_t{1}); // no message for a stop on request
    c.f.ClickCell(9, {}); // the grid answers again once the cursor stops
    QCOMPARE(c.f.ui.menus.size(), std::size_t{1});

    // A new start at once begins at phase 1 from nothing. The real timer drives the first
    // display, and the next with the clock unchanged.
    c.Start();
    QSignalSpy ticks(c.Timer(), &QTimer::timeout);
    QVERIFY(ticks.wait());
    QVERIFY(ticks.wait());
    QCOMPARE(c.Line().x1, 1440);
    QCOMPARE(c.Status(), QStringLiteral("Cursore tempo attivo - Totale: 00:00:00/00:01:40 - "
                                        "Parziale: Fase1 00:00:00/00:00:20"));
}

void TstTimeCursor::refusedOrCancelledStartThenWhatARunLocks() {
    CursorWindow c(QStringList(8, kOff));
    c.Press();
    c.f.ExpectMessage(1, kNoPhase, MsgIcon::Critical);
    c.ExpectIdle();

    c.f.Child<QComboBox>("cboFaseTime", 3)->setCurrentIndex(1);
    c.f.ui.msgAnswers.push_back(MsgAnswer::Cancel);
    c.Press();
    c.ExpectQuestion(2);
    c.ExpectIdle();

    // Only the cursor button works while it runs.
    c.Start();
    c.TickAt(100);
    QCOMPARE(EnabledControls(c.f), 0);
    // The grid does nothing either (every door's guard: tst_board_link's busy walk).
    QTest::mousePress(c.f.Child<QLabel>("lblEffMode", 12), Qt::LeftButton);
    QVERIFY(c.f.ui.menus.empty());
    QCOMPARE(c.f.ui.messages.size(), std::size_t{3});
    QVERIFY(c.Timer()->isActive());

    // Closing while running stops the cursor and keeps the port choice; the only question is
    // the one about the durations changed above and never saved.
    c.f.ui.msgAnswers.push_back(MsgAnswer::No);
    c.f.Close();
    QVERIFY(!c.Timer()->isActive());
    c.f.ExpectMessage(4, QStringLiteral("Salvare le modifiche alla configurazione?"),
                      MsgIcon::Question, MsgButtons::YesNoCancel);
    QCOMPARE(c.f.StoredSetting(QStringLiteral("frmMain/cboComm")), QStringLiteral("0"));
}

QTEST_MAIN(TstTimeCursor)
#include "tst_time_cursor.moc"
