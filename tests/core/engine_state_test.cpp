#include "core/engine_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace radial {
namespace {

TEST(EngineState, StartsAllZeroUntilGivenStartValues) {
    const EngineState s;
    EXPECT_EQ(s.n, 0);
    EXPECT_EQ(s.w + s.c + s.mou, 0);
    EXPECT_EQ(s.phasea0, 0);
    EXPECT_EQ(s.phaseb0, 0);
    EXPECT_EQ(s.sumx0, 0);
    for (const auto& row : s.pintab) {
        for (double cell : row) {
            EXPECT_EQ(cell, 0);
        }
    }
}

TEST(EngineState, StartValues) {
    EngineState s;
    s.pintab[35][4] = 3; // left over from an earlier run of the record
    start_values(s);
    EXPECT_EQ(s.pi, 4 * std::atan(1.0));
    EXPECT_EQ(s.n, 11);
    EXPECT_EQ(s.r, 50);
    EXPECT_EQ(s.d, 200);
    EXPECT_EQ(s.d0, 200);
    EXPECT_EQ(s.rp, 52.5);
    EXPECT_EQ(s.stepe1, 0.05);
    EXPECT_EQ(s.stepe, 0.05);
    EXPECT_EQ(s.theta, 5);
    EXPECT_EQ(s.nlast, 11);
    EXPECT_EQ(s.dlast, 200);
    EXPECT_EQ(s.rplast, 52.5);
    EXPECT_EQ(s.pintab[35][4], 0);
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
