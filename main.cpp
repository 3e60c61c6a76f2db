#include "window/clock.h"
#include "window/frm_main.h"
#include "window/qt_modal_ui.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(kAppTitle);
    QApplication::setApplicationName(kAppTitle);

    QtModalUi modalUi;
    SteadyClock clock;
    frmMain window(modalUi, clock, QApplication::applicationDirPath());
    // The window opens centred on the screen.
    const QRect available = window.screen()->availableGeometry();
    window.move(available.center() - window.rect().center());
    window.show();
    return QApplication::exec();
}
