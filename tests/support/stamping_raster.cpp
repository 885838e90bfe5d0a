#include "stamping_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace radial::testing {

namespace {

inline void stamp(PixelBuffer b, int x, int y, int pen, std::uint32_t value) {
    const int left = x - pen / 2, top = y - pen / 2;
    const int x0 = std::max(0, left), x1 = std::min(b.width, left + pen);
    const int y0 = std::max(0, top), y1 = std::min(b.height, top + pen);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    std::uint32_t* row = b.pixels + static_cast<std::ptrdiff_t>(y0) * b.stride;
    for (int r = y0; r < y1; ++r, row += b.stride) {
        for (int col = x0; col < x1; ++col) {
            row[col] = value;
        }
    }
}

// Liang-Barsky: cuts the segment to the rectangle [lo, hi_x] x [lo, hi_y]; false when it misses.
bool clip(double& x1, double& y1, double& x2, double& y2, double lo, double hi_x, double hi_y) {
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {x1 - lo, hi_x - x1, y1 - lo, hi_y - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) {
                return false;
            }
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const double ox = x1, oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

} // namespace

void stamp_line(PixelBuffer b, double x1, double y1, double x2, double y2, int pen,
                std::uint32_t value) {
    if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2))) {
        return;
    }
    // Far-off ends are cut to a fixed square, never to the buffer: the path of a line must not
    // depend on the buffer's size, or a line drawn before a resize would not erase after it.
    constexpr double reach = 1 << 16;
    if (!clip(x1, y1, x2, y2, -reach, reach, reach)) {
        return;
    }
    int x = static_cast<int>(std::floor(x1)), y = static_cast<int>(std::floor(y1));
    const int xe = static_cast<int>(std::floor(x2)), ye = static_cast<int>(std::floor(y2));
    const int dx = std::abs(xe - x), sx = x < xe ? 1 : -1;
    const int dy = -std::abs(ye - y), sy = y < ye ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        stamp(b, x, y, pen, value);
        if (x == xe && y == ye) {
            return;
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void stamp_circle(PixelBuffer b, double cx, double cy, double radius, int pen,
                  std::uint32_t value) {
    constexpr double largest_radius = 1e5; // far beyond any screen; never reached by the engine
    if (!(std::isfinite(cx) && std::isfinite(cy) && std::isfinite(radius)) || radius < 0 ||
        radius > largest_radius) {
        return;
    }
    const double reach = radius + pen + 1;
    if (cx + reach < 0 || cy + reach < 0 || cx - reach > b.width || cy - reach > b.height) {
        return;
    }
    const int x0 = static_cast<int>(std::floor(cx)), y0 = static_cast<int>(std::floor(cy));
    int x = static_cast<int>(std::lround(radius)), y = 0;
    int err = 1 - x;
    while (x >= y) {
        const int points[8][2] = {{x, y},   {y, x},   {-y, x}, {-x, y},
                                  {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& p : points) {
            stamp(b, x0 + p[0], y0 + p[1], pen, value);
        }
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

} // namespace radial::testing
