#pragma once

#include "picture/pixel_raster.h"

namespace radial::testing {

// The first rasterizer, kept as the reference the run-writing one must match pixel for pixel: a
// bounds-checked p x p square stamped at every point of the one-pixel path.
void stamp_line(PixelBuffer buffer, double x1, double y1, double x2, double y2, int pen,
                std::uint32_t value);
void stamp_circle(PixelBuffer buffer, double cx, double cy, double radius, int pen,
                  std::uint32_t value);

} // namespace radial::testing
