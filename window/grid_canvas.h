#pragma once
// Paints the grid's lines from data: separators, light-course segments, connectors and
// the time cursor; and, while the grid has the keyboard focus, the frame of the focus cell,
// which the navigation keys move. Positions are twips; they are scaled only while painting.

#include "model/grid_drawing.h"
#include "model/grid_focus.h"
#include "picture/grid_picture.h"
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
    // Where the preview stands: a line where the time cursor would, in its own colour.
    void SetPreviewLine(int x, bool visible);
    const GridLine& PreviewLine() const { return linePreview; }
    const std::array<GridLine, 11>& SeparatorsH() const { return lines.separatorsH; }
    const std::array<GridLine, 10>& SeparatorsV() const { return lines.separatorsV; }
    const TwipsScale& Scale() const { return scale; }

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
    void PaintFocusFrame(QPainter& painter) const;
    QRect FocusFrameRect() const;

    TwipsScale scale;
    GridLines lines; // lineSepH, lineSepV, lineEffV, lineEffH
    GridLine lineTimeCursor;
    GridLine linePreview;
    int focusCell = 0;
    bool focusShown = true;
};
