#pragma once

#include "core/surface.h"

#include <QImage>
#include <QRect>
#include <QSize>

namespace radial {

// The drawing surface of the window: an off-screen image as large as the client area (in device
// pixels on a high-dpi screen, where pen widths scale like everything else), stroked hard-edged
// by pixel_raster so that drawing a shape again in white removes it pixel for pixel. It remembers
// which part changed since the window last took it.
class ImageSurface final : public Surface {
public:
    // size is the client area in logical pixels; the view is the design view for that size.
    explicit ImageSurface(QSize size = {711, 695}, qreal device_pixel_ratio = 1.0);

    // Follows the client area: what was drawn stays where it was, and the view keeps its left,
    // top and unit sizes, showing more or less world to the right and below. An empty area is
    // ignored; a new device pixel ratio starts from a blank picture, since the old one cannot be
    // carried over pixel for pixel.
    void resize(QSize size, qreal device_pixel_ratio);

    const QImage& image() const { return image_; }
    QSize size() const { return size_; }

    // Where a world point lands, in logical pixels of the client area.
    QPointF to_pixels(double x, double y) const;
    // The world point under a position in logical pixels of the client area.
    QPointF to_world(QPointF pixels) const;

    // The part of the client area drawn on since the last call, in logical pixels.
    QRect take_dirty();

    void clear() override;
    void set_pen_width(int pixels) override { pen_width_ = pixels; }
    void set_current_colour(Colour colour) override { current_colour_ = colour; }
    Colour background_colour() const override { return white; }
    void line(double x1, double y1, double x2, double y2) override;
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void circle(double cx, double cy, double radius) override;
    void circle(double cx, double cy, double radius, Colour colour) override;
    View get_view() const override { return view_; }
    void set_view_height(double height) override;
    void set_view_width(double width) override;
    void set_view_left(double left) override { view_.left = left; }
    void set_view_top(double top) override { view_.top = top; }

private:
    void mark_dirty(QRectF pixels);
    int device_pen_width() const;

    QImage image_;
    QSize size_;
    View view_;
    // Kept across resizes, so a shape drawn before one is erased exactly after it.
    PixelScale scale_;
    int pen_width_ = 1;
    Colour current_colour_ = black;
    QRect dirty_;
};

} // namespace radial
