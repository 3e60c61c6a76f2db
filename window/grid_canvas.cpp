#include "window/grid_canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

GridCanvas::GridCanvas(QWidget* parent)
    : QWidget(parent), lineSepH(GridSeparatorsH()), lineSepV(GridSeparatorsV()),
      lineTimeCursor(TimeCursorLine(kGridLeft, false)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
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
    lineTimeCursor = TimeCursorLine(x, visible);
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
