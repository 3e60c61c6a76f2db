#include "window/program_window.h"

#include "files/program_folder.h"
#include "files/version.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

ProgramWindow::ProgramWindow() {
    Start(modalUi, QApplication::applicationDirPath(), UserDataFolder());
}

ProgramWindow::ProgramWindow(ModalUi& ui, const QString& executableFolder,
                             const QString& userDataFolder) {
    Start(ui, executableFolder, userDataFolder);
}

ProgramWindow::~ProgramWindow() {
    closeRequests.reset(); // before the window it closes
}

void ProgramWindow::Start(ModalUi& ui, const QString& executableFolder,
                          const QString& userDataFolder) {
    QApplication::setOrganizationName(kAppTitle);
    QApplication::setApplicationName(kAppTitle);
    QApplication::setApplicationVersion(ProgramVersion());
    // Lets the desktop match the window to its menu entry (and its icon under Wayland).
    QGuiApplication::setDesktopFileName(kDesktopId);
    QApplication::setWindowIcon(
        QIcon(QStringLiteral(":/icons/") + kDesktopId + QStringLiteral(".svg")));
    win = std::make_unique<frmMain>(ui, clock, settings,
                                    SetUpProgramFolder(executableFolder, userDataFolder));
    closeRequests = std::make_unique<CloseRequests>([this] { win->RequestClose(); });
}

void ProgramWindow::ShowCentred() {
    const QRect available = win->screen()->availableGeometry();
    win->move(available.center() - win->rect().center());
    win->show();
}
