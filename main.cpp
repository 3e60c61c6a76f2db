#include "files/qt_italian.h"
#include "window/program_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallQtItalian(app);
    ProgramWindow program;
    program.ShowCentred();
    return QApplication::exec();
}
