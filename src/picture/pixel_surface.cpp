#include "picture/pixel_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace radial {

namespace {

int device_length(int logical, double device_pixel_ratio) {
    return static_cast<int>(std::lround(logical * device_pixel_ratio));
}

} // namespace

void PixelSurface::Release::operator()(std::uint32_t* block) const noexcept {
    if (store != nullptr) {
        store->deallocate(block);
    } else {
        delete[] block;
    }
}

PixelSurface::PixelSurface(int width, int height, double device_pixel_ratio, PixelStore* store,
                           PixelOrder order)
    : width_(width), height_(height), device_pixel_ratio_(device_pixel_ratio),
      device_width_(device_length(width, device_pixel_ratio)),
      device_height_(device_length(height, device_pixel_ratio)), store_(store), order_(order),
      pixels_(white_pixels(device_width_, device_height_)), view_(view_for_client(width, height)),
      scale_(pixel_scale(view_, width, height)), changed_(width, height) {}

PixelSurface::Pixels PixelSurface::white_pixels(int device_width, int device_height) const {
    const std::size_t count =
        static_cast<std::size_t>(device_width) * static_cast<std::size_t>(device_height);
    Pixels block(store_ != nullptr ? store_->allocate(count) : new std::uint32_t[count],
                 Release{store_});
    std::fill_n(block.get(), count, value_of(white));
    return block;
}

void PixelSurface::resize(int width, int height, double device_pixel_ratio) {
    if (width <= 0 || height <= 0 ||
        (width == width_ && height == height_ && device_pixel_ratio == device_pixel_ratio_)) {
        return;
    }
    const int new_width = device_length(width, device_pixel_ratio);
    const int new_height = device_length(height, device_pixel_ratio);
    Pixels grown = white_pixels(new_width, new_height);
    if (device_pixel_ratio == device_pixel_ratio_) {
        const int columns = std::min(new_width, device_width_);
        for (int y = 0; y < std::min(new_height, device_height_); ++y) {
            std::memcpy(grown.get() +
                            static_cast<std::size_t>(y) * static_cast<std::size_t>(new_width),
                        pixels_.get() +
                            static_cast<std::size_t>(y) * static_cast<std::size_t>(device_width_),
                        static_cast<std::size_t>(columns) * sizeof(std::uint32_t));
        }
    }
    pixels_ = std::move(grown);
    width_ = width;
    height_ = height;
    device_pixel_ratio_ = device_pixel_ratio;
    device_width_ = new_width;
    device_height_ = new_height;
    view_ = resized_view(view_, scale_, width, height);
    changed_ = ChangedArea(width, height);
    changed_.mark_all();
}

void PixelSurface::set_view_width(double width) {
    view_.width = width;
    scale_ = pixel_scale(view_, width_, height_);
}

void PixelSurface::set_view_height(double height) {
    view_.height = height;
    scale_ = pixel_scale(view_, width_, height_);
}

PixelPoint PixelSurface::pixel_of(double x, double y) const {
    return world_to_pixel(view_, scale_, x, y);
}

PixelPoint PixelSurface::world_of(double px, double py) const {
    return pixel_to_world(view_, scale_, px, py);
}

std::vector<PixelRect> PixelSurface::take_changed_rects() {
    return changed_.take_rects();
}

int PixelSurface::device_pen_width() const {
    return std::max(1, static_cast<int>(std::lround(pen_width_ * device_pixel_ratio_)));
}

void PixelSurface::clear() {
    std::fill_n(pixels_.get(), pixel_count(), value_of(white));
    changed_.mark_all();
}

void PixelSurface::line(double x1, double y1, double x2, double y2, Colour colour) {
    const PixelPoint a = pixel_of(x1, y1), b = pixel_of(x2, y2);
    if (!std::isfinite(a.x + a.y + b.x + b.y)) {
        return;
    }
    const double dpr = device_pixel_ratio_;
    stroke_line(pixels(), a.x * dpr, a.y * dpr, b.x * dpr, b.y * dpr, device_pen_width(),
                value_of(colour));
    changed_.mark_segment(a.x, a.y, b.x, b.y, stroke_margin());
}

void PixelSurface::circle(double cx, double cy, double radius, Colour colour) {
    const PixelPoint c = pixel_of(cx, cy);
    const double r = radius * scale_.x; // measured along x, so circles stay round
    if (!std::isfinite(c.x + c.y + r)) {
        return;
    }
    const double dpr = device_pixel_ratio_;
    stroke_circle(pixels(), c.x * dpr, c.y * dpr, r * dpr, device_pen_width(), value_of(colour));
    changed_.mark_circle(c.x, c.y, r, stroke_margin());
}

} // namespace radial
