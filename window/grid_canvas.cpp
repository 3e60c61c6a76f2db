#include "window/grid_canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace {
constexpr Rgb kSeparator{128, 128, 128};
constexpr Rgb kCursorBlue{0, 0, 255};
} // namespace

GridCanvas::GridCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int k = 0; k < 11; ++k) {
        const int y = 720 + 480 * k;
        lineSepH[static_cast<std::size_t>(k)] = {0, y, 10080, y, kSeparator, true};
    }
    for (int k = 0; k < 10; ++k) {
        const int x = k == 0 ? 840 : 1440 + 1080 * (k - 1);
        lineSepV[static_cast<std::size_t>(k)] = {x, 0, x, 5520, kSeparator, true};
    }
    lineTimeCursor = {1440, 720, 1440, 5520, kCursorBlue, false};
}

void GridCanvas::SetScale(TwipsScale newScale) {
    scale = newScale;
    update();
}

void GridCanvas::SetCourse(const std::array<GridLine, kSegments>& segments,
                           const std::array<GridLine, kConnectors>& connectors) {
    lineEffH = segments;
    lineEffV = connectors;
    update();
}

void GridCanvas::SetTimeCursor(int x, bool visible) {
    if (lineTimeCursor.x1 == x && lineTimeCursor.visible == visible) {
        return;
    }
    lineTimeCursor.x1 = lineTimeCursor.x2 = x;
    lineTimeCursor.visible = visible;
    update();
}

void GridCanvas::PaintLine(QPainter& painter, const GridLine& line, const QRectF& dirty) const {
    if (!line.visible) {
        return;
    }
    const QPointF from(scale.PxF(line.x1), scale.PxF(line.y1));
    const QPointF to(scale.PxF(line.x2), scale.PxF(line.y2));
    const double width = std::max(1.0, scale.pixelsPerTwip * 15.0);
    // Small repaints (the status line, a label) touch few of the 950 lines: skip the rest.
    const QRectF bounds = QRectF(from, to).normalized().adjusted(-width, -width, width, width);
    if (!bounds.intersects(dirty)) {
        return;
    }
    QPen pen(QColor(line.colour.r, line.colour.g, line.colour.b));
    pen.setWidthF(width);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(from, to);
}

void GridCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRectF dirty = event->rect();
    for (const GridLine& line : lineSepH) {
        PaintLine(painter, line, dirty);
    }
    for (const GridLine& line : lineSepV) {
        PaintLine(painter, line, dirty);
    }
    for (const GridLine& line : lineEffV) {
        PaintLine(painter, line, dirty);
    }
    for (const GridLine& line : lineEffH) {
        PaintLine(painter, line, dirty);
    }
    PaintLine(painter, lineTimeCursor, dirty);
}
