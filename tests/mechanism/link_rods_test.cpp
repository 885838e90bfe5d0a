#include "mechanism/engine_solution.h"
#include "mechanism/link_rods.h"
#include "mechanism/wrist_pins.h"

#include "mechanism/axis_directions.h"

#include "engine_fixture.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace radial {
namespace {

using testing::circle_call;
using testing::engine_at;
using testing::line_call;

// The directions are kept from call to call; switching between cylinder counts, or asking for an
// axis outside 1..n, must still give the formula's own values, bit for bit.
TEST(AxisDirection, KeptDirectionsAreTheFormulasForEveryCount) {
    const double record_pi = 4 * std::atan(1.0); // the record's pi
    for (int n : {11, 35, 11, 3, 35, 5}) {
        for (int k = 0; k <= n + 1; ++k) {
            const double angle = 2 * record_pi * (k - 1) / n;
            const AxisDirection axis = axis_direction(k, n, record_pi);
            ASSERT_EQ(axis.sin, std::sin(angle)) << "n " << n << ", k " << k;
            ASSERT_EQ(axis.cos, std::cos(angle)) << "n " << n << ", k " << k;
        }
    }
    EXPECT_EQ(axis_direction(2, 11, 3.0).sin, std::sin(2 * 3.0 / 11)); // another pi, another table
}

TEST(BodyAngle, Cylinder2WithStartValues) {
    const double record_pi = 4 * std::atan(1.0); // the record's pi
    EXPECT_NEAR(2 * record_pi / 11, 0.57120, 5e-6);
    EXPECT_NEAR(body_angle(2, {11, 200, 52.5}, record_pi), 0.71360, 5e-6);
    EXPECT_NEAR(body_angle(2, {11, 200, 52.5}, record_pi),
                2 * record_pi / 11 + std::asin(52.5 * std::sin(2 * record_pi / 11) / 200), 1e-12);
}

// A design's listed angles (degrees in the file) and link rod lengths (in its unit) go into the
// pin table in radians and at the animation's scale: a 2.75 in crank drawn as 50, so a 7.95 in
// rod as 144.545...; listed for another cylinder count, they are not used.
TEST(BodyAngle, ListedPinsAndRodsAreTakenInRadiansAtTheAnimationsScale) {
    EngineState s = testing::started_engine();
    EngineDesign design{3, 10.25, 2.3, 2.75};
    design.pin_angles_deg = {90, 270};
    design.link_lengths = {7.95, 8};
    take_design(s, design);
    s.link_rod_length = s.d - s.rp;
    place_wrist_pins(s);
    EXPECT_DOUBLE_EQ(s.pins[2].body_angle, s.pi / 2);
    EXPECT_DOUBLE_EQ(s.pins[3].body_angle, 3 * s.pi / 2);
    EXPECT_DOUBLE_EQ(s.pins[2].link_length, 7.95 * 50 / 2.75);
    EXPECT_DOUBLE_EQ(s.pins[3].link_length, 8 * 50 / 2.75);
    EXPECT_EQ(s.pins[1].link_length, 0);
    EXPECT_DOUBLE_EQ(wrist_pin_degrees(design, 3), 270);
    EXPECT_DOUBLE_EQ(link_rod_length(design, 3), 8);
    design.pin_rule = PinRule::level_tdc;
    design.pin_angles_deg.clear();
    EXPECT_DOUBLE_EQ(wrist_pin_degrees(design, 2),
                     120 + std::asin(2.75 * std::sin(2 * s.pi / 3) / 10.25) * 180 / s.pi);
    s.n = 5; // the lists were for 3
    s.link_rod_length = 147.5;
    place_wrist_pins(s);
    EXPECT_EQ(s.pins[4].link_length, 147.5);
}

TEST(BodyAngle, ComputedForCylinders2ToNOnly) {
    EngineState s = testing::started_engine();
    s.n = 3;
    place_wrist_pins(s);
    EXPECT_EQ(s.pins[1].body_angle, 0);
    EXPECT_NE(s.pins[2].body_angle, 0);
    EXPECT_NE(s.pins[3].body_angle, 0);
    EXPECT_EQ(s.pins[4].body_angle, 0);
    s.n = 35;
    place_wrist_pins(s);
    EXPECT_NEAR(s.pins[35].body_angle, body_angle(35, {35, 200, 52.5}, s.pi), 0);
}

// The bisection's midpoints are sums of powers of two over [25, 300], so these are exact.
TEST(LinkRodSolve, WorkedExampleAtTopDeadCentre) {
    const EngineState s = engine_at(0);
    const double distances[] = {240.24658203125, 215.53955078125, 186.669921875, 163.57421875,
                                151.4892578125,  151.4892578125,  163.57421875,  186.669921875,
                                215.53955078125, 240.24658203125};
    const int midpoints[] = {11, 11, 9, 8, 10, 10, 8, 9, 11, 11};
    for (int i = 2; i <= 11; ++i) {
        const LinkRod rod = solve_link_rod(s, i);
        EXPECT_EQ(rod.distance, distances[i - 2]) << "cylinder " << i;
        EXPECT_EQ(rod.midpoints, midpoints[i - 2]) << "cylinder " << i;
        EXPECT_NEAR(std::hypot(rod.piston_x - rod.wrist_x, rod.piston_y - rod.wrist_y),
                    s.link_rod_length, gap_tolerance);
    }
}

TEST(LinkRodSolve, WithoutARootStopsAfter101MidpointsAtAnEndOfTheInterval) {
    // A rod longer than any gap in [25, 300]: every trial moves the lower bound up.
    const Bisection too_long = bisect_piston(0, 1, 0, 0, 50, 200, 1000);
    EXPECT_EQ(too_long.midpoints, max_midpoints);
    EXPECT_NEAR(too_long.distance, 300, 1e-9);
    // A wrist pin so far out that every gap is too long: the upper bound comes down to 25.
    const Bisection too_short = bisect_piston(0, 1, 0, 1000, 50, 200, 10);
    EXPECT_EQ(too_short.midpoints, max_midpoints);
    EXPECT_NEAR(too_short.distance, 25, 1e-9);
}

TEST(LinkRodSolve, ZeroEccentricityIsAPlainSliderCrank) {
    for (double theta = 0; theta < 6.3; theta += 0.25) {
        const EngineState s = engine_at(theta, 9, 200, 0);
        for (int i = 2; i <= 9; ++i) {
            const LinkRod rod = solve_link_rod(s, i);
            EXPECT_DOUBLE_EQ(rod.wrist_x, s.master_rod.crankpin_x);
            EXPECT_DOUBLE_EQ(rod.wrist_y, s.master_rod.crankpin_y);
            // Crank angle seen from the cylinder's own axis.
            const double rel = theta - rod.axis;
            const double exact =
                50 * std::cos(rel) + std::sqrt(200.0 * 200 - std::pow(50 * std::sin(rel), 2));
            const double lean = std::asin(50 * std::sin(rel) / 200);
            EXPECT_NEAR(rod.distance, exact, gap_tolerance / std::cos(lean)) << theta << " " << i;
        }
    }
}

class LinkRodsByCylinderCount : public ::testing::TestWithParam<int> {};

TEST_P(LinkRodsByCylinderCount, MirrorCylindersMirrorAtDeadCentre) {
    const int n = GetParam();
    const EngineState s = engine_at(0, n);
    for (int i = 2; i <= n; ++i) {
        const LinkRod a = solve_link_rod(s, i);
        const LinkRod b = solve_link_rod(s, n + 2 - i);
        EXPECT_EQ(a.distance, b.distance) << i;
        EXPECT_EQ(a.midpoints, b.midpoints) << i;
        EXPECT_NEAR(a.piston_x, -b.piston_x, 1e-9);
        EXPECT_NEAR(a.piston_y, b.piston_y, 1e-9);
    }
}

TEST_P(LinkRodsByCylinderCount, DrawsEachCylinderEraseStoreDraw) {
    const int n = GetParam();
    EngineState s = engine_at(5.05, n);
    testing::RecordingSurface surface;
    surface.set_pen_width(2);
    draw_link_rods(s, surface);
    ASSERT_EQ(surface.calls.size(), static_cast<std::size_t>(6 * (n - 1)));
    for (int i = 2; i <= n; ++i) {
        const LinkRod rod = solve_link_rod(s, i);
        const std::vector expected{
            circle_call(0, 0, 10, white, 2),
            circle_call(0, 0, 10, white, 2),
            line_call(0, 0, 0, 0, white, 2),
            circle_call(rod.wrist_x, rod.wrist_y, 10, blue, 2),
            circle_call(rod.piston_x, rod.piston_y, 10, blue, 2),
            line_call(rod.wrist_x, rod.wrist_y, rod.piston_x, rod.piston_y, red, 2),
        };
        const auto first = surface.calls.begin() + 6 * (i - 2);
        EXPECT_EQ(std::vector(first, first + 6), expected) << "cylinder " << i;
        EXPECT_EQ(s.pins[i].wrist_x, rod.wrist_x);
        EXPECT_EQ(s.pins[i].wrist_y, rod.wrist_y);
        EXPECT_EQ(s.pins[i].piston_x, rod.piston_x);
        EXPECT_EQ(s.pins[i].piston_y, rod.piston_y);
    }
    EXPECT_EQ(surface.current_colour, red);
    EXPECT_EQ(s.pins[1].wrist_x, 0); // the master rod's row is not theirs
    if (n < 35) {
        EXPECT_EQ(s.pins[n + 1].piston_x, 0);
    }

    // The next frame erases exactly what this one drew.
    const EngineState before = s;
    surface.calls.clear();
    s.theta = 5.10;
    solve_frame(s);
    draw_link_rods(s, surface);
    for (int i = 2; i <= n; ++i) {
        const PinRow& row = before.pins[i];
        const auto k = static_cast<std::size_t>(6 * (i - 2));
        EXPECT_EQ(surface.calls[k], circle_call(row.wrist_x, row.wrist_y, 10, white, 2));
        EXPECT_EQ(surface.calls[k + 1], circle_call(row.piston_x, row.piston_y, 10, white, 2));
        EXPECT_EQ(surface.calls[k + 2],
                  line_call(row.wrist_x, row.wrist_y, row.piston_x, row.piston_y, white, 2));
    }
}

INSTANTIATE_TEST_SUITE_P(CylinderCounts, LinkRodsByCylinderCount, ::testing::Values(3, 5, 11, 35));

} // namespace
} // namespace radial
