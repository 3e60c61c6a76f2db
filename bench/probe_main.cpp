// The program's own start-up for the start-up benchmark: the same objects as main.cpp, in
// the folder it is run from, leaving as soon as the idle window has painted once.

#include "bench/first_paint.h"
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
    const QRect available = window.screen()->availableGeometry();
    window.move(available.center() - window.rect().center());
    FirstPaintExit exitOnPaint(&window);
    QApplication::instance()->installEventFilter(&exitOnPaint);
    window.show();
    return QApplication::exec();
}
