#include "window/grid_canvas.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <optional>

namespace {
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

GridCanvas::GridCanvas(QWidget* parent)
    : QWidget(parent), lineTimeCursor(TimeCursorLine(kGridLeft, false)),
      linePreview(PreviewPositionLine(kGridLeft, false)) {
    // The cell labels above take the mouse; the grid takes the keyboard through Tab.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
}

void GridCanvas::SetScale(TwipsScale newScale) {
    scale = newScale;
    update();
}

void GridCanvas::SetCourse(const std::array<GridLine, kSegments>& segments,
                           const std::array<GridLine, kConnectors>& connectors) {
    lines.segments = segments;
    lines.connectors = connectors;
    update();
}

void GridCanvas::SetPreviewLine(int x, bool visible) {
    if (linePreview.x1 == x && linePreview.visible == visible) {
        return;
    }
    // Only the strips of the old and the new line are painted again.
    const auto strip = [this](const GridLine& line) {
        const int margin = static_cast<int>(GridLineWidth(scale)) + 2;
        return QRect(scale.Px(line.x1) - margin, scale.Px(line.y1) - margin, 2 * margin,
                     scale.Px(line.y2) - scale.Px(line.y1) + 2 * margin);
    };
    if (linePreview.visible) {
        update(strip(linePreview));
    }
    linePreview = PreviewPositionLine(x, visible);
    if (visible) {
        update(strip(linePreview));
    }
}

void GridCanvas::SetTimeCursor(int x, bool visible) {
    if (lineTimeCursor.x1 == x && lineTimeCursor.visible == visible) {
        return;
    }
    lineTimeCursor = TimeCursorLine(x, visible);
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
    return scale.Rect(ColumnLeft(CellFase(focusCell)), SeparatorAbove(CellOutput(focusCell)),
                      kColumnWidth, kRowHeight);
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

void GridCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRectF dirty = event->rect();
    PaintGridLines(painter, scale, lines, dirty);
    PaintGridLine(painter, scale, linePreview, dirty);
    PaintGridLine(painter, scale, lineTimeCursor, dirty);
    PaintFocusFrame(painter);
}
