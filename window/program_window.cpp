#include "window/program_window.h"

#include <QApplication>
#include <QScreen>

ProgramWindow::ProgramWindow() {
    QApplication::setOrganizationName(kAppTitle);
    QApplication::setApplicationName(kAppTitle);
    win = std::make_unique<frmMain>(modalUi, clock, QApplication::applicationDirPath());
}

ProgramWindow::~ProgramWindow() = default;

void ProgramWindow::ShowCentred() {
    const QRect available = win->screen()->availableGeometry();
    win->move(available.center() - win->rect().center());
    win->show();
}
