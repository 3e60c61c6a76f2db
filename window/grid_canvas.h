#pragma once
// Paints the grid's lines from data: separators, light-course segments, connectors and
// the time cursor; and, while the grid has the keyboard focus, the frame of the focus cell,
// which the navigation keys move. Positions are twips; they are scaled only while painting.

#include "model/grid_drawing.h"
#include "model/grid_focus.h"
#include "window/twips.h"

#include <QRectF>
#include <QWidget>
#include <array>

class QPainter;

class GridCanvas final : public QWidget {
    Q_OBJECT

public:
    explicit GridCanvas(QWidget* parent = nullptr);

    void SetScale(TwipsScale newScale);
    void SetCourse(const std::array<GridLine, kSegments>& segments,
                   const std::array<GridLine, kConnectors>& connectors);
    // The time cursor: a vertical line over the whole grid height at x twips.
    void SetTimeCursor(int x, bool visible);
    const GridLine& TimeCursor() const { return lineTimeCursor; }
    const std::array<GridLine, 11>& SeparatorsH() const { return lineSepH; }
    const std::array<GridLine, 10>& SeparatorsV() const { return lineSepV; }

    // The focus cell; its frame is drawn only while its phase is shown.
    void SetFocusCell(int cell, bool shown);
    int FocusCell() const { return focusCell; }
    bool FocusFrameShown() const { return focusShown && hasFocus(); }

signals:
    void focusMovePressed(FocusMove move);
    // Enter or Space (the settings menu), the Menu key or Shift+F10 (the commands menu).
    void menuKeyPressed(bool commands);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PaintLine(QPainter& painter, const GridLine& line, const QRectF& dirty) const;
    void PaintFocusFrame(QPainter& painter) const;
    QRect FocusFrameRect() const;

    TwipsScale scale;
    std::array<GridLine, kSegments> lineEffH{};
    std::array<GridLine, kConnectors> lineEffV{};
    std::array<GridLine, 11> lineSepH{};
    std::array<GridLine, 10> lineSepV{};
    GridLine lineTimeCursor;
    int focusCell = 0;
    bool focusShown = true;
};
