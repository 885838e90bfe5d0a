#include "mechanism/crank.h"
#include "mechanism/engine_solution.h"

#include "engine_fixture.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace radial {
namespace {

using testing::circle_call;
using testing::line_call;

TEST(MasterRod, FirstFrameValues) {
    const MasterRod m = solve_master_rod(50, 200, 5.05);
    EXPECT_NEAR(m.crankpin_x, -47.177, 5e-4);
    EXPECT_NEAR(m.crankpin_y, 16.562, 5e-4);
    EXPECT_NEAR(m.beta, -0.23813, 5e-6);
    EXPECT_NEAR(m.piston_height, 210.918, 5e-4);
    EXPECT_NEAR(m.beta, std::asin(m.crankpin_x / 200), testing::tolerance);
}

TEST(MasterRod, DeadCentres) {
    const MasterRod top = solve_master_rod(50, 200, 0);
    EXPECT_EQ(top.beta, 0);
    EXPECT_EQ(top.piston_height, 250);
    const MasterRod twice_round = solve_master_rod(50, 200, 4 * std::acos(-1.0));
    EXPECT_NEAR(twice_round.piston_height, 250, testing::tolerance);
    const MasterRod bottom = solve_master_rod(50, 200, std::acos(-1.0));
    EXPECT_NEAR(bottom.piston_height, 150, testing::tolerance);
}

TEST(MasterRod, KeepsItsLengthAtEveryAngleAndRodLength) {
    for (const double d : {125.0, 200.0, 285.0}) {
        for (double theta = -7; theta < 14; theta += 0.37) {
            const MasterRod m = solve_master_rod(50, d, theta);
            EXPECT_NEAR(std::hypot(m.crankpin_x, m.piston_height - m.crankpin_y), d, 1e-9)
                << d << " " << theta;
        }
    }
}

TEST(CrankAndMasterRod, FirstFrameErasesAtTheOriginThenDrawsAndStores) {
    EngineState s = testing::started_engine();
    s.theta = 5.05;
    testing::RecordingSurface surface;
    solve_frame(s);
    draw_crank_and_master_rod(s, surface);

    const std::vector expected{
        line_call(-10, 0, 10, 0, grey, 1),
        line_call(0, -10, 0, 10, grey, 1),
        circle_call(0, 0, 50, grey, 1),
        line_call(0, 0, 0, 0, white, 2),
        circle_call(0, 0, 10, white, 2),
        circle_call(0, 0, 27, white, 2),
        line_call(s.master_rod.crankpin_x, s.master_rod.crankpin_y, 0, s.master_rod.piston_height,
                  blue, 2),
        circle_call(0, s.master_rod.piston_height, 10, blue, 2),
        circle_call(s.master_rod.crankpin_x, s.master_rod.crankpin_y, 27, blue, 2),
    };
    EXPECT_EQ(surface.calls, expected);
    EXPECT_EQ(surface.pen_width, 2);
    EXPECT_EQ(surface.current_colour, blue);

    const MasterRod m = solve_master_rod(50, 200, 5.05);
    EXPECT_EQ(s.master_rod.crankpin_x, m.crankpin_x);
    EXPECT_EQ(s.master_rod.piston_height, m.piston_height);
    EXPECT_EQ(s.master_rod.beta, m.beta);
    EXPECT_EQ(s.pins[1].body_angle, 0);
    EXPECT_EQ(s.pins[1].wrist_x, m.crankpin_x);
    EXPECT_EQ(s.pins[1].wrist_y, m.crankpin_y);
    EXPECT_EQ(s.pins[1].piston_x, 0);
    EXPECT_EQ(s.pins[1].piston_y, m.piston_height);
}

TEST(CrankAndMasterRod, NextFrameErasesWhereTheLastOneDrew) {
    EngineState s = testing::started_engine();
    s.theta = 5.05;
    testing::RecordingSurface surface;
    solve_frame(s);
    draw_crank_and_master_rod(s, surface);
    const MasterRod old = solve_master_rod(50, 200, 5.05);
    surface.calls.clear();
    s.theta = 5.10;
    solve_frame(s);
    draw_crank_and_master_rod(s, surface);
    ASSERT_EQ(surface.calls.size(), 9U);
    EXPECT_EQ(surface.calls[3],
              line_call(old.crankpin_x, old.crankpin_y, 0, old.piston_height, white, 2));
    EXPECT_EQ(surface.calls[4], circle_call(0, old.piston_height, 10, white, 2));
    EXPECT_EQ(surface.calls[5], circle_call(old.crankpin_x, old.crankpin_y, 27, white, 2));
}

TEST(Axes, OneGreyLineAlongEachCylinderFromBottomToTopDeadCentre) {
    for (const int n : {3, 11, 35}) {
        EngineState s = testing::started_engine();
        s.n = n;
        s.d = 285;
        testing::RecordingSurface surface;
        surface.set_pen_width(2);
        draw_axes(s, surface);
        ASSERT_EQ(surface.calls.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(surface.calls[0], line_call(0, 235, 0, 335, grey, 2));
        for (int k = 1; k <= n; ++k) {
            const auto& call = surface.calls[static_cast<std::size_t>(k - 1)];
            const double phi = 2 * s.pi * (k - 1) / n;
            EXPECT_NEAR(std::atan2(call.c, call.d), std::remainder(phi, 2 * s.pi), 1e-12);
            EXPECT_NEAR(std::hypot(call.a, call.b), 235, 1e-9);
            EXPECT_NEAR(std::hypot(call.c, call.d), 335, 1e-9);
            EXPECT_EQ(call.colour, grey);
        }
        EXPECT_EQ(surface.current_colour, black); // the explicit grey leaves it alone
    }
}

} // namespace
} // namespace radial
