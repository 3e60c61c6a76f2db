// Cost of one time cursor tick on the real window, and how late the 100 ms timer fires here.

#include "bench/support/bench_window.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double PerCallUs(qint64 ns, int calls) {
    return static_cast<double>(ns) / 1000.0 / calls;
}

} // namespace

int main(int argc, char* argv[]) {
    BenchWindow bench(argc, argv);
    frmMain& window = bench.Open();
    FakeClock& clock = bench.clock();
    for (auto* combo : window.findChildren<QComboBox*>()) {
        if (combo->objectName().startsWith(QStringLiteral("cboFaseTime_"))) {
            combo->setCurrentIndex(63); // eight phases of 12 hours: the longest cycle
        }
    }
    // The start asks to press Reset on the board: an expected message, not printed.
    bench.ui().printMessages = false;
    window.cmdTimeCursor_Click();
    bench.ui().printMessages = true;
    auto* timer = window.findChild<QTimer*>(QStringLiteral("tmrTimeCursor"));
    timer->stop(); // this part drives the ticks by hand

    // A tick that steps one second, with the repaint it causes.
    constexpr int kSteps = 20000;
    QElapsedTimer elapsed;
    elapsed.start();
    for (int n = 0; n < kSteps; ++n) {
        clock.nowMs = n * 1000LL;
        window.tmrTimeCursor_Timer();
        QApplication::processEvents();
    }
    const qint64 stepNs = elapsed.nsecsElapsed();

    // A tick in the same second: the nine of every ten that change nothing.
    constexpr int kIdleTicks = 200000;
    elapsed.restart();
    for (int n = 0; n < kIdleTicks; ++n) {
        window.tmrTimeCursor_Timer();
    }
    const qint64 idleNs = elapsed.nsecsElapsed();

    // A tick that jumps across half the cycle, as after a long stall.
    constexpr int kJumps = 2000;
    elapsed.restart();
    for (int n = 0; n < kJumps; ++n) {
        clock.nowMs = (n % 2 == 0 ? 172800LL : 20000LL + n) * 1000;
        window.tmrTimeCursor_Timer();
    }
    const qint64 jumpNs = elapsed.nsecsElapsed();

    // Against the 100 ms timer period: the share of the time between two ticks each one uses.
    constexpr double kPeriodUs = 100000.0;
    const double stepUs = PerCallUs(stepNs, kSteps);
    const double idleUs = PerCallUs(idleNs, kIdleTicks);
    const double jumpUs = PerCallUs(jumpNs, kJumps);
    std::printf("tick with a step and repaint: %.1f us   period ratio %.5f\n", stepUs,
                stepUs / kPeriodUs);
    std::printf("tick in the same second:      %.3f us   period ratio %.7f\n", idleUs,
                idleUs / kPeriodUs);
    std::printf("tick jumping across the cycle:%.1f us   period ratio %.5f\n", jumpUs,
                jumpUs / kPeriodUs);

    // How late the real 100 ms timer comes on this machine, over 5 seconds.
    std::vector<qint64> gaps;
    QElapsedTimer wall;
    QTimer real;
    real.setInterval(100);
    QObject::connect(&real, &QTimer::timeout, [&] {
        gaps.push_back(wall.restart());
        if (gaps.size() == 50) {
            QApplication::quit();
        }
    });
    wall.start();
    real.start();
    QApplication::exec();
    std::sort(gaps.begin(), gaps.end());
    std::printf("100 ms timer gap: median %lld ms, max %lld ms   ratio to the period %.2f\n",
                static_cast<long long>(gaps[gaps.size() / 2]), static_cast<long long>(gaps.back()),
                static_cast<double>(gaps[gaps.size() / 2]) / 100.0);
    return 0;
}
