// How long an effect edit takes on the real window: press on a cell, the menu answered at
// once, the item stored and the whole grid refreshed (report file, drawing, board image).

#include "bench/support/bench_window.h"
#include "bench/support/timed_runs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Median and worst of `runs` timed calls, in milliseconds.
void Measure(const char* what, int runs, const std::function<void(int)>& call) {
    const std::vector<double> ms = TimedRuns(runs, call);
    // Against a 60 Hz frame: under 1 the edit shows in the next frame.
    std::printf("%-44s median %7.3f ms   worst %7.3f ms   frame ratio %.3f   (%d runs)\n", what,
                Median(ms), ms.back(), Median(ms) / kFrameMs, runs);
}

} // namespace

int main(int argc, char* argv[]) {
    BenchWindow bench(argc, argv);
    ScriptedUi& ui = bench.ui();
    frmMain& window = bench.Open();
    auto cell = [&window](int i) {
        return window.findChild<QLabel*>(QStringLiteral("lblEffMode_") + QString::number(i));
    };
    constexpr int kRuns = 400;

    Measure("press, menu closed without a choice", kRuns,
            [&](int n) { PressLabel(cell(n % 80), Qt::LeftButton); });

    const QStringList presets = {QStringLiteral("Crescente 50% + Decrescente 50%"),
                                 QStringLiteral("Decrescente 25%"), QStringLiteral("On"),
                                 QStringLiteral("Off - On")};
    Measure("press, preset chosen, grid refreshed", kRuns, [&](int n) {
        ui.menuChoices.push_back(
            {QStringLiteral("Effetti Parte1+Parte2"), presets[n % presets.size()]});
        PressLabel(cell(n % 80), Qt::LeftButton);
        QApplication::processEvents(); // the repaint the edit causes
    });

    ui.menuChoices.push_back({QStringLiteral("Copia"), QStringLiteral("Fase (colonna)")});
    PressLabel(cell(7), Qt::RightButton);
    Measure("right press, column pasted, grid refreshed", kRuns, [&](int n) {
        ui.menuChoices.push_back({QStringLiteral("Incolla"), QStringLiteral("Fase (colonna)")});
        PressLabel(cell(n % 8), Qt::RightButton);
        QApplication::processEvents();
    });
    return 0;
}
