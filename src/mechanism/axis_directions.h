#pragma once

namespace radial {

// The unit direction of cylinder k's axis (1 to n, cylinder 1 straight up, the rest clockwise):
// the sine and cosine of 2 pi (k - 1) / n.
struct AxisDirection {
    double sin;
    double cos;
};

// Every frame draws and solves along the same n axes, so their directions are worked out once for
// each n and pi and kept (for the calling thread); the values are those of the formula itself.
AxisDirection axis_direction(int k, int n, double pi);

} // namespace radial
