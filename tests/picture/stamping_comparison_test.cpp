// The run-writing rasterizer against the stamping one it replaced, kept in support/ as the
// reference: the same pixels, stroke for stroke.
#include "picture/pixel_raster.h"
#include "stamping_raster.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace radial {
namespace {

using testing::stamp_circle;
using testing::stamp_line;

struct Buffer {
    int width, height;
    std::vector<std::uint32_t> pixels =
        std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), 0);
    PixelBuffer view() { return {pixels.data(), width, height, width}; }
};

// Where two buffers first differ, for the failure message.
std::string first_difference(const Buffer& a, const Buffer& b) {
    for (std::size_t k = 0; k < a.pixels.size(); ++k) {
        if (a.pixels[k] != b.pixels[k]) {
            return "pixel (" + std::to_string(k % static_cast<std::size_t>(a.width)) + ", " +
                   std::to_string(k / static_cast<std::size_t>(a.width)) + ")";
        }
    }
    return "none";
}

// Strokes of every pen from 1 to 9 (and none) at every slope and radius, inside the buffer, across
// its edges and far beyond them, each in its own value so that the order of overlaps shows too.
TEST(StampingComparison, RandomStrokesCoverTheSamePixels) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> near(-40, 240), far(-1e6, 1e6), radius(0, 150);
    std::uniform_int_distribution<int> pen(-1, 9), kind(0, 9);
    for (const auto& [width, height] : {std::pair{200, 150}, std::pair{37, 211}}) {
        Buffer runs{width, height}, stamps{width, height};
        for (std::uint32_t value = 1; value <= 4000; ++value) {
            const int p = pen(random), k = kind(random);
            const double x1 = near(random), y1 = near(random);
            const double x2 = k == 0 ? far(random) : near(random), y2 = near(random);
            if (k < 6) {
                stroke_line(runs.view(), x1, y1, x2, y2, p, value);
                stamp_line(stamps.view(), x1, y1, x2, y2, p, value);
            } else {
                const double r = k == 9 ? radius(random) / 10 : radius(random);
                stroke_circle(runs.view(), x1, y1, r, p, value);
                stamp_circle(stamps.view(), x1, y1, r, p, value);
            }
            ASSERT_EQ(runs.pixels, stamps.pixels)
                << "stroke " << value << " differs first at " << first_difference(runs, stamps);
        }
    }
}

} // namespace
} // namespace radial
