#pragma once
// The grid as a picture: separators, light courses, cell captions, names and durations,
// painted from data onto any QPainter. The window's canvas paints its lines with it (the
// captions and names are the window's labels there); print, export and the command line
// paint the whole picture.

#include "model/configuration.h"
#include "model/grid_drawing.h"
#include "picture/twips.h"

#include <QFont>
#include <QRectF>
#include <QSize>
#include <QString>
#include <array>

class QPainter;

// The lines of the grid in the order they are painted, later ones over earlier ones.
struct GridLines {
    std::array<GridLine, 11> separatorsH = GridSeparatorsH();
    std::array<GridLine, 10> separatorsV = GridSeparatorsV();
    std::array<GridLine, kConnectors> connectors{};
    std::array<GridLine, kSegments> segments{};
};

// Everything a picture of the grid shows.
struct GridPicture {
    GridLines lines;
    std::array<QString, kOutputs> outNames;
    std::array<QString, kFasi> faseNames;
    std::array<QString, kFasi> durations; // the duration lists' captions
    std::array<QString, kCells> captions;
    std::array<bool, kCells> captionShown{};
};

GridPicture PictureOf(const Configuration& config);

// The part of the window the picture covers: from the names to the last phase, from the
// top of the window to the last separator, with room for the width of the lines on them
// (the last output's course at level 0 lies on the last separator).
inline constexpr int kPictureMarginTwips = 30;
inline constexpr int kPictureWidthTwips = kGridRight + kPictureMarginTwips;
inline constexpr int kPictureHeightTwips = kGridBottom + kPictureMarginTwips;
QSize PictureSizePx(const TwipsScale& scale);

// Pen width of a grid line at this scale: 15 twips, at least one pixel.
double GridLineWidth(const TwipsScale& scale);
// One line; lines wholly outside `dirty` are skipped (small repaints touch few of them).
void PaintGridLine(QPainter& painter, const TwipsScale& scale, const GridLine& line,
                   const QRectF& dirty);
void PaintGridLines(QPainter& painter, const TwipsScale& scale, const GridLines& lines,
                    const QRectF& dirty);

// The whole picture on a white ground, texts included.
void PaintGridPicture(QPainter& painter, const TwipsScale& scale, const GridPicture& picture);

// A font of `points` at the window's layout (1 point = 20 twips) on the painter's device.
QFont ScaledFont(const QPainter& painter, const TwipsScale& scale, QFont font, double points);
