#include "picture/timeline_picture.h"

#include "model/fase_time.h"
#include "model/grid_drawing.h"

#include <QPainter>
#include <QPainterPath>
#include <vector>

namespace {

// Pixels at 96 dpi.
constexpr int kNamesWidth = 110;
constexpr int kPlotWidth = 1080;
constexpr int kHeaderHeight = 30;
constexpr int kRowPx = 48;
constexpr int kBandPx = 36;
constexpr int kFooterHeight = 30;
constexpr int kRightMargin = 50;
constexpr int kSamplesPerPixel = 4;

QColor ColourOf(Rgb rgb) {
    return {rgb.r, rgb.g, rgb.b};
}

double RowBottom(int output) {
    return kHeaderHeight + kRowPx * output + (kRowPx + kBandPx) / 2.0;
}

} // namespace

QSize TimelineSizePx() {
    return {kNamesWidth + kPlotWidth + kRightMargin,
            kHeaderHeight + kRowPx * kOutputs + kFooterHeight};
}

void PaintTimeline(QPainter& painter, const Configuration& config, const PreviewPlan& plan) {
    const QSize size = TimelineSizePx();
    painter.fillRect(QRectF(0, 0, size.width(), size.height()), Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    painter.setFont(font);
    const QColor grey(128, 128, 128);

    for (int o = 0; o <= kOutputs; ++o) {
        const double y = kHeaderHeight + kRowPx * o;
        painter.setPen(grey);
        painter.drawLine(QPointF(0, y), QPointF(kNamesWidth + kPlotWidth, y));
        if (o < kOutputs) {
            painter.setPen(Qt::black);
            painter.drawText(QRectF(4, y, kNamesWidth - 8, kRowPx),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             QString::fromStdString(config.outNames[static_cast<std::size_t>(o)]));
        }
    }
    const double bottom = kHeaderHeight + kRowPx * kOutputs;
    if (plan.cycleLength <= 0) {
        painter.setPen(Qt::black);
        painter.drawText(QRectF(kNamesWidth, 0, kPlotWidth, kHeaderHeight), Qt::AlignCenter,
                         QStringLiteral("Nessuna fase temporale attivata"));
        return;
    }

    // Phases: a separator at each start, the name over it, the start time under it.
    const double pxPerSecond = static_cast<double>(kPlotWidth) / plan.cycleLength;
    for (int p = 0; p <= kFasi; ++p) {
        const auto k = static_cast<std::size_t>(std::min(p, kFasi - 1));
        if (p < kFasi && plan.faseLength[k] == 0) {
            continue;
        }
        const std::int32_t start = p < kFasi ? plan.faseStart[k] : plan.cycleLength;
        const double x = kNamesWidth + start * pxPerSecond;
        painter.setPen(grey);
        painter.drawLine(QPointF(x, kHeaderHeight), QPointF(x, bottom));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - 40, bottom + 2, 80, kFooterHeight - 4),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QString::fromStdString(FormatTimeHMS(start)));
        if (p < kFasi) {
            painter.drawText(QRectF(x, 0, plan.faseLength[k] * pxPerSecond, kHeaderHeight),
                             Qt::AlignCenter, QString::fromStdString(config.faseNames[k]));
        }
    }

    // Levels: sampled finely enough that every on/off step shows with its edges.
    constexpr int samples = kPlotWidth * kSamplesPerPixel;
    std::array<QPainterPath, kOutputs> paths;
    for (int n = 0; n <= samples; ++n) {
        const double seconds = std::min(plan.cycleLength * (static_cast<double>(n) / samples),
                                        std::nextafter(static_cast<double>(plan.cycleLength), 0.0));
        const auto levels = LevelsAt(plan, seconds);
        const double x = kNamesWidth + static_cast<double>(n) / kSamplesPerPixel;
        for (int o = 0; o < kOutputs; ++o) {
            const double y = RowBottom(o) - levels[static_cast<std::size_t>(o)] * kBandPx / 256.0;
            QPainterPath& path = paths[static_cast<std::size_t>(o)];
            if (n == 0) {
                path.moveTo(x, y);
            } else {
                path.lineTo(x, y);
            }
        }
    }
    painter.setBrush(Qt::NoBrush);
    for (int o = 0; o < kOutputs; ++o) {
        QPen pen(ColourOf(o < 5 ? kRed : kGreen));
        pen.setWidthF(1.5);
        painter.setPen(pen);
        painter.drawPath(paths[static_cast<std::size_t>(o)]);
    }
}
