// The preview at x3600 over twelve-hour phases: the cost of a frame against the 33 ms
// between frames, the frames a second the real timer gives and the share of one core the
// preview takes while it plays, against an idle window measured in the same run.

#include "bench/support/bench_window.h"
#include "model/preview_levels.h"
#include "window/preview_window.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Share {
    double frames = 0;
    double cpuMs = 0;
    double wallMs = 0;
};

// `seconds` of the event loop with a 33 ms timer that runs `frame`.
Share RunFor(double seconds, const std::function<void()>& frame) {
    Share share;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(PreviewWindow::kFrameMs);
    QElapsedTimer wall;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        frame();
        share.frames += 1;
        if (wall.elapsed() >= seconds * 1000) {
            QApplication::quit();
        }
    });
    const double cpuStart = CpuMs();
    wall.start();
    timer.start();
    QApplication::exec();
    share.wallMs = static_cast<double>(wall.elapsed());
    share.cpuMs = CpuMs() - cpuStart;
    return share;
}

} // namespace

int main(int argc, char* argv[]) {
    BenchWindow bench(argc, argv);
    frmMain& window = bench.Open();
    FakeClock& clock = bench.clock();
    // A busy grid (ramps, patterns, flicker) over eight phases of 12 hours.
    bench.ui().openAnswers.push_back(QStringLiteral(MIRAVEL6_SAMPLES_DIR "/e_mv8f.dm6"));
    window.cmdFileOpen_Click(0);
    for (auto* combo : window.findChildren<QComboBox*>()) {
        if (combo->objectName().startsWith(QStringLiteral("cboFaseTime_"))) {
            combo->setCurrentIndex(63);
        }
    }
    window.mnuPreview_Click();
    PreviewWindow* preview = window.Preview();
    preview->SetSpeed(3600);
    // This benchmark gives the frames itself.
    preview->findChild<QTimer*>(QStringLiteral("tmrFrame"))->stop();

    // What a change of the configuration costs, and what a frame then looks up.
    const PreviewPlan plan = preview->Plan();
    constexpr int kPlans = 20000;
    QElapsedTimer timer;
    timer.start();
    double sink = 0;
    for (int n = 0; n < kPlans; ++n) {
        sink += PlanPreview(plan.recEffSet, plan.faseCodes).cycleLength;
    }
    const double planUs = static_cast<double>(timer.nsecsElapsed()) / 1e3 / kPlans;
    constexpr int kLookups = 2000000;
    timer.restart();
    for (int n = 0; n < kLookups; ++n) {
        sink += IndicativeLevelsAt(plan, n * 120.0, 26)[static_cast<std::size_t>(n % 10)];
    }
    const double lookupUs = static_cast<double>(timer.nsecsElapsed()) / 1e3 / kLookups;

    // One frame by hand: 33 ms at x3600 are two minutes of the cycle, lamps and line repainted.
    constexpr int kFrames = 3000;
    timer.restart();
    for (int n = 0; n < kFrames; ++n) {
        clock.nowMs += PreviewWindow::kFrameMs;
        preview->Frame();
        QApplication::processEvents();
    }
    const double frameUs = static_cast<double>(timer.nsecsElapsed()) / 1e3 / kFrames;

    // Floor: the same window and timer with the preview paused, nothing to repaint.
    const Share idle = RunFor(3.0, [] {});
    QElapsedTimer playWall;
    playWall.start();
    const qint64 startMs = clock.nowMs;
    const Share playing = RunFor(3.0, [&] {
        clock.nowMs = startMs + playWall.elapsed();
        preview->Frame();
    });

    const double budgetUs = PreviewWindow::kFrameMs * 1000.0;
    std::printf("plan of a configuration:   %8.2f us (once per change)\n", planUs);
    std::printf("levels of a frame:         %8.3f us   ratio to the plan %.4f\n", lookupUs,
                lookupUs / planUs);
    std::printf("frame with repaint:        %8.1f us   ratio to the 33 ms between frames %.4f\n",
                frameUs, frameUs / budgetUs);
    const double fps = playing.frames * 1000.0 / playing.wallMs;
    const double idleShare = idle.cpuMs / idle.wallMs;
    const double playShare = playing.cpuMs / playing.wallMs;
    std::printf("frames a second at x3600:  %8.1f   ratio to 30 %.3f\n", fps, fps / 30.0);
    std::printf("one core while idle:       %8.4f (floor)\n", idleShare);
    std::printf("one core while playing:    %8.4f   ratio to the floor %.2f, beyond it %.4f\n",
                playShare, playShare / idleShare, playShare - idleShare);
    return sink < 0 ? 1 : 0;
}
