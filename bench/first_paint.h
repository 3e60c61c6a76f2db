#pragma once
// For the start-up benchmark's child programs: once the window has painted for the first
// time, print the moment (steady clock, shared by all processes) and leave at once, so the
// parent measures start-up and nothing of the shut-down.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

class FirstPaintExit final : public QObject {
public:
    explicit FirstPaintExit(const QWidget* target) : window(target) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window) {
            seen = true;
            // Queued, so the whole first frame (every child, the flush) is done before we stop.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [] {
                    const auto now = std::chrono::steady_clock::now().time_since_epoch();
                    std::printf(
                        "first-paint %lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                    std::fflush(stdout);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    const QWidget* window;
    bool seen = false;
};
