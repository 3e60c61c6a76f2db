#include "window/grid_canvas.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <optional>

namespace {
constexpr Rgb kSeparator{128, 128, 128};
constexpr Rgb kCursorBlue{0, 0, 255};

std::optional<FocusMove> MoveOfKey(const QKeyEvent& event) {
    const bool ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    switch (event.key()) {
    case Qt::Key_Left:
        return FocusMove::Left;
    case Qt::Key_Right:
        return FocusMove::Right;
    case Qt::Key_Up:
        return FocusMove::Up;
    case Qt::Key_Down:
        return FocusMove::Down;
    case Qt::Key_Home:
        return ctrl ? FocusMove::GridStart : FocusMove::RowStart;
    case Qt::Key_End:
        return ctrl ? FocusMove::GridEnd : FocusMove::RowEnd;
    default:
        return std::nullopt;
    }
}
} // namespace

GridCanvas::GridCanvas(QWidget* parent) : QWidget(parent) {
    // The cell labels above take the mouse; the grid takes the keyboard through Tab.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
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

void GridCanvas::SetFocusCell(int cell, bool shown) {
    if (focusCell == cell && focusShown == shown) {
        return;
    }
    update(FocusFrameRect());
    focusCell = cell;
    focusShown = shown;
    update(FocusFrameRect());
}

QRect GridCanvas::FocusFrameRect() const {
    // The whole cell between its separators, as a rectangle of pixels.
    return scale.Rect(1440 + 1080 * CellFase(focusCell), 720 + 480 * CellOutput(focusCell), 1080,
                      480);
}

void GridCanvas::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (const std::optional<FocusMove> move = MoveOfKey(*event);
        move && (mods == Qt::NoModifier || mods == Qt::ControlModifier)) {
        emit focusMovePressed(*move);
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                event->key() == Qt::Key_Space) &&
               mods == Qt::NoModifier) {
        emit menuKeyPressed(false);
    } else if ((event->key() == Qt::Key_Menu && mods == Qt::NoModifier) ||
               (event->key() == Qt::Key_F10 && mods == Qt::ShiftModifier)) {
        emit menuKeyPressed(true);
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void GridCanvas::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update(FocusFrameRect());
}

void GridCanvas::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update(FocusFrameRect());
}

void GridCanvas::PaintFocusFrame(QPainter& painter) const {
    if (!FocusFrameShown()) {
        return;
    }
    // Two pixels of black inside the separators: clear against every light-course colour.
    const double width = std::max(2.0, scale.pixelsPerTwip * 30.0);
    QPen pen(Qt::black);
    pen.setWidthF(width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double inset = width / 2.0 + 1.0;
    painter.drawRect(QRectF(FocusFrameRect()).adjusted(inset, inset, -inset, -inset));
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
    PaintFocusFrame(painter);
}
