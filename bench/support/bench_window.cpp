#include "bench/support/bench_window.h"

#include <QSettings>
#include <algorithm>
#include <cstdio>

MsgAnswer BenchUi::MsgBox(QWidget*, const QString& text, MsgIcon, MsgButtons, const QString&) {
    ++messages;
    lastMessage = text;
    if (printMessages) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    return MsgAnswer::Ok;
}

QString BenchUi::InputBox(QWidget*, const QString&, const QString&, const QString&) {
    return {};
}

std::optional<QString> BenchUi::OpenFileDialog(QWidget*, const FileDialogRequest&) {
    return filePath;
}

std::optional<QString> BenchUi::SaveFileDialog(QWidget*, const FileDialogRequest&) {
    return filePath;
}

int BenchUi::PopupMenu(QWidget*, const MenuEntry& menu, QPoint) {
    if (menuChoice.isEmpty()) {
        return -1;
    }
    const MenuEntry* entry = &menu;
    for (const QString& caption : menuChoice) {
        const auto it = std::find_if(entry->items.begin(), entry->items.end(),
                                     [&](const MenuEntry& e) { return e.caption == caption; });
        if (it == entry->items.end()) {
            return -1;
        }
        entry = &*it;
    }
    return entry->id;
}

void BenchUi::ShowHelp(QWidget*, const QString&) {}

BenchWindow::Platform::Platform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

BenchWindow::BenchWindow(int& argc, char** argv) : app(argc, argv) {
    QSettings::setDefaultFormat(QSettings::NativeFormat);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
}

BenchWindow::~BenchWindow() = default;

frmMain& BenchWindow::Open() {
    window = std::make_unique<frmMain>(modalUi, handClock, folder.path());
    window->show();
    return *window;
}
