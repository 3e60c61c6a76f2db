#include "picture/picture_file.h"

#include "picture/grid_picture.h"
#include "picture/timeline_picture.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

namespace {

constexpr int kDpi = 96;

bool Paint(QPaintDevice& device, const std::function<void(QPainter&)>& paint) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    paint(painter);
    return painter.end();
}

} // namespace

std::optional<PictureFormat> PictureFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return PictureFormat::Png;
    }
    if (suffix == QLatin1String("svg")) {
        return PictureFormat::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return PictureFormat::Pdf;
    }
    return std::nullopt;
}

bool SavePicture(const QString& path, PictureFormat format, QSize sizePx,
                 const std::function<void(QPainter&)>& paint, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    bool painted = false;
    switch (format) {
    case PictureFormat::Png: {
        QImage image(sizePx, QImage::Format_RGB32);
        image.setDotsPerMeterX(static_cast<int>(std::lround(kDpi / 0.0254)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(kDpi / 0.0254)));
        image.fill(Qt::white);
        painted = Paint(image, paint) && image.save(&file, "PNG");
        break;
    }
    case PictureFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setResolution(kDpi);
        svg.setSize(sizePx);
        svg.setViewBox(QRect(QPoint(0, 0), sizePx));
        svg.setTitle(QFileInfo(path).completeBaseName());
        painted = Paint(svg, paint);
        break;
    }
    case PictureFormat::Pdf: {
        QPdfWriter pdf(&file);
        pdf.setResolution(kDpi);
        const QSizeF points(sizePx.width() * 72.0 / kDpi, sizePx.height() * 72.0 / kDpi);
        pdf.setPageLayout(
            QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
        painted = Paint(pdf, paint);
        break;
    }
    }
    if (!painted) {
        *error = QStringLiteral("il disegno non si può completare");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool SaveGridPicture(const QString& path, PictureFormat format, const GridPicture& picture,
                     QString* error) {
    const TwipsScale scale; // 96 dpi
    return SavePicture(
        path, format, PictureSizePx(scale),
        [&](QPainter& painter) { PaintGridPicture(painter, scale, picture); }, error);
}

bool SaveTimelinePicture(const QString& path, PictureFormat format, const Configuration& config,
                         const PreviewPlan& plan, QString* error) {
    return SavePicture(
        path, format, TimelineSizePx(),
        [&](QPainter& painter) { PaintTimeline(painter, config, plan); }, error);
}
