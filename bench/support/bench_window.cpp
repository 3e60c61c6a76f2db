#include "bench/support/bench_window.h"

#include <QDir>

BenchWindow::Platform::Platform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

BenchWindow::BenchWindow(int& argc, char** argv) : app(argc, argv) {
    fixture.ui.printMessages = true;
}

QString BenchWindow::FilePath(const QString& name) const {
    return QDir(fixture.FolderPath()).filePath(name);
}
