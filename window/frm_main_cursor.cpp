// The time cursor that follows the board's cycle across the grid.
//
// The position is worked out afresh on every tick from the whole seconds elapsed on the
// monotonic clock since the user's OK, so a late tick catches up with the board and a
// change of the computer's clock moves nothing.

#include "model/fase_time.h"
#include "model/time_cursor.h"
#include "window/clock.h"
#include "window/frm_main.h"
#include "window/grid_canvas.h"
#include "window/output_button.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kCursorTickMs = 100;

} // namespace

void frmMain::cmdTimeCursor_Click() {
    if (blnTimeCursor) {
        // The stop itself runs in the next tick.
        blnTimeCursor = false;
        return;
    }
    // A board operation waits for its reply: the cursor would run beside it.
    if (PortIsOpen()) {
        return;
    }
    if (!AnyFaseEnabled(config.faseCodes)) {
        Message(QStringLiteral("Nessuna fase temporale attivata\r\n"
                               "Impossibile visualizzare il cursore"),
                MsgIcon::Critical);
        return;
    }
    const MsgAnswer answer = Message(
        QStringLiteral("Premere sulla scheda il pulsante Reset per sincronizzare l'inizio del "
                       "ciclo\r\n"
                       "e accertarsi che i tempi di ciascuna fase coincidano con quelli scritti "
                       "sulla scheda."),
        MsgIcon::Question, MsgButtons::OkCancel, QStringLiteral("Cursore tempo"));
    if (answer != MsgAnswer::Ok) {
        return;
    }
    ClosePreview(); // the board's own cycle is shown from now on
    SetTimeCursorControlsEnabled(false);
    cmdTimeCursor->setText(QStringLiteral("Cursore off"));
    canvas->SetTimeCursor(kGridLeft, true);

    // The board restarted its cycle when the user pressed Reset and then OK.
    cursorRun = {};
    cursorRun.startMs = clock.MonotonicMs();

    tmrTimeCursor->setInterval(kCursorTickMs);
    tmrTimeCursor->start();
    blnTimeCursor = true;
}

void frmMain::tmrTimeCursor_Timer() {
    if (!blnTimeCursor) {
        StopTimeCursor();
        return;
    }
    const std::int64_t elapsed = ElapsedWholeSeconds(cursorRun.startMs, clock.MonotonicMs());
    if (elapsed == cursorRun.datCursorLast) {
        return;
    }
    cursorRun.datCursorLast = elapsed;

    const CursorPosition position = CursorAt(config.faseCodes, elapsed);
    cursorRun.position = position;
    if (position.Complete()) {
        StopTimeCursor();
        return;
    }
    canvas->SetTimeCursor(CursorX(position), true);
    lblStatus->setText(QString::fromStdString(CursorStatusText(position)));
}

void frmMain::StopTimeCursor() {
    tmrTimeCursor->stop();
    canvas->SetTimeCursor(canvas->TimeCursor().x1, false);
    SetTimeCursorControlsEnabled(true);
    cmdTimeCursor->setText(QStringLiteral("Cursore on"));
    SetIdleStatus();
    if (cursorRun.position.Complete()) {
        Message(QStringLiteral("Attivazione cursore terminata"), MsgIcon::Information);
    }
    cursorRun.position = {};
    blnTimeCursor = false;
}

void frmMain::SetTimeCursorControlsEnabled(bool enabled) {
    for (QComboBox* combo : cboFaseTime) {
        combo->setEnabled(enabled);
    }
    for (QPushButton* button : cmdOutOnoff) {
        button->setEnabled(enabled);
    }
    for (QPushButton* button : cmdFileOpen) {
        button->setEnabled(enabled);
    }
    cmdFileSave->setEnabled(enabled);
    cboComm->setEnabled(enabled);
    cmdEdataRead->setEnabled(enabled);
    cmdEdataWrite->setEnabled(enabled);
    cmdCommTest->setEnabled(enabled);
}
