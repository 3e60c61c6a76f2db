// Cost of reading and writing a configuration file, and of a sample button on the window.

#include "bench/support/bench_window.h"
#include "files/dm6_file.h"
#include "files/format/dm6_format.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <cstdio>

namespace {

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
    BenchWindow bench(argc, argv);
    frmMain& window = bench.Open();
    const QString path = bench.FilePath(QStringLiteral("bench.dm6"));
    constexpr int kClicks = 200;
    // Both dialogs answer with the same file: the save below, then every click measured.
    bench.ui().saveAnswers.assign(1 + kClicks, path);
    bench.ui().openAnswers.assign(kClicks, path);
    auto* save = window.findChild<QPushButton*>(QStringLiteral("cmdFileSave"));
    auto* open = window.findChild<QPushButton*>(QStringLiteral("cmdFileOpen_0"));
    save->click();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const std::string bytes = file.readAll().toStdString();

    constexpr int kCalls = 2000;
    volatile std::size_t sink = 0;
    Print("ReadDm6:", PerCallUs(kCalls, [&] { sink = sink + ReadDm6(bytes)->outNames.size(); }));
    const Configuration config = *ReadDm6(bytes);
    Print("WriteDm6:", PerCallUs(kCalls, [&] { sink = sink + WriteDm6(config).size(); }));
    Print("ReadDm6File:", PerCallUs(kCalls, [&] { sink = sink + ReadDm6File(path).has_value(); }));
    Print("WriteDm6File:", PerCallUs(200, [&] { sink = sink + WriteDm6File(path, config); }),
          "  (temporary file, sync, rename)");
    Print("\"Salva\" on window:", PerCallUs(kClicks, [&] { save->click(); }));
    Print("\"Apri\" on window:", PerCallUs(kClicks, [&] { open->click(); }),
          "  (includes the grid refresh)");
    return 0;
}
