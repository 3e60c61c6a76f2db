// What an undo and a redo cost on the real window, against a 60 Hz frame and against the plain
// refresh measured in the same run: a full history of 100 edited steps walked back and forth.
// Also the bookkeeping every edit pays (recording a step) and the memory of one step.

#include "bench/support/bench_window.h"
#include "bench/support/timed_runs.h"
#include "model/edit_history.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double Median(int runs, const std::function<void(int)>& call) {
    return ::Median(TimedRuns(runs, call));
}

} // namespace

int main(int argc, char* argv[]) {
    BenchWindow bench(argc, argv);
    ScriptedUi& ui = bench.ui();
    frmMain& window = bench.Open();
    QApplication::processEvents();
    auto* undo = window.findChild<QAction*>(QStringLiteral("mnuUndo"));
    auto* redo = window.findChild<QAction*>(QStringLiteral("mnuRedo"));

    // A full history: 100 presets, each on another cell.
    const QStringList presets = {QStringLiteral("On"), QStringLiteral("Crescente 25%"),
                                 QStringLiteral("Off - On"), QStringLiteral("Decrescente 12%")};
    for (int n = 0; n < static_cast<int>(kUndoSteps); ++n) {
        ui.menuChoices.push_back(
            {QStringLiteral("Effetti Parte1+Parte2"), presets[n % presets.size()]});
        PressLabel(
            window.findChild<QLabel*>(QStringLiteral("lblEffMode_") + QString::number(n % 80)));
    }
    const EffGrid edited = window.EffSet();

    constexpr int kRuns = 400;
    const double refresh = Median(kRuns, [&](int) { window.RefreshEffects(); });
    const double refreshPaint = Median(kRuns, [&](int) {
        window.RefreshEffects();
        QApplication::processEvents();
    });
    // Back through the whole history and forward again, step by step.
    const double back = Median(kRuns, [&](int n) {
        ((n / static_cast<int>(kUndoSteps)) % 2 == 0 ? undo : redo)->trigger();
    });
    const double withPaint = Median(kRuns, [&](int n) {
        ((n / static_cast<int>(kUndoSteps)) % 2 == 0 ? undo : redo)->trigger();
        QApplication::processEvents(); // the repaint the undo causes
    });
    if (window.EffSet() != edited) {
        std::fprintf(stderr, "the walk did not end where it started\n");
        return 1;
    }

    // The bookkeeping of one edit: the window's configuration taken and compared with the last
    // step, then (when it differs) stored.
    EditHistory history;
    history.Reset(window.CurrentConfiguration());
    int changed = 0;
    const double snapshot = Median(
        kRuns * 10, [&](int) { changed += history.Record(window.CurrentConfiguration()) ? 1 : 0; });
    Configuration config = DefaultConfiguration();
    const double record = Median(kRuns * 10, [&](int n) {
        config.recEffSet[static_cast<std::size_t>(n % kCells)].bytePart1 =
            static_cast<std::uint8_t>(n % 16);
        history.Record(config);
    });

    std::printf("Undo and redo on the window, offscreen; frame = %.1f ms (60 Hz)\n", kFrameMs);
    std::printf("  %-40s median %8.1f us  frame ratio %.4f\n", "RefreshEffects() (the floor)",
                refresh * 1000.0, refresh / kFrameMs);
    std::printf("  %-40s median %8.1f us  frame ratio %.4f  to a refresh %.2f\n",
                "undo or redo (Ctrl+Z / Ctrl+Y)", back * 1000.0, back / kFrameMs, back / refresh);
    std::printf("  %-40s median %8.1f us  frame ratio %.4f\n", "RefreshEffects() + repaint",
                refreshPaint * 1000.0, refreshPaint / kFrameMs);
    std::printf("  %-40s median %8.1f us  frame ratio %.4f  to a refresh %.2f\n",
                "undo or redo + repaint", withPaint * 1000.0, withPaint / kFrameMs,
                withPaint / refreshPaint);
    std::printf("  %-40s median %8.3f us  frame ratio %.6f\n",
                "window configuration taken, compared", snapshot * 1000.0, snapshot / kFrameMs);
    std::printf("  %-40s median %8.3f us  frame ratio %.6f\n", "a changed configuration stored",
                record * 1000.0, record / kFrameMs);
    std::printf("  one step: %zu bytes (names within the string buffer), %zu steps: %zu KiB\n",
                sizeof(Configuration), kUndoSteps, sizeof(Configuration) * kUndoSteps / 1024);
    std::printf("%s: undo frame ratio %.4f (target < 0.1)\n",
                back / kFrameMs < 0.1 ? "within target" : "OUTSIDE TARGET", back / kFrameMs);
    return ui.messages.empty() && changed == 0 ? 0 : 1;
}
