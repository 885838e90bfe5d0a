#include "ui/image_surface.h"

#include <QList>

namespace radial {

ImageSurface::ImageSurface(QSize size, qreal device_pixel_ratio, PixelStore* store)
    : PixelSurface(size.width(), size.height(), device_pixel_ratio, store) {
    wrap_pixels();
}

void ImageSurface::resize(QSize size, qreal device_pixel_ratio) {
    PixelSurface::resize(size.width(), size.height(), device_pixel_ratio);
    wrap_pixels();
}

void ImageSurface::wrap_pixels() {
    const PixelBuffer b = pixels();
    image_ = QImage(reinterpret_cast<uchar*>(b.pixels), b.width, b.height,
                    static_cast<qsizetype>(b.stride) * 4, QImage::Format_RGB32);
    image_.setDevicePixelRatio(device_pixel_ratio());
}

QPointF ImageSurface::to_pixels(double x, double y) const {
    const PixelPoint p = pixel_of(x, y);
    return {p.x, p.y};
}

QPointF ImageSurface::to_world(QPointF pixels) const {
    const PixelPoint p = world_of(pixels.x(), pixels.y());
    return {p.x, p.y};
}

// The changed rectangles already come as a region's bands: no overlaps, none touching side by
// side, top to bottom and left to right.
QRegion ImageSurface::take_dirty_region() {
    const std::vector<PixelRect> rects = take_changed_rects();
    QList<QRect> qt_rects;
    qt_rects.reserve(static_cast<qsizetype>(rects.size()));
    for (const PixelRect& r : rects) {
        qt_rects.append(QRect(r.x, r.y, r.width, r.height));
    }
    QRegion region;
    region.setRects(qt_rects.constData(), static_cast<int>(qt_rects.size()));
    return region;
}

} // namespace radial
