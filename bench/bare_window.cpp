// The yardstick of the start-up benchmark: the smallest Qt window, one label, started and
// stopped the same way as the program's probe.

#include "bench/first_paint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    QLabel label(QStringLiteral("Miravel6"), &window);
    FirstPaintExit exitOnPaint(&window);
    QApplication::instance()->installEventFilter(&exitOnPaint);
    window.show();
    return QApplication::exec();
}
