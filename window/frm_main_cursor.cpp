// The time cursor that follows the board's cycle across the grid.

#include "window/frm_main.h"

void frmMain::cmdTimeCursor_Click() {}

void frmMain::tmrTimeCursor_Timer() {}

void frmMain::StopTimeCursor() {}

void frmMain::SetTimeCursorControlsEnabled(bool /*enabled*/) {}
