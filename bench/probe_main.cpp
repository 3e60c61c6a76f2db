// The program's own start-up for the start-up benchmark: the same objects as main.cpp, in
// the folder it is run from, leaving as soon as the idle window has painted once.

#include "bench/first_paint.h"
#include "files/qt_italian.h"
#include "window/program_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallQtItalian(app);
    ProgramWindow program;
    FirstPaintExit exitOnPaint(&program.window());
    QApplication::instance()->installEventFilter(&exitOnPaint);
    program.ShowCentred();
    return QApplication::exec();
}
