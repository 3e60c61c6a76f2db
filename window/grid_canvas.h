#pragma once
// Paints the grid's lines from data: separators, light-course segments, connectors and
// the time cursor. Positions are twips; they are scaled only while painting.

#include "model/grid_drawing.h"
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintLine(QPainter& painter, const GridLine& line, const QRectF& dirty) const;

    TwipsScale scale;
    std::array<GridLine, kSegments> lineEffH{};
    std::array<GridLine, kConnectors> lineEffV{};
    std::array<GridLine, 11> lineSepH{};
    std::array<GridLine, 10> lineSepV{};
    GridLine lineTimeCursor;
};
