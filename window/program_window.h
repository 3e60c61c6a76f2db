#pragma once
// The main window as the program starts it, shared by main.cpp and the start-up probe so that
// the probe measures the same objects: application names, the real modal UI and clock, the
// window on the executable's folder, centred on the screen.

#include "window/clock.h"
#include "window/frm_main.h"
#include "window/qt_modal_ui.h"

#include <memory>

class ProgramWindow {
public:
    // Needs the QApplication; the names come first, since the window reads its settings.
    ProgramWindow();
    ~ProgramWindow();
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    frmMain& window() { return *win; }
    void ShowCentred();

private:
    QtModalUi modalUi;
    SteadyClock clock;
    std::unique_ptr<frmMain> win;
};
