#include "analysis/engine_balance.h"
#include "core/engine_state.h"
#include "engine_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace radial {
namespace {

using testing::r;
constexpr double pi = std::numbers::pi;
// What the orders promise, in multiples of m r omega^2.
constexpr double accuracy = 1e-9;

// Every rod on the crankpin itself: every cylinder a plain slider-crank turned to its axis.
class PlainSliderCranks : public ::testing::TestWithParam<int> {};

// Cylinder i contributes the force (1/r) t''(theta - a_i) along its axis; the harmonic of order
// m of a slider-crank's acceleration lands on forward order m where n divides m - 1 and on
// backward order m where n divides m + 1. Nothing else survives the sum over the cylinders.
TEST_P(PlainSliderCranks, LeaveTheHalfPrimaryForwardAndOnlyOrdersNextToMultiplesOfN) {
    const int n = GetParam();
    const EngineBalance b = balance_engine({n, 125, 0}, 50);
    ASSERT_TRUE(b.converged);
    EXPECT_NEAR(std::abs(b.orders[0].forward - EngineVector(n / 2.0)), 0, accuracy);
    for (const BalanceOrder& o : b.orders) {
        if ((o.order - 1) % n != 0) {
            EXPECT_LT(std::abs(o.forward), accuracy) << "forward " << o.order;
        }
        if ((o.order + 1) % n != 0) {
            EXPECT_LT(std::abs(o.backward), accuracy) << "backward " << o.order;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cylinders, PlainSliderCranks, ::testing::Values(3, 5, 7, 11, 35));

// A slider-crank's second harmonic of force per cylinder is lambda + lambda^3/4 + 15 lambda^5/128
// + O(lambda^7), lambda = r/l; three cylinders add half of it three times, backward at phase 0.
TEST(EngineBalance, ThreePlainSliderCranksLeaveTheTextbookSecondOrderBackward) {
    const double lambda = r / 200;
    const EngineBalance b = balance_engine({3, 200, 0}, 2);
    const RotatingForce primary = rotating_force(b.orders[0].forward);
    EXPECT_NEAR(primary.amplitude, 1.5, accuracy);
    EXPECT_EQ(primary.phase, 0);
    const RotatingForce second = rotating_force(b.orders[1].backward);
    EXPECT_NEAR(second.amplitude,
                1.5 * (lambda + std::pow(lambda, 3) / 4 + 15 * std::pow(lambda, 5) / 128), 1e-5);
    EXPECT_EQ(second.phase, 0);
}

// Eleven cylinders on the crankpin have no second order at all; the start values' link rods add
// one turning forward.
TEST(EngineBalance, ArticulatedRodsAddASecondOrderForward) {
    EXPECT_LT(std::abs(balance_engine({11, 200, 0}, 2).orders[1].forward), accuracy);
    EXPECT_GT(std::abs(balance_engine({11, 200, 52.5}, 2).orders[1].forward), 0.5);
}

struct Engine {
    int n;
    double d;
    double rp;
};

// The start values, both ends of the window's bars, and a rod nearly square to its axis.
const Engine engines[] = {{11, 200, 52.5}, {3, 125, 35}, {35, 285, 75}, {3, 155, 67.5}};

TEST(EngineBalance, OrdersStayPutWhenTheSamplesDouble) {
    for (const Engine& e : engines) {
        const auto pistons = exact_pistons({e.n, e.d, e.rp});
        const auto coarse = sample_shaking_force(pistons, 4096);
        const auto fine = sample_twice_as_finely(pistons, coarse);
        // The even samples are the coarse ones, the odd ones where sample_shaking_force puts them.
        ASSERT_EQ(fine, sample_shaking_force(pistons, 8192));
        const auto a = balance_orders(coarse, 50);
        const auto b = balance_orders(fine, 50);
        for (std::size_t k = 0; k < a.size(); ++k) {
            EXPECT_LT(std::abs(a[k].forward - b[k].forward), 1e-12) << e.n << ' ' << k + 1;
            EXPECT_LT(std::abs(a[k].backward - b[k].backward), 1e-12) << e.n << ' ' << k + 1;
        }
    }
}

// -(1/r) sum t_i'' u_i with u_i = (sin a_i, cos a_i), from the pistons' own accelerations.
EngineVector direct_force(const std::vector<ExactPiston>& pistons, double theta) {
    double x = 0, y = 0;
    for (const ExactPiston& p : pistons) {
        x -= p.at(theta).acceleration * std::sin(p.axis()) / r;
        y -= p.at(theta).acceleration * std::cos(p.axis()) / r;
    }
    return {y, x};
}

// Engines whose orders above 50 are below 1e-12 (not the last, whose rod nearly square to its
// axis keeps order 48 at 0.04).
TEST(EngineBalance, OrdersAddUpToTheForceOfThePistonAccelerations) {
    for (const Engine& e : {engines[0], engines[1], engines[2]}) {
        const EngineBalance b = balance_engine({e.n, e.d, e.rp}, 50);
        const auto pistons = exact_pistons({e.n, e.d, e.rp});
        ASSERT_TRUE(b.converged);
        for (const double theta : {0.3, 1.7, 2.9, 4.1, 6.0}) {
            EngineVector rebuilt = 0;
            for (const BalanceOrder& o : b.orders) {
                rebuilt += o.forward * std::polar(1.0, o.order * theta) +
                           o.backward * std::polar(1.0, -o.order * theta);
            }
            EXPECT_LT(std::abs(rebuilt - direct_force(pistons, theta)), accuracy)
                << e.n << ' ' << theta;
        }
    }
}

// A scan every 0.001 degree never beats the peaks; they are the scan's within its spacing. Every
// engine is symmetric about cylinder 1's axis, so a peak at theta has its mirror image at
// 2 pi - theta: the first, up to pi, is the one reported.
TEST(EngineBalance, LargestForceWithAndWithoutCounterweightTopsAFineScan) {
    for (const Engine& e : {engines[0], engines[1], Engine{3, 200, 0}}) {
        const EngineBalance b = balance_engine({e.n, e.d, e.rp}, 1);
        const auto pistons = exact_pistons({e.n, e.d, e.rp});
        const EngineVector primary = b.orders[0].forward;
        double plain = 0, balanced = 0;
        for (int k = 0; k < 360000; ++k) {
            const double theta = 2 * pi * k / 360000;
            const EngineVector f = direct_force(pistons, theta);
            plain = std::max(plain, std::abs(f));
            balanced = std::max(balanced, std::abs(f - primary * std::polar(1.0, theta)));
        }
        EXPECT_GE(b.largest.magnitude, plain - 1e-12);
        EXPECT_LT(b.largest.magnitude, plain + 1e-6);
        EXPECT_GE(b.largest_with_counterweight.magnitude, balanced - 1e-12);
        EXPECT_LT(b.largest_with_counterweight.magnitude, balanced + 1e-6);
        EXPECT_NEAR(std::abs(direct_force(pistons, b.largest.theta)), b.largest.magnitude, 1e-12);
        const double at = b.largest_with_counterweight.theta;
        EXPECT_NEAR(std::abs(direct_force(pistons, at) - primary * std::polar(1.0, at)),
                    b.largest_with_counterweight.magnitude, 1e-12);
        EXPECT_LE(b.largest.theta, pi + 1e-6);
        EXPECT_LE(at, pi + 1e-6);
    }
}

// Cylinders 1-3 and 34-35 reach all round (see the summary's test); the others have no force.
TEST(EngineBalance, NamesTheCylindersWhoseRodsCannotReach) {
    const EngineBalance b = balance_engine({35, 125, 75}, 6);
    std::vector<int> expected;
    for (int i = 4; i <= 33; ++i) {
        expected.push_back(i);
    }
    EXPECT_EQ(b.unreachable, expected);
    EXPECT_TRUE(b.orders.empty());
}

// Three rods on the crankpin with a long rod: the golden-section search of the grid's first peak
// ends just below crank angle 0, which must come back into [0, 2 pi).
TEST(EngineBalance, LargestForceAngleLiesWithinOneTurn) {
    const double theta = balance_engine({3, 285, 0}, 1).largest.theta;
    EXPECT_GE(theta, 0);
    EXPECT_LT(theta, 2 * pi);
}

// 31 rods on the crankpin: the force only turns, 15.5 m r omega^2 at every crank angle, and the
// counterweight leaves rounding alone. No angle stands out, so none is picked from the rounding.
TEST(EngineBalance, ForceOfTheSameSizeAllRoundHasNoPeakAngle) {
    const EngineBalance b = balance_engine({31, 150, 0}, 1);
    EXPECT_TRUE(b.largest.constant);
    EXPECT_NEAR(b.largest.magnitude, 15.5, accuracy);
    EXPECT_EQ(b.largest.theta, 0);
    EXPECT_TRUE(b.largest_with_counterweight.constant);
    EXPECT_LT(b.largest_with_counterweight.magnitude, accuracy);
    EXPECT_EQ(b.largest_with_counterweight.theta, 0);
    EXPECT_FALSE(balance_engine({11, 200, 52.5}, 1).largest.constant);
}

// Phases are engine angles: +x is a quarter turn clockwise from cylinder 1.
TEST(RotatingForce, MeasuresPhasesClockwiseFromCylinder1InOneTurn) {
    EXPECT_EQ(rotating_force({0, 2}).phase, pi / 2);
    EXPECT_EQ(rotating_force({0, -2}).phase, 3 * pi / 2);
    EXPECT_EQ(rotating_force({-2, 0}).phase, pi);
    EXPECT_EQ(rotating_force({-2, -1e-300}).phase, pi);
    // Just below a whole turn rounds to 2 pi, which is 0.
    EXPECT_EQ(rotating_force({1, -1e-20}).phase, 0);
    EXPECT_EQ(rotating_force({-9e-13, -1e-13}).phase, 0);
    EXPECT_GT(rotating_force({-1e-12, -1e-13}).phase, pi);
}

} // namespace
} // namespace radial
