#pragma once

#include <cstdint>

namespace radial {

// A block of 32-bit pixels, row after row, stride pixels apart.
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// Hard-edged strokes in device pixels: every pixel a stroke touches gets exactly its value, and
// the same stroke with the same arguments touches exactly the same pixels, so stroking it again in
// the background colour erases it. A pen of width p stamps a p x p square at every point of the
// one-pixel path (a Bresenham line, a midpoint circle), and the path depends on the arguments
// alone, not on the buffer's size. Parts outside the buffer are clipped; non-finite arguments draw
// nothing.
void stroke_line(PixelBuffer buffer, double x1, double y1, double x2, double y2, int pen,
                 std::uint32_t value);
void stroke_circle(PixelBuffer buffer, double cx, double cy, double radius, int pen,
                   std::uint32_t value);

} // namespace radial
