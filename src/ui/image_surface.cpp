#include "ui/image_surface.h"

namespace radial {

ImageSurface::ImageSurface(QSize size, qreal device_pixel_ratio)
    : PixelSurface(size.width(), size.height(), device_pixel_ratio) {
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

QRect ImageSurface::take_dirty() {
    const PixelRect r = take_changed();
    return r.empty() ? QRect() : QRect(r.x, r.y, r.width, r.height);
}

} // namespace radial
