#include "picture/pixel_raster.h"

#include "picture/raster_paths.h"
#include "picture/segment_clip.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace radial {

namespace {

// A whole shape, given by the box its path's points span, whose p x p stamps all lie in the
// buffer; decided once per shape, so that its stamps are written without checks.
bool stamps_inside(PixelBuffer b, int left, int top, int right, int bottom, int pen) {
    const int h = pen / 2;
    return left - h >= 0 && top - h >= 0 && right - h + pen <= b.width &&
           bottom - h + pen <= b.height;
}

// The stamp of pen P whose top-left pixel is at `at`: P pen-wide spans, unchecked.
inline void stamp_at(std::uint32_t* at, std::ptrdiff_t stride, int P, std::uint32_t value) {
    for (int r = 0; r < P; ++r, at += stride) {
        for (int c = 0; c < P; ++c) {
            at[c] = value;
        }
    }
}

// The pixels a stamp of pen P at `at` adds to the one before it, one step away (at most one
// pixel each way): its leading column when it moved across (h, -1 or 1), its leading row when it
// moved up or down (v). Stamping only these leaves exactly the pixels of every stamp whole: each
// stamp is its predecessor and what it adds. A wide pen writes 2 P - 1 pixels a step at most,
// instead of P x P.
inline void stamp_step(std::uint32_t* at, std::ptrdiff_t stride, int P, int h, int v,
                       std::uint32_t value) {
    if (h != 0) {
        std::uint32_t* column = at + (h > 0 ? P - 1 : 0);
        for (int r = 0; r < P; ++r, column += stride) {
            *column = value;
        }
    }
    if (v != 0) {
        std::uint32_t* row = at + (v > 0 ? P - 1 : 0) * stride;
        for (int c = 0; c < P; ++c) {
            row[c] = value;
        }
    }
}

// Bresenham's walk as in LinePath, the position kept as the stamp's top-left pixel: the path
// moves along its longer extent at every step, so it takes exactly that many steps. A pen of
// width W (1 or 2, known to the compiler) is stamped whole at every point; a wider one (W 0, its
// width pen) adds only what each step adds.
template <int W> void line_inside(PixelBuffer b, LinePath path, int pen, std::uint32_t value) {
    const int P = W > 0 ? W : pen;
    const std::ptrdiff_t stride = b.stride, step_y = path.sy * stride;
    std::uint32_t* at = b.pixels + (path.y - P / 2) * stride + (path.x - P / 2);
    const int dx = path.dx, dy = path.dy;
    int err = path.err;
    stamp_at(at, stride, P, value);
    for (int left = std::max(dx, -dy); left > 0; --left) {
        const int e2 = 2 * err;
        int h = 0, v = 0;
        if (e2 >= dy) {
            err += dy;
            at += path.sx;
            h = path.sx;
        }
        if (e2 <= dx) {
            err += dx;
            at += step_y;
            v = path.sy;
        }
        if constexpr (W > 0) {
            stamp_at(at, stride, P, value);
        } else {
            stamp_step(at, stride, P, h, v, value);
        }
    }
}

// The eight mirror images of a first-octant point (x, y): where each lies across and down, as
// multiples of x and y.
struct Mirror {
    int across_x, across_y, down_x, down_y;
};
constexpr Mirror mirrors[8] = {{1, 0, 0, 1},   {0, 1, 1, 0},   {0, -1, 1, 0}, {-1, 0, 0, 1},
                               {-1, 0, 0, -1}, {0, -1, -1, 0}, {0, 1, -1, 0}, {1, 0, 0, -1}};

template <int W>
void circle_inside(PixelBuffer b, int x0, int y0, CirclePath path, int pen, std::uint32_t value) {
    const int P = W > 0 ? W : pen;
    const std::ptrdiff_t s = b.stride;
    std::uint32_t* centre = b.pixels + (y0 - P / 2) * s + (x0 - P / 2);
    const auto at = [&](const Mirror& m, std::ptrdiff_t x, std::ptrdiff_t y) {
        return centre + (m.across_x * x + m.across_y * y) + (m.down_x * x + m.down_y * y) * s;
    };
    if (path.at_end()) {
        return;
    }
    for (const Mirror& m : mirrors) {
        stamp_at(at(m, path.x, path.y), s, P, value);
    }
    for (;;) {
        const int x = path.x, y = path.y;
        path.step();
        if (path.at_end()) {
            return;
        }
        const int dx = path.x - x, dy = path.y - y;
        for (const Mirror& m : mirrors) {
            if constexpr (W > 0) {
                stamp_at(at(m, path.x, path.y), s, P, value);
            } else {
                stamp_step(at(m, path.x, path.y), s, P, m.across_x * dx + m.across_y * dy,
                           m.down_x * dx + m.down_y * dy, value);
            }
        }
    }
}

// Path points that follow one another along a row (or a column) stamp a rectangle together: from
// the first stamp's top-left corner to the last one's bottom-right. It is written row by row, cut
// to the buffer once; the pixels are exactly those of the stamps one by one.
void fill_run(PixelBuffer b, int xa, int ya, int xb, int yb, int pen, std::uint32_t value) {
    const int h = pen / 2;
    const int left = std::max(std::min(xa, xb) - h, 0);
    const int right = std::min(std::max(xa, xb) - h + pen, b.width);
    const int top = std::max(std::min(ya, yb) - h, 0);
    const int bottom = std::min(std::max(ya, yb) - h + pen, b.height);
    if (left >= right || top >= bottom) {
        return;
    }
    std::uint32_t* row = b.pixels + static_cast<std::ptrdiff_t>(top) * b.stride;
    for (int y = top; y < bottom; ++y, row += b.stride) {
        std::fill(row + left, row + right, value);
    }
}

// A line that reaches over the buffer's edge, run by run along its longer extent.
void line_clipped(PixelBuffer b, LinePath path, int pen, std::uint32_t value) {
    const bool along_rows = path.along_rows();
    int run_x = path.x, run_y = path.y;
    while (!path.at_end()) {
        const int px = path.x, py = path.y;
        path.step();
        if (along_rows ? path.y != py : path.x != px) {
            fill_run(b, run_x, run_y, px, py, pen, value);
            run_x = path.x;
            run_y = path.y;
        }
    }
    fill_run(b, run_x, run_y, path.x, path.y, pen, value);
}

// A circle that reaches over the buffer's edge: for every run of first-octant points at one x,
// the four column runs (+-x, +-y) and the four row runs (+-y, +-x) of its mirror images.
void circle_clipped(PixelBuffer b, int x0, int y0, CirclePath path, int pen, std::uint32_t value) {
    int run_y = 0;
    while (!path.at_end()) {
        const int x = path.x, y = path.y;
        path.step();
        if (path.x == x && !path.at_end()) {
            continue;
        }
        for (const int sx : {1, -1}) {
            for (const int sy : {1, -1}) {
                fill_run(b, x0 + sx * x, y0 + sy * run_y, x0 + sx * x, y0 + sy * y, pen, value);
                fill_run(b, x0 + sx * run_y, y0 + sy * x, x0 + sx * y, y0 + sy * x, pen, value);
            }
        }
        run_y = path.y;
    }
}

} // namespace

