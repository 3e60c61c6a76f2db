#pragma once
// The main window as the program starts it, shared by main.cpp, the start-up probe and the
// tests of an installed copy so that they all start the same objects: application names,
// version, icon and desktop entry, the program folder chosen (and filled) for this copy, the
// clock, the window centred on the screen.

#include "board/port_settings.h"
#include "window/clock.h"
#include "window/close_requests.h"
#include "window/frm_main.h"
#include "window/qt_modal_ui.h"

#include <memory>

// The desktop entry, icon and metainfo are named after it.
inline const QString kDesktopId = QStringLiteral("org.miravel6.Miravel6");

class ProgramWindow {
public:
    // Needs the QApplication; the names come first, since the window reads its settings.
    // The real modal UI, the executable's folder, the user's data folder.
    ProgramWindow();
    // The same start with another modal UI, executable folder and data folder.
    ProgramWindow(ModalUi& ui, const QString& executableFolder, const QString& userDataFolder);
    ~ProgramWindow();
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    frmMain& window() { return *win; }
    void ShowCentred();

private:
    void Start(ModalUi& ui, const QString& executableFolder, const QString& userDataFolder);

    QtModalUi modalUi;
    SteadyClock clock;
    StoredPortSettings settings;
    std::unique_ptr<frmMain> win;
    std::unique_ptr<CloseRequests> closeRequests;
};
