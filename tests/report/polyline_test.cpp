#include "report/polyline.h"

#include <gtest/gtest.h>

namespace radial {
namespace {

// Each case: a polyline in tenths of a pixel and the points that draw it to within one tenth.
TEST(SimplifiedPolyline, KeepsExactlyThePointsOutOfTolerance) {
    struct Case {
        const char* what;
        std::vector<TenthPoint> points, kept;
    };
    const Case cases[] = {
        {"a straight line keeps its ends",
         {{0, 0}, {5, 5}, {10, 10}, {20, 20}},
         {{0, 0}, {20, 20}}},
        {"a point one tenth off the line goes", {{0, 0}, {10, 1}, {20, 0}}, {{0, 0}, {20, 0}}},
        {"a point two tenths off stays", {{0, 0}, {10, 2}, {20, 0}}, {{0, 0}, {10, 2}, {20, 0}}},
        // On the line through the span's ends, but two tenths beyond the segment's end: measured
        // from the end, it stays; one tenth beyond, it goes.
        {"beyond an end counts from the end",
         {{0, 0}, {10, 0}, {12, 0}, {10, 0}},
         {{0, 0}, {12, 0}, {10, 0}}},
        {"one tenth beyond an end goes", {{0, 0}, {10, 0}, {11, 0}, {10, 0}}, {{0, 0}, {10, 0}}},
        {"within a tenth of a span of no length goes", {{0, 0}, {1, 0}, {0, 0}}, {{0, 0}, {0, 0}}},
        {"the farthest point splits first",
         {{0, 0}, {10, 4}, {20, 9}, {30, 4}, {40, 0}},
         {{0, 0}, {20, 9}, {40, 0}}},
        {"two points are kept as they are", {{0, 0}, {3, 4}}, {{0, 0}, {3, 4}}},
        {"a closed run keeps the point away from both ends",
         {{0, 0}, {5, 5}, {0, 0}},
         {{0, 0}, {5, 5}, {0, 0}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(simplified_polyline(c.points, 1), c.kept) << c.what;
    }
}

} // namespace
} // namespace radial