void stroke_line(PixelBuffer b, double x1, double y1, double x2, double y2, int pen,
                 std::uint32_t value) {
    if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2)) ||
        pen < 1) {
        return;
    }
    // Far-off ends are cut to a fixed square, never to the buffer: the path of a line must not
    // depend on the buffer's size, or a line drawn before a resize would not erase after it.
    constexpr double reach = 1 << 16;
    if (!clip_segment(x1, y1, x2, y2, -reach, -reach, reach, reach)) {
        return;
    }
    const int xa = static_cast<int>(std::floor(x1)), ya = static_cast<int>(std::floor(y1));
    const int xb = static_cast<int>(std::floor(x2)), yb = static_cast<int>(std::floor(y2));
    const LinePath path(xa, ya, xb, yb);
    if (stamps_inside(b, std::min(xa, xb), std::min(ya, yb), std::max(xa, xb), std::max(ya, yb),
                      pen)) {
        switch (pen) {
        case 1:
            return line_inside<1>(b, path, 1, value);
        case 2:
            return line_inside<2>(b, path, 2, value);
        default:
            return line_inside<0>(b, path, pen, value);
        }
    }
    line_clipped(b, path, pen, value);
}

void stroke_circle(PixelBuffer b, double cx, double cy, double radius, int pen,
                   std::uint32_t value) {
    constexpr double largest_radius = 1e5; // far beyond any screen; never reached by the engine
    if (!(std::isfinite(cx) && std::isfinite(cy) && std::isfinite(radius)) || radius < 0 ||
        radius > largest_radius || pen < 1) {
        return;
    }
    const double reach = radius + pen + 1;
    if (cx + reach < 0 || cy + reach < 0 || cx - reach > b.width || cy - reach > b.height) {
        return;
    }
    const int x0 = static_cast<int>(std::floor(cx)), y0 = static_cast<int>(std::floor(cy));
    const int r = static_cast<int>(std::lround(radius));
    const CirclePath path(r);
    if (stamps_inside(b, x0 - r, y0 - r, x0 + r, y0 + r, pen)) {
        switch (pen) {
        case 1:
            return circle_inside<1>(b, x0, y0, path, 1, value);
        case 2:
            return circle_inside<2>(b, x0, y0, path, 2, value);
        default:
            return circle_inside<0>(b, x0, y0, path, pen, value);
        }
    }
    circle_clipped(b, x0, y0, path, pen, value);
}

} // namespace radial
