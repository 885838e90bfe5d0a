#include "ui/image_surface.h"

#include "ui/pixel_raster.h"

#include <QPainter>

#include <cmath>
#include <utility>

namespace radial {

namespace {

QRgb to_rgb(Colour c) {
    return qRgb(red_of(c), green_of(c), blue_of(c));
}

QImage blank_image(QSize size, qreal device_pixel_ratio) {
    QImage image(size * device_pixel_ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(device_pixel_ratio);
    image.fill(to_rgb(white));
    return image;
}

PixelBuffer pixels_of(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
            static_cast<int>(image.bytesPerLine() / 4)};
}

} // namespace

ImageSurface::ImageSurface(QSize size, qreal device_pixel_ratio)
    : image_(blank_image(size, device_pixel_ratio)), size_(size),
      view_(view_for_client(size.width(), size.height())),
      scale_(pixel_scale(view_, size.width(), size.height())) {}

void ImageSurface::resize(QSize size, qreal device_pixel_ratio) {
    if (size.isEmpty() || (size == size_ && device_pixel_ratio == image_.devicePixelRatio())) {
        return;
    }
    QImage grown = blank_image(size, device_pixel_ratio);
    if (device_pixel_ratio == image_.devicePixelRatio()) {
        QPainter painter(&grown);
        painter.drawImage(QPointF(0, 0), image_);
    }
    image_ = std::move(grown);
    size_ = size;
    view_ = resized_view(view_, scale_, size.width(), size.height());
    dirty_ = QRect(QPoint(0, 0), size_);
}

void ImageSurface::set_view_width(double width) {
    view_.width = width;
    scale_ = pixel_scale(view_, size_.width(), size_.height());
}

void ImageSurface::set_view_height(double height) {
    view_.height = height;
    scale_ = pixel_scale(view_, size_.width(), size_.height());
}

QPointF ImageSurface::to_pixels(double x, double y) const {
    const PixelPoint p = world_to_pixel(view_, scale_, x, y);
    return {p.x, p.y};
}

QPointF ImageSurface::to_world(QPointF pixels) const {
    const PixelPoint p = pixel_to_world(view_, scale_, pixels.x(), pixels.y());
    return {p.x, p.y};
}

QRect ImageSurface::take_dirty() {
    return std::exchange(dirty_, QRect());
}

void ImageSurface::mark_dirty(QRectF pixels) {
    const double margin = pen_width_ + 2;
    const QRectF grown = pixels.normalized().adjusted(-margin, -margin, margin, margin);
    const QRectF visible = grown & QRectF(QPointF(0, 0), QSizeF(size_));
    dirty_ |= visible.toAlignedRect();
}

int ImageSurface::device_pen_width() const {
    return std::max(1, static_cast<int>(std::lround(pen_width_ * image_.devicePixelRatio())));
}

void ImageSurface::clear() {
    image_.fill(to_rgb(white));
    dirty_ = QRect(QPoint(0, 0), size_);
}

void ImageSurface::line(double x1, double y1, double x2, double y2) {
    line(x1, y1, x2, y2, current_colour_);
}

void ImageSurface::line(double x1, double y1, double x2, double y2, Colour colour) {
    const QPointF a = to_pixels(x1, y1), b = to_pixels(x2, y2);
    if (!std::isfinite(a.x() + a.y() + b.x() + b.y())) {
        return;
    }
    const qreal dpr = image_.devicePixelRatio();
    stroke_line(pixels_of(image_), a.x() * dpr, a.y() * dpr, b.x() * dpr, b.y() * dpr,
                device_pen_width(), to_rgb(colour));
    mark_dirty(QRectF(a, b));
}

void ImageSurface::circle(double cx, double cy, double radius) {
    circle(cx, cy, radius, current_colour_);
}

void ImageSurface::circle(double cx, double cy, double radius, Colour colour) {
    const QPointF c = to_pixels(cx, cy);
    const double r = radius * scale_.x; // measured along x, so circles stay round
    if (!std::isfinite(c.x() + c.y() + r)) {
        return;
    }
    const qreal dpr = image_.devicePixelRatio();
    stroke_circle(pixels_of(image_), c.x() * dpr, c.y() * dpr, r * dpr, device_pen_width(),
                  to_rgb(colour));
    mark_dirty(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
}

} // namespace radial
