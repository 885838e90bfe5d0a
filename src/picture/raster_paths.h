#pragma once

#include <cmath>
#include <cstdlib>

namespace radial {

// The one-pixel path of a line from (x, y) to (xe, ye): Bresenham's walk, which moves along one
// axis or both at every step and ends exactly on the end point.
struct LinePath {
    LinePath(int x0, int y0, int x1, int y1)
        : x(x0), y(y0), xe(x1), ye(y1), dx(std::abs(x1 - x0)), sx(x0 < x1 ? 1 : -1),
          dy(-std::abs(y1 - y0)), sy(y0 < y1 ? 1 : -1), err(dx + dy) {}

    bool at_end() const { return x == xe && y == ye; }
    // True when the path is at least as wide as it is tall, so that it never moves along y
    // alone.
    bool along_rows() const { return dx >= -dy; }

    void step() {
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

    int x, y;
    const int xe, ye, dx, sx, dy, sy;
    int err;
};

// The first octant of a midpoint circle of a whole radius about the origin: the points (x, y)
// from (radius, 0) while x >= y, y growing by one at every step; the other seven octants are its
// mirror images (+-x, +-y) and (+-y, +-x).
struct CirclePath {
    explicit CirclePath(int radius) : x(radius), err(1 - radius) {}

    bool at_end() const { return x < y; }

    void step() {
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }

    int x, y = 0;
    int err;
};

} // namespace radial
