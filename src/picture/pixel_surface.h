#pragma once

#include "core/surface.h"
#include "picture/changed_area.h"
#include "picture/pixel_raster.h"
#include "picture/pixel_rect.h"
#include "picture/pixel_store.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace radial {

// The pixel value of a colour: 0xFFRRGGBB, the layout of a 32-bit RGB image.
constexpr std::uint32_t pixel_value(Colour c) {
    return 0xFF000000u | static_cast<std::uint32_t>(red_of(c)) << 16 |
           static_cast<std::uint32_t>(green_of(c)) << 8 | static_cast<std::uint32_t>(blue_of(c));
}

// The bytes of the same pixel value in memory order red, green, blue, alpha (a little-endian
// 0xFFBBGGRR): the layout of a web page's canvas.
constexpr std::uint32_t canvas_pixel_value(Colour c) {
    return 0xFF000000u | static_cast<std::uint32_t>(blue_of(c)) << 16 |
           static_cast<std::uint32_t>(green_of(c)) << 8 | static_cast<std::uint32_t>(red_of(c));
}

// Which of the two a picture holds.
enum class PixelOrder { argb_words, canvas_bytes };

// The animation's picture as pixels: a client area of width x height logical pixels, held at
// device_pixel_ratio device pixels each (pen widths scale like everything else), stroked
// hard-edged by pixel_raster so that drawing a shape again in white removes it pixel for pixel.
// The window shows it and the picture files are made of it. It remembers which part changed since
// it was last asked.
class PixelSurface : public Surface {
public:
    // The view is the design view for the size. The pixels live in store, which must outlast the
    // surface, or on the heap without one; they hold pixel_value()s, or canvas_pixel_value()s.
    PixelSurface(int width, int height, double device_pixel_ratio = 1.0,
                 PixelStore* store = nullptr, PixelOrder order = PixelOrder::argb_words);

    // Follows the client area: what was drawn stays where it was, and the view keeps its left,
    // top and unit sizes, showing more or less world to the right and below. An empty area is
    // ignored; a new device pixel ratio starts from a blank picture, since the old one cannot be
    // carried over pixel for pixel.
    void resize(int width, int height, double device_pixel_ratio);

    // Logical size, and the pixels themselves (device pixels, row after row).
    int width() const { return width_; }
    int height() const { return height_; }
    double device_pixel_ratio() const { return device_pixel_ratio_; }
    PixelBuffer pixels() { return {pixels_.get(), device_width_, device_height_, device_width_}; }
    std::span<const std::uint32_t> data() const { return {pixels_.get(), pixel_count()}; }
    int device_width() const { return device_width_; }
    int device_height() const { return device_height_; }

    // Where a world point lands, and the world point under a position, in logical pixels.
    PixelPoint pixel_of(double x, double y) const;
    PixelPoint world_of(double px, double py) const;
    // Logical pixels per world unit; circle radii go by its x.
    PixelScale scale() const { return scale_; }

    // The part of the client area drawn on since the last call, in logical pixels: the rectangles
    // of ChangedArea::take_rects around just the shapes drawn and erased. It starts a new changed
    // area.
    std::vector<PixelRect> take_changed_rects();

    void clear() override;
    void set_pen_width(int pixels) override { pen_width_ = pixels; }
    void set_current_colour(Colour colour) override { current_colour_ = colour; }
    Colour get_current_colour() const override { return current_colour_; }
    Colour background_colour() const override { return white; }
    using Surface::circle;
    using Surface::line;
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void circle(double cx, double cy, double radius, Colour colour) override;
    View get_view() const override { return view_; }
    void set_view_height(double height) override;
    void set_view_width(double width) override;
    void set_view_left(double left) override { view_.left = left; }
    void set_view_top(double top) override { view_.top = top; }

private:
    // Gives blocks back to the store they came from.
    struct Release {
        PixelStore* store;
        void operator()(std::uint32_t* block) const noexcept;
    };
    using Pixels = std::unique_ptr<std::uint32_t[], Release>;

    // A block of device_width x device_height white pixels.
    Pixels white_pixels(int device_width, int device_height) const;
    std::size_t pixel_count() const {
        return static_cast<std::size_t>(device_width_) * static_cast<std::size_t>(device_height_);
    }
    int device_pen_width() const;
    std::uint32_t value_of(Colour c) const {
        return order_ == PixelOrder::argb_words ? pixel_value(c) : canvas_pixel_value(c);
    }
    // How far, in logical pixels, a stroke's pixels may lie from its ideal shape.
    double stroke_margin() const { return pen_width_ + 2; }

    int width_;
    int height_;
    double device_pixel_ratio_;
    int device_width_;
    int device_height_;
    PixelStore* store_;
    PixelOrder order_;
    Pixels pixels_;
    View view_;
    // Kept across resizes, so a shape drawn before one is erased exactly after it.
    PixelScale scale_;
    int pen_width_ = 1;
    Colour current_colour_ = black;
    ChangedArea changed_;
};

} // namespace radial
