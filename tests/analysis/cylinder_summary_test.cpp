#include "analysis/cylinder_summary.h"
#include "core/engine_state.h"
#include "engine_fixture.h"
#include "mechanism/engine_solution.h"
#include "report/angle_degrees.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace radial {
namespace {

using testing::r;
constexpr double degree = std::numbers::pi / 180;

// The angle between two crank angles, in degrees (0 to 180).
double degrees_apart(double a, double b) {
    return std::abs(offset_degrees(a - b));
}

TEST(AngleDegrees, WrapIntoTheirRanges) {
    EXPECT_EQ(crank_degrees(-1e-18), 0);
    EXPECT_EQ(crank_degrees(2 * std::numbers::pi), 0);
    EXPECT_NEAR(crank_degrees(-90 * degree), 270, 1e-12);
    EXPECT_NEAR(crank_degrees(725 * degree), 5, 1e-12);
    EXPECT_EQ(offset_degrees(std::numbers::pi), 180);
    EXPECT_EQ(offset_degrees(-std::numbers::pi), 180);
    EXPECT_NEAR(offset_degrees(-179 * degree), -179, 1e-12);
    EXPECT_NEAR(offset_degrees(181 * degree), -179, 1e-12);
}

TEST(CylinderSummary, MasterStrokeIsTwiceTheCrankRadiusFromZeroTo180) {
    for (const double rp : {0.0, 52.5, 75.0}) {
        const CylinderSummary master = summarise_cylinders({11, 200, rp})[0];
        ASSERT_TRUE(master.reaches);
        EXPECT_NEAR(master.dead_centres.stroke, 2 * r, 1e-9);
        EXPECT_LT(degrees_apart(master.dead_centres.top, 0), 1e-6);
        EXPECT_LT(degrees_apart(master.dead_centres.bottom, std::numbers::pi), 1e-6);
        // Its "bisection" is the closed form itself.
        EXPECT_EQ(master.max_bisection_error, 0);
    }
}

TEST(CylinderSummary, WithoutEccentricityEveryCylinderIsAPlainSliderCrank) {
    for (const CylinderSummary& c : summarise_cylinders({13, 150, 0})) {
        ASSERT_TRUE(c.reaches) << c.cylinder;
        EXPECT_NEAR(c.dead_centres.stroke, 2 * r, 1e-9) << c.cylinder;
        EXPECT_LT(degrees_apart(c.dead_centres.top, c.axis), 1e-6) << c.cylinder;
        EXPECT_LT(degrees_apart(c.dead_centres.bottom, c.axis + std::numbers::pi), 1e-6);
    }
}

TEST(CylinderSummary, MirrorCylindersHaveEqualStrokesAndOppositeOffsets) {
    for (const int n : {5, 11, 35}) {
        const auto cylinders = summarise_cylinders({n, 160, 60});
        for (int i = 2; i <= n; ++i) {
            const CylinderSummary& a = cylinders[static_cast<std::size_t>(i - 1)];
            const CylinderSummary& b = cylinders[static_cast<std::size_t>(n + 1 - i)];
            ASSERT_EQ(a.reaches, b.reaches);
            ASSERT_EQ(a.unreachable.size(), b.unreachable.size());
            if (!a.reaches) {
                continue;
            }
            EXPECT_NEAR(a.dead_centres.stroke, b.dead_centres.stroke, 1e-9);
            EXPECT_NEAR(offset_degrees(a.dead_centres.top - a.axis),
                        -offset_degrees(b.dead_centres.top - b.axis), 1e-6);
            EXPECT_NEAR(offset_degrees(a.dead_centres.bottom - a.axis),
                        -offset_degrees(b.dead_centres.bottom - b.axis), 1e-6);
        }
    }
}

// A scan every 0.001 degree never beats the refined dead centres, and finds them within 0.01.
TEST(CylinderSummary, DeadCentresAreTheExtremesOfAFineScan) {
    const auto cylinders = summarise_cylinders({7, 150, 60});
    for (int i : {2, 3, 4}) {
        const CylinderSummary& c = cylinders[static_cast<std::size_t>(i - 1)];
        ASSERT_TRUE(c.reaches);
        const ExactPiston piston(i, {7, 150, 60});
        double top = 0, bottom = 0, highest = -1e9, lowest = 1e9;
        for (int k = 0; k < 360000; ++k) {
            const double theta = k * 0.001 * degree;
            const double t = piston.at(theta).distance;
            if (t > highest) {
                highest = t, top = theta;
            }
            if (t < lowest) {
                lowest = t, bottom = theta;
            }
        }
        EXPECT_GE(c.dead_centres.stroke, highest - lowest - 1e-12);
        EXPECT_LT(c.dead_centres.stroke, highest - lowest + 1e-6);
        EXPECT_LT(degrees_apart(c.dead_centres.top, top), 0.01) << i;
        EXPECT_LT(degrees_apart(c.dead_centres.bottom, bottom), 0.01) << i;
    }
}

// Independent of the closed form: the nearest the animation's wrist pin comes to the axis,
// scanned along it every 0.1.
double nearest_gap(const CylinderSolution& row) {
    double nearest = 1e9;
    for (double t = -400; t <= 400; t += 0.1) {
        nearest = std::min(nearest, std::hypot(t * std::sin(row.axis) - row.wrist_x,
                                               t * std::cos(row.axis) - row.wrist_y));
    }
    return nearest;
}

bool within(const std::vector<AngleRange>& ranges, double theta) {
    for (const AngleRange& range : ranges) {
        const double turns = std::floor((theta - range.from) / (2 * std::numbers::pi));
        const double unrolled = theta - turns * 2 * std::numbers::pi;
        if (unrolled >= range.from && unrolled <= range.to) {
            return true;
        }
    }
    return false;
}

// n = 35, l/s 1.25, eccentricity 1.5: d = 125, rp = 75, link rods only dd = 50 = r long. At
// theta = a + 90 degrees the crankpin is r off cylinder a's axis, so the wrist pin must sit on
// the axis's side of it, which holds only for axes within atan(2/3) = 33.7 degrees of the
// master's; cylinders 4 and 33 (30.9 degrees) still fall short at other angles. Only 1-3 and
// 34-35 reach all round.
TEST(CylinderSummary, FindsTheRodsThatCannotReachTheirAxes) {
    const int n = 35;
    const auto cylinders = summarise_cylinders({n, 125, 75});
    for (const CylinderSummary& c : cylinders) {
        EXPECT_EQ(c.reaches, c.cylinder <= 3 || c.cylinder >= 34) << c.cylinder;
    }
    int decided = 0;
    for (int k = 0; k < 180; ++k) {
        const double theta = (2 * k + 0.5) * degree;
        for (const CylinderSolution& row : solve_engine({n, 125, 75}, theta)) {
            const double gap = nearest_gap(row);
            const double rod = row.cylinder == 1 ? 125 : 50;
            if (std::abs(gap - rod) < 0.1) {
                continue; // too close to call at the scan's spacing
            }
            const auto& ranges = cylinders[static_cast<std::size_t>(row.cylinder - 1)].unreachable;
            ASSERT_EQ(within(ranges, theta), gap > rod) << row.cylinder << " at " << theta;
            ++decided;
        }
    }
    EXPECT_GT(decided, 6000);
}

TEST(CylinderSummary, RangeEndsAreWhereTheRodJustReaches) {
    const ExactPiston piston(9, {35, 125, 75});
    const auto ranges = unreachable_ranges(piston, summary_grid);
    ASSERT_EQ(ranges.size(), 1U);
    const double scale = piston.rod() * piston.rod();
    EXPECT_NEAR(piston.reach_margin(ranges[0].from), 0, 1e-9 * scale);
    EXPECT_NEAR(piston.reach_margin(ranges[0].to), 0, 1e-9 * scale);
    EXPECT_LT(piston.reach_margin((ranges[0].from + ranges[0].to) / 2), 0);
    EXPECT_GT(piston.reach_margin(ranges[0].from - 1e-6), 0);
    EXPECT_GT(piston.reach_margin(ranges[0].to + 1e-6), 0);
}

// With four grid points no grid angle falls inside cylinder 4's range (132.6 to 174.3 degrees):
// only the search between grid points finds it.
TEST(CylinderSummary, RangesNarrowerThanTheGridAreFound) {
    for (const int i : {4, 16}) {
        const ExactPiston piston(i, {35, 125, 75});
        const auto fine = unreachable_ranges(piston, summary_grid);
        const auto coarse = unreachable_ranges(piston, CrankGrid{4});
        ASSERT_EQ(coarse.size(), fine.size()) << i;
        for (std::size_t k = 0; k < fine.size(); ++k) {
            EXPECT_NEAR(coarse[k].from, fine[k].from, 1e-9);
            EXPECT_NEAR(coarse[k].to, fine[k].to, 1e-9);
        }
    }
}

TEST(CylinderSummary, RodsThatNeverReachHaveOneWholeTurn) {
    // A wrist pin 990 out on a master rod of 1000 leaves link rods 10 long, and the pin circles
    // about a point some 990 off cylinder 2's axis.
    const auto ranges = unreachable_ranges(ExactPiston(2, {3, 1000, 990}), summary_grid);
    ASSERT_EQ(ranges.size(), 1U);
    EXPECT_EQ(ranges[0].to - ranges[0].from, 2 * std::numbers::pi);
}

TEST(CylinderSummary, ReportsTheAnimationsLargestMiss) {
    // Start values: the bisection stays within its tolerance, up to the rods' lean. The master
    // has no bisection: its piston pin height is the closed form.
    for (const CylinderSummary& c : summarise_cylinders({11, 200, 52.5})) {
        EXPECT_LT(c.max_bisection_error, 0.12) << c.cylinder;
        if (c.cylinder == 1) {
            EXPECT_EQ(c.max_bisection_error, 0);
        } else {
            EXPECT_GT(c.max_bisection_error, 0.05) << c.cylinder;
        }
    }
    // Here every rod reaches, yet near 138 degrees cylinder 3's bisection lands 13 short.
    const auto cylinders = summarise_cylinders({3, 155, 67.5});
    const double theta = 1383 * summary_grid.angle(1);
    const double miss = std::abs(solve_engine({3, 155, 67.5}, theta)[2].distance -
                                 ExactPiston(3, {3, 155, 67.5}).at(theta).distance);
    EXPECT_GT(miss, 10);
    EXPECT_GE(cylinders[2].max_bisection_error, miss);
    EXPECT_NEAR(cylinders[1].max_bisection_error, cylinders[2].max_bisection_error, 1e-6);
}

} // namespace
} // namespace radial
