#pragma once
// Saving a picture as PNG, SVG or PDF, chosen by the file's extension. The file is written
// whole or not at all: a failure leaves what was there before.

#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QPainter;

enum class PictureFormat { Png, Svg, Pdf };

// By the extension, in any case; empty for any other.
std::optional<PictureFormat> PictureFormatOf(const QString& path);

// Paints `paint` onto a picture of `sizePx` pixels at 96 dpi (the SVG and the PDF are
// vector pages of that size). False with the reason, in Italian, when it cannot be written.
bool SavePicture(const QString& path, PictureFormat format, QSize sizePx,
                 const std::function<void(QPainter&)>& paint, QString* error);

struct GridPicture;
struct Configuration;
struct PreviewPlan;

// The grid at the window's scale (96 dpi), as the window's canvas shows it.
bool SaveGridPicture(const QString& path, PictureFormat format, const GridPicture& picture,
                     QString* error);
// The ten outputs' levels over the cycle.
bool SaveTimelinePicture(const QString& path, PictureFormat format, const Configuration& config,
                         const PreviewPlan& plan, QString* error);
