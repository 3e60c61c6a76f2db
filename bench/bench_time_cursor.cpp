// Cost of one time cursor tick on the real window, and how late the 100 ms timer fires here.

#include "window/clock.h"
#include "window/frm_main.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Answers OK to every question and asks nothing else.
class SilentUi final : public ModalUi {
public:
    MsgAnswer MsgBox(QWidget*, const QString&, MsgIcon, MsgButtons, const QString&) override {
        return MsgAnswer::Ok;
    }
    QString InputBox(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QString> OpenFileDialog(QWidget*, const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<QString> SaveFileDialog(QWidget*, const FileDialogRequest&) override {
        return std::nullopt;
    }
    int PopupMenu(QWidget*, const MenuEntry&, QPoint) override { return -1; }
    void ShowHelp(QWidget*, const QString&) override {}
};

class HandClock final : public Clock {
public:
    qint64 MonotonicMs() const override { return nowMs; }
    qint64 nowMs = 0;
};

double PerCallUs(qint64 ns, int calls) {
    return static_cast<double>(ns) / 1000.0 / calls;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    SilentUi ui;
    HandClock clock;
    frmMain window(ui, clock, folder.path());
    window.show();
    for (auto* combo : window.findChildren<QComboBox*>()) {
        if (combo->objectName().startsWith(QStringLiteral("cboFaseTime_"))) {
            combo->setCurrentIndex(63); // eight phases of 12 hours: the longest cycle
        }
    }
    window.cmdTimeCursor_Click();
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
