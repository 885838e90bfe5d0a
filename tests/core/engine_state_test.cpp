#include "core/engine_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace radial {
namespace {

TEST(EngineState, StartsAllZeroUntilGivenStartValues) {
    const EngineState s;
    EXPECT_EQ(s.n, 0);
    EXPECT_EQ(s.paused + s.vector_shown + s.mouse_sets_speed, 0);
    EXPECT_EQ(s.cam_ring_a.previous, 0);
    EXPECT_EQ(s.cam_ring_b.previous, 0);
    EXPECT_EQ(s.previous_centroid_sum.x, 0);
    for (const PinRow& row : s.pins) {
        EXPECT_TRUE(row == PinRow{});
    }
}

TEST(EngineState, StartValues) {
    EngineState s;
    s.pins[35].piston_y = 3; // left over from an earlier run of the record
    start_values(s);
    EXPECT_EQ(s.pi, 4 * std::atan(1.0));
    EXPECT_EQ(s.n, 11);
    EXPECT_EQ(s.r, 50);
    EXPECT_EQ(s.d, 200);
    EXPECT_EQ(s.start_rod_length, 200);
    EXPECT_EQ(s.rp, 52.5);
    EXPECT_EQ(s.default_crank_step, 0.05);
    EXPECT_EQ(s.crank_step, 0.05);
    EXPECT_EQ(s.theta, 5);
    EXPECT_EQ(s.at_last_clear.n, 11);
    EXPECT_EQ(s.at_last_clear.d, 200);
    EXPECT_EQ(s.at_last_clear.rp, 52.5);
    EXPECT_EQ(s.pins[35].piston_y, 0);
}

TEST(EngineState, ReadoutsCutToTwoDecimals) {
    EngineState s;
    start_values(s);
    EXPECT_EQ(ls_readout(s), 2);
    EXPECT_EQ(eccentricity_readout(s), 1.05);

    s.d = 284.5; // VScroll2 at 331
    EXPECT_EQ(ls_readout(s), 2.84);
    s.d = 285;
    EXPECT_EQ(ls_readout(s), 2.85);
    s.d = 125;
    EXPECT_EQ(ls_readout(s), 1.25);
    s.rp = 75;
    EXPECT_EQ(eccentricity_readout(s), 1.5);
    s.rp = 35;
    EXPECT_EQ(eccentricity_readout(s), 0.7);
}

} // namespace
} // namespace radial
