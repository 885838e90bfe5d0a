#include "mechanism/centroid_vector.h"

#include "mechanism/crank.h"
#include "mechanism/link_rods.h"

#include "engine_fixture.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <vector>

namespace radial {
namespace {

using testing::line_call;

// The record after frame steps 10 and 11 at crank angle theta.
EngineState drawn_at(double theta, testing::RecordingSurface& surface) {
    EngineState s = testing::engine_at(theta);
    draw_crank_and_master_rod(s, surface);
    draw_link_rods(s, surface);
    surface.calls.clear();
    return s;
}

TEST(CentroidVector, FirstTimeErasesAZeroLengthLineThenDrawsTheMean) {
    testing::RecordingSurface surface;
    EngineState s = drawn_at(0, surface);
    draw_centroid_vector(s, surface);
    EXPECT_NEAR(s.centroid_sum.x, 0, 1e-9);
    EXPECT_NEAR(s.centroid_sum.y, 275.219, 5e-4);
    ASSERT_EQ(surface.calls.size(), 2U);
    EXPECT_EQ(surface.calls[0], line_call(0, 0, 0, 0, white, 1));
    const auto& drawn = surface.calls[1];
    EXPECT_EQ(drawn.kind, testing::DrawCall::Kind::line);
    EXPECT_EQ(drawn.colour, orange_brown);
    EXPECT_EQ(drawn.pen, 1);
    EXPECT_EQ(drawn.a, 0);
    EXPECT_EQ(drawn.b, 0);
    EXPECT_NEAR(drawn.c, 0, 1e-9);
    EXPECT_NEAR(drawn.d, 239.441, 5e-4);
    EXPECT_EQ(surface.current_colour, orange_brown);
}

TEST(CentroidVector, SumsAllPistonPinsIncludingTheMaster) {
    testing::RecordingSurface surface;
    EngineState s = drawn_at(5.05, surface);
    double sumx = 0, sumy = 0;
    for (int i = 1; i <= s.n; ++i) {
        sumx += s.pins[i].piston_x;
        sumy += s.pins[i].piston_y;
    }
    draw_centroid_vector(s, surface);
    EXPECT_EQ(s.centroid_sum.x, sumx);
    EXPECT_EQ(s.centroid_sum.y, sumy);
    EXPECT_NEAR(surface.calls[1].c, -239.997, 5e-4);
    EXPECT_NEAR(surface.calls[1].d, 99.032, 5e-4);
}

TEST(CentroidVector, ErasesThePreviousVector) {
    testing::RecordingSurface surface;
    EngineState s = drawn_at(0, surface);
    draw_centroid_vector(s, surface);
    const auto first = surface.calls[1];
    surface.calls.clear();
    s.pins[1].piston_y += 11; // the master piston moved up by 11 units
    draw_centroid_vector(s, surface);
    EXPECT_NEAR(s.previous_centroid_sum.y, 275.219, 5e-4);
    EXPECT_EQ(surface.calls[0], line_call(0, 0, first.c, first.d, white, 1));
    EXPECT_NEAR(surface.calls[1].d - first.d, 9.57, 1e-9);
}

} // namespace
} // namespace radial
