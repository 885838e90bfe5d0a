#include "picture/pixel_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace radial {
namespace {

struct Canvas {
    static constexpr int w = 40, h = 30;
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(w * h, 0);
    PixelBuffer buffer() { return {pixels.data(), w, h, w}; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * w + x)]; }
    long count(std::uint32_t v) const { return std::count(pixels.begin(), pixels.end(), v); }
};

TEST(PixelRaster, LinesAreUnbrokenFromEndToEnd) {
    Canvas c;
    stroke_line(c.buffer(), 2.5, 3.5, 30.5, 17.5, 1, 7);
    EXPECT_EQ(c.at(2, 3), 7U);
    EXPECT_EQ(c.at(30, 17), 7U);
    EXPECT_EQ(c.count(7), 29); // one pixel per column of the longer extent
    Canvas wide;
    stroke_line(wide.buffer(), 5, 10, 25, 10, 2, 9);
    EXPECT_EQ(wide.count(9), 2 * (21 + 1)); // 2 x 2 stamps on 21 points overlap to 22 columns
}

TEST(PixelRaster, FarOffCoordinatesAreClippedNotWalked) {
    Canvas c;
    stroke_line(c.buffer(), -1e12, 15.5, 1e12, 15.5, 1, 5);
    EXPECT_EQ(c.count(5), Canvas::w);
    stroke_line(c.buffer(), -1e12, -1e12, -1e11, -5, 2, 6);
    EXPECT_EQ(c.count(6), 0);
    stroke_circle(c.buffer(), 1e9, 1e9, 3, 1, 6);
    EXPECT_EQ(c.count(6), 0);
}

TEST(PixelRaster, CirclesAreSymmetricAndZeroLengthLinesAreADot) {
    Canvas c;
    stroke_circle(c.buffer(), 20.5, 15.5, 8, 1, 3);
    EXPECT_EQ(c.at(28, 15), 3U);
    EXPECT_EQ(c.at(12, 15), 3U);
    EXPECT_EQ(c.at(20, 23), 3U);
    EXPECT_EQ(c.at(20, 7), 3U);
    EXPECT_EQ(c.at(20, 15), 0U); // never filled
    Canvas dot;
    stroke_line(dot.buffer(), 4.2, 4.7, 4.2, 4.7, 2, 1);
    EXPECT_EQ(dot.count(1), 4);
}

TEST(PixelRaster, NonFiniteOrAbsurdArgumentsDrawNothing) {
    Canvas c;
    stroke_line(c.buffer(), NAN, 1, 2, 3, 1, 1);
    stroke_line(c.buffer(), 1, 1, INFINITY, 3, 1, 1);
    stroke_circle(c.buffer(), 10, 10, NAN, 1, 1);
    stroke_circle(c.buffer(), 10, 10, -4, 1, 1);
    stroke_circle(c.buffer(), 10, 10, 1e300, 1, 1);
    EXPECT_EQ(c.count(1), 0);
}

} // namespace
} // namespace radial
