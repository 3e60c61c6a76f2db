#include "window/program_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ProgramWindow program;
    program.ShowCentred();
    return QApplication::exec();
}
