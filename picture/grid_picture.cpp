#include "picture/grid_picture.h"

#include "model/fase_time.h"
#include "model/light_course.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {

constexpr double kTwipsPerPoint = 20.0;

QFont UiFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont CellFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setBold(true);
    return font;
}

QRectF TwipsRect(const TwipsScale& scale, int left, int top, int width, int height) {
    return {scale.PxF(left), scale.PxF(top), scale.PxF(width), scale.PxF(height)};
}

} // namespace

GridPicture PictureOf(const Configuration& config) {
    GridPicture picture;
    const LightCourse course = ComputeLightCourse(config.recEffSet, config.faseCodes);
    const GridDrawing drawing = DrawGrid(config.recEffSet, config.faseCodes, course);
    picture.lines.segments = drawing.lineEffH;
    picture.lines.connectors = drawing.lineEffV;
    for (std::size_t o = 0; o < kOutputs; ++o) {
        picture.outNames[o] = QString::fromStdString(config.outNames[o]);
    }
    for (std::size_t p = 0; p < kFasi; ++p) {
        picture.faseNames[p] = QString::fromStdString(config.faseNames[p]);
        picture.durations[p] = QString::fromUtf8(FaseTime(config.faseCodes[p]).caption);
    }
    for (std::size_t i = 0; i < kCells; ++i) {
        picture.captions[i] = QString::fromStdString(drawing.lblEffMode[i].caption);
        picture.captionShown[i] = drawing.lblEffMode[i].visible;
    }
    return picture;
}

QSize PictureSizePx(const TwipsScale& scale) {
    return {scale.Px(kPictureWidthTwips), scale.Px(kPictureHeightTwips)};
}

QFont ScaledFont(const QPainter& painter, const TwipsScale& scale, QFont font, double points) {
    const double pixels = points * kTwipsPerPoint * scale.pixelsPerTwip;
    const int dpi = painter.device() != nullptr ? painter.device()->logicalDpiY() : 96;
    font.setPointSizeF(std::max(1.0, pixels * 72.0 / dpi));
    return font;
}

double GridLineWidth(const TwipsScale& scale) {
    return std::max(1.0, scale.pixelsPerTwip * 15.0);
}

void PaintGridLine(QPainter& painter, const TwipsScale& scale, const GridLine& line,
                   const QRectF& dirty) {
    if (!line.visible) {
        return;
    }
    const QPointF from(scale.PxF(line.x1), scale.PxF(line.y1));
    const QPointF to(scale.PxF(line.x2), scale.PxF(line.y2));
    const double width = GridLineWidth(scale);
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

void PaintGridLines(QPainter& painter, const TwipsScale& scale, const GridLines& lines,
                    const QRectF& dirty) {
    for (const GridLine& line : lines.separatorsH) {
        PaintGridLine(painter, scale, line, dirty);
    }
    for (const GridLine& line : lines.separatorsV) {
        PaintGridLine(painter, scale, line, dirty);
    }
    for (const GridLine& line : lines.connectors) {
        PaintGridLine(painter, scale, line, dirty);
    }
    for (const GridLine& line : lines.segments) {
        PaintGridLine(painter, scale, line, dirty);
    }
}

void PaintGridPicture(QPainter& painter, const TwipsScale& scale, const GridPicture& picture) {
    const QSize size = PictureSizePx(scale);
    painter.fillRect(QRectF(0, 0, size.width(), size.height()), Qt::white);

    // Texts first, at the places of the window's labels and lists; the lines go over them.
    painter.setPen(Qt::black);
    painter.setFont(ScaledFont(painter, scale, UiFont(), 8.0));
    painter.drawText(TwipsRect(scale, 120, 120, 495, 375), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("Nome Uscita"));
    for (int p = 0; p < kFasi; ++p) {
        const auto k = static_cast<std::size_t>(p);
        painter.setPen(Qt::black);
        painter.drawText(TwipsRect(scale, ColumnLeft(p) + 120, 120, 920, 255), Qt::AlignCenter,
                         picture.faseNames[k]);
        // A duration as its list shows it: the caption in a frame.
        const QRectF box = TwipsRect(scale, ColumnLeft(p) + 60, 360, 975, 315);
        painter.setPen(QColor(160, 160, 160));
        painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(Qt::black);
        painter.drawText(box.adjusted(scale.PxF(60), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         picture.durations[k]);
    }
    for (int o = 0; o < kOutputs; ++o) {
        painter.drawText(TwipsRect(scale, 60, RowTop(o), 700, 255),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         picture.outNames[static_cast<std::size_t>(o)]);
    }
    painter.setFont(ScaledFont(painter, scale, CellFont(), 9.75));
    for (int i = 0; i < kCells; ++i) {
        if (picture.captionShown[static_cast<std::size_t>(i)]) {
            painter.drawText(
                TwipsRect(scale, ColumnLeft(CellFase(i)), RowTop(CellOutput(i)), 1095, 255),
                Qt::AlignLeft | Qt::AlignTop, picture.captions[static_cast<std::size_t>(i)]);
        }
    }
    PaintGridLines(painter, scale, picture.lines, QRectF(0, 0, size.width(), size.height()));
}
