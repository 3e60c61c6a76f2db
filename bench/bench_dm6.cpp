// Cost of reading and writing a configuration file, and of a sample button on the window.

#include "files/dm6_file.h"
#include "files/format/dm6_format.h"
#include "window/clock.h"
#include "window/frm_main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Answers every dialog with a fixed path and every message with OK.
class FixedUi final : public ModalUi {
public:
    MsgAnswer MsgBox(QWidget*, const QString& text, MsgIcon, MsgButtons, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MsgAnswer::Ok;
    }
    QString InputBox(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QString> OpenFileDialog(QWidget*, const FileDialogRequest&) override {
        return path;
    }
    std::optional<QString> SaveFileDialog(QWidget*, const FileDialogRequest&) override {
        return path;
    }
    int PopupMenu(QWidget*, const MenuEntry&, QPoint) override { return -1; }
    void ShowHelp(QWidget*, const QString&) override {}
    QString path;
};

class StillClock final : public Clock {
public:
    qint64 MonotonicMs() const override { return 0; }
};

template <class F> double PerCallUs(int calls, F&& call) {
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < calls; ++n) {
        call();
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1000.0 / calls;
}

// One figure with its ratio to a 60 Hz frame (16.7 ms).
void Print(const char* what, double us, const char* note = "") {
    std::printf("%-20s %8.1f us  frame ratio %.4f%s\n", what, us, us / (1e6 / 60.0), note);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    FixedUi ui;
    StillClock clock;
    frmMain window(ui, clock, folder.path());
    window.show();
    ui.path = folder.filePath(QStringLiteral("bench.dm6"));
    auto* save = window.findChild<QPushButton*>(QStringLiteral("cmdFileSave"));
    auto* open = window.findChild<QPushButton*>(QStringLiteral("cmdFileOpen_0"));
    save->click();
    QFile file(ui.path);
    file.open(QIODevice::ReadOnly);
    const std::string bytes = file.readAll().toStdString();

    constexpr int kCalls = 2000;
    volatile std::size_t sink = 0;
    Print("ReadDm6:", PerCallUs(kCalls, [&] { sink = sink + ReadDm6(bytes)->outNames.size(); }));
    const Configuration config = *ReadDm6(bytes);
    Print("WriteDm6:", PerCallUs(kCalls, [&] { sink = sink + WriteDm6(config).size(); }));
    Print("ReadDm6File:",
          PerCallUs(kCalls, [&] { sink = sink + ReadDm6File(ui.path).has_value(); }));
    Print("WriteDm6File:", PerCallUs(200, [&] { sink = sink + WriteDm6File(ui.path, config); }),
          "  (temporary file, sync, rename)");
    Print("\"Salva\" on window:", PerCallUs(200, [&] { save->click(); }));
    Print("\"Apri\" on window:", PerCallUs(200, [&] { open->click(); }),
          "  (includes the grid refresh)");
    return 0;
}
