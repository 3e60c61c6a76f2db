#include "window/clock.h"
#include "window/frm_main.h"
#include "window/qt_modal_ui.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(kAppTitle);
    QApplication::setApplicationName(kAppTitle);

    QtModalUi modalUi;
    SteadyClock clock;
    frmMain window(modalUi, clock, QApplication::applicationDirPath());
    window.show();
    return QApplication::exec();
}
