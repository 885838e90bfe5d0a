#include "picture/segment_clip.h"

#include <gtest/gtest.h>

#include <array>

namespace radial {
namespace {

// Segments against the rectangle [0, 10] x [0, 20]: the ends after clipping, exactly, or a miss
// with the ends as they were.
TEST(SegmentClip, CutsToTheRectangleOrMissesLeavingTheEnds) {
    struct Case {
        std::array<double, 4> segment;
        bool hits;
        std::array<double, 4> clipped;
    };
    const Case cases[] = {
        {{2, 3, 8, 15}, true, {2, 3, 8, 15}},      // inside: untouched
        {{-10, 5, 20, 5}, true, {0, 5, 10, 5}},    // across, both ends cut
        {{5, -5, 5, 25}, true, {5, 0, 5, 20}},     // upright, across top and bottom
        {{-5, -10, 15, 30}, true, {0, 0, 10, 20}}, // the diagonal, corner to corner
        {{10, 0, 20, 0}, true, {10, 0, 10, 0}},    // touching a corner only
        {{-1, 5, -1, 15}, false, {-1, 5, -1, 15}}, // left of it
        {{11, -1, 20, 5}, false, {11, -1, 20, 5}}, // beyond a corner
        {{-5, 16, 5, 26}, false, {-5, 16, 5, 26}}, // passing the corner (0, 20) outside
        {{3, 4, 3, 4}, true, {3, 4, 3, 4}},        // a point inside
        {{30, 4, 30, 4}, false, {30, 4, 30, 4}},   // a point outside
    };
    for (const Case& c : cases) {
        auto [x1, y1, x2, y2] = c.segment;
        EXPECT_EQ(clip_segment(x1, y1, x2, y2, 0, 0, 10, 20), c.hits)
            << c.segment[0] << "," << c.segment[1] << " " << c.segment[2] << "," << c.segment[3];
        EXPECT_EQ((std::array{x1, y1, x2, y2}), c.clipped);
    }
}

} // namespace
} // namespace radial
