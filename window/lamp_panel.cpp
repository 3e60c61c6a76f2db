#include "window/lamp_panel.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kPerRow = 5;
constexpr int kCellWidth = 96;
constexpr int kCellHeight = 92;
constexpr int kLampDiameter = 52;

} // namespace

QColor LampColour(double level) {
    const double lit = std::clamp(level, 0.0, 256.0) / 256.0;
    const auto mix = [lit](int off, int on) {
        return static_cast<int>(std::lround(off + (on - off) * lit));
    };
    return {mix(48, 255), mix(48, 236), mix(48, 160)};
}

LampPanel::LampPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(sizeHint());
}

QSize LampPanel::sizeHint() const {
    return {kCellWidth * kPerRow, kCellHeight * (kOutputs / kPerRow)};
}

QRect LampPanel::LampCell(int output) const {
    return {kCellWidth * (output % kPerRow), kCellHeight * (output / kPerRow), kCellWidth,
            kCellHeight};
}

QPoint LampPanel::LampCentre(int output) const {
    const QRect cell = LampCell(output);
    return {cell.center().x(), cell.top() + 6 + kLampDiameter / 2};
}

void LampPanel::SetLevels(const std::array<double, kOutputs>& newLevels) {
    for (std::size_t o = 0; o < kOutputs; ++o) {
        // Only a change the eye could see repaints the lamp.
        if (LampColour(levels[o]) != LampColour(newLevels[o])) {
            update(LampCell(static_cast<int>(o)));
        }
    }
    levels = newLevels;
}

void LampPanel::SetNames(const std::array<QString, kOutputs>& newNames) {
    for (std::size_t o = 0; o < kOutputs; ++o) {
        if (names[o] != newNames[o]) {
            update(LampCell(static_cast<int>(o)));
        }
    }
    names = newNames;
}

void LampPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(24, 24, 24));
    painter.setRenderHint(QPainter::Antialiasing);
    for (int o = 0; o < kOutputs; ++o) {
        const QRect cell = LampCell(o);
        if (!cell.intersects(event->rect())) {
            continue;
        }
        const QPoint centre = LampCentre(o);
        painter.setPen(QPen(QColor(90, 90, 90), 2));
        painter.setBrush(LampColour(levels[static_cast<std::size_t>(o)]));
        painter.drawEllipse(centre, kLampDiameter / 2, kLampDiameter / 2);
        painter.setPen(QColor(220, 220, 220));
        painter.drawText(QRect(cell.left() + 2, centre.y() + kLampDiameter / 2 + 2,
                               cell.width() - 4, cell.bottom() - centre.y() - kLampDiameter / 2),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                         names[static_cast<std::size_t>(o)]);
    }
}
