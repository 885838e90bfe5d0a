#pragma once

#include <algorithm>
#include <cmath>

namespace radial {

// A rectangle of whole pixels: x, y its top-left corner, empty when either side is 0.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The smallest rectangle holding both; an empty one adds nothing.
inline PixelRect united(PixelRect a, PixelRect b) {
    if (a.empty()) {
        return b;
    }
    if (b.empty()) {
        return a;
    }
    const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.width, b.x + b.width);
    const int bottom = std::max(a.y + a.height, b.y + b.height);
    return {left, top, right - left, bottom - top};
}

// The device pixels that show a rectangle of logical pixels at device_pixel_ratio device pixels
// each: every device pixel it touches, cut to a device area of width x height.
inline PixelRect device_rect(PixelRect logical, double device_pixel_ratio, int width, int height) {
    const double dpr = device_pixel_ratio;
    const int x0 = std::max(0, static_cast<int>(std::floor(logical.x * dpr)));
    const int y0 = std::max(0, static_cast<int>(std::floor(logical.y * dpr)));
    const int x1 = std::min(width, static_cast<int>(std::ceil((logical.x + logical.width) * dpr)));
    const int y1 =
        std::min(height, static_cast<int>(std::ceil((logical.y + logical.height) * dpr)));
    return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

} // namespace radial
