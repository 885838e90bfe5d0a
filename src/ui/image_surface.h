#pragma once

#include "picture/pixel_surface.h"

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>

namespace radial {

// The drawing surface of the window: the animation's pixel surface, seen by Qt as an image over
// the very same pixels (no copy), in device pixels on a high-dpi screen.
class ImageSurface final : public PixelSurface {
public:
    // size is the client area in logical pixels; the view is the design view for that size. The
    // pixels live in store, or on the heap without one.
    explicit ImageSurface(QSize size = {design_width_px, design_height_px},
                          qreal device_pixel_ratio = 1.0, PixelStore* store = nullptr);

    // As PixelSurface::resize, in Qt's terms.
    void resize(QSize size, qreal device_pixel_ratio);

    const QImage& image() const { return image_; }
    QSize size() const { return {width(), height()}; }

    // Where a world point lands, in logical pixels of the client area.
    QPointF to_pixels(double x, double y) const;
    // The world point under a position in logical pixels of the client area.
    QPointF to_world(QPointF pixels) const;

    // The part of the client area drawn on since the last call, in logical pixels: the region of
    // small rectangles around just the shapes drawn and erased. It starts a new changed area.
    QRegion take_dirty_region();

private:
    // Points image_ at the pixels again, after they moved.
    void wrap_pixels();

    QImage image_;
};

} // namespace radial
