#pragma once
// What the window benchmarks measure with: timed runs of one call, and a mouse press on a label.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <functional>
#include <vector>

inline constexpr double kFrameMs = 1000.0 / 60.0;

// `runs` timed calls (the call gets its run number), in milliseconds, sorted.
inline std::vector<double> TimedRuns(int runs, const std::function<void(int)>& call) {
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(runs));
    for (int n = 0; n < runs; ++n) {
        QElapsedTimer timer;
        timer.start();
        call(n);
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

inline double Median(const std::vector<double>& sorted) {
    return sorted[sorted.size() / 2];
}

// A press on the label, as the mouse gives it.
inline void PressLabel(QLabel* label, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF pos(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, pos, label->mapToGlobal(pos), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(label, &press);
}
