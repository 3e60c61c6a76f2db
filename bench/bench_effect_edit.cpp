// How long an effect edit takes on the real window: press on a cell, the menu answered at
// once, the item stored and the whole grid refreshed (report file, drawing, board image).

#include "window/clock.h"
#include "window/frm_main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Answers every menu with the item the benchmark names by its caption path.
class MenuUi final : public ModalUi {
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
    int PopupMenu(QWidget*, const MenuEntry& menu, QPoint) override {
        const MenuEntry* entry = &menu;
        for (const QString& caption : choice) {
            const auto it = std::find_if(entry->items.begin(), entry->items.end(),
                                         [&](const MenuEntry& e) { return e.caption == caption; });
            if (it == entry->items.end()) {
                return -1;
            }
            entry = &*it;
        }
        return choice.isEmpty() ? -1 : entry->id;
    }
    void ShowHelp(QWidget*, const QString&) override {}
    QStringList choice;
};

class StillClock final : public Clock {
public:
    qint64 MonotonicMs() const override { return 0; }
};

void Press(QLabel* label, Qt::MouseButton button) {
    const QPointF pos(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, pos, label->mapToGlobal(pos), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(label, &press);
}

// Median and worst of `runs` timed calls, in milliseconds.
void Measure(const char* what, int runs, const std::function<void(int)>& call) {
    std::vector<double> ms;
    for (int n = 0; n < runs; ++n) {
        QElapsedTimer timer;
        timer.start();
        call(n);
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    // Against a 60 Hz frame: under 1 the edit shows in the next frame.
    std::printf("%-44s median %7.3f ms   worst %7.3f ms   frame ratio %.3f   (%d runs)\n", what,
                ms[ms.size() / 2], ms.back(), ms[ms.size() / 2] / (1000.0 / 60.0), runs);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    MenuUi ui;
    StillClock clock;
    frmMain window(ui, clock, folder.path());
    window.show();
    auto cell = [&window](int i) {
        return window.findChild<QLabel*>(QStringLiteral("lblEffMode_") + QString::number(i));
    };
    constexpr int kRuns = 400;

    ui.choice.clear();
    Measure("press, menu closed without a choice", kRuns,
            [&](int n) { Press(cell(n % 80), Qt::LeftButton); });

    const QStringList presets = {QStringLiteral("Crescente 50% + Decrescente 50%"),
                                 QStringLiteral("Decrescente 25%"), QStringLiteral("On"),
                                 QStringLiteral("Off - On")};
    Measure("press, preset chosen, grid refreshed", kRuns, [&](int n) {
        ui.choice = {QStringLiteral("Effetti Parte1+Parte2"), presets[n % presets.size()]};
        Press(cell(n % 80), Qt::LeftButton);
        QApplication::processEvents(); // the repaint the edit causes
    });

    ui.choice = {QStringLiteral("Copia"), QStringLiteral("Fase (colonna)")};
    Press(cell(7), Qt::RightButton);
    Measure("right press, column pasted, grid refreshed", kRuns, [&](int n) {
        ui.choice = {QStringLiteral("Incolla"), QStringLiteral("Fase (colonna)")};
        Press(cell(n % 8), Qt::RightButton);
        QApplication::processEvents();
    });
    return 0;
}
