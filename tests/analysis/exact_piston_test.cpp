#include "analysis/exact_piston.h"
#include "core/engine_state.h"
#include "engine_fixture.h"
#include "mechanism/engine_solution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace radial {
namespace {

using testing::r;
constexpr double two_pi = 6.283185307179586;

struct Setting {
    int n;
    double d;
    double rp;
};

// The start values, both ends of the scroll bars, and settings in between.
const std::vector<Setting> settings = {{11, 200, 52.5}, {3, 125, 35},  {35, 285, 75},
                                       {5, 125, 50},    {21, 160, 60}, {7, 285, 0}};

std::vector<double> crank_angles(int count) {
    std::vector<double> angles;
    for (int k = 0; k < count; ++k) {
        angles.push_back(two_pi * k / count + 0.01);
    }
    return angles;
}

TEST(ExactPiston, PlacesPinsAndAxesExactlyWhereTheAnimationDoes) {
    for (const Setting& s : settings) {
        for (const double theta : crank_angles(17)) {
            const auto rows = solve_engine({s.n, s.d, s.rp}, theta);
            for (int i = 1; i <= s.n; ++i) {
                const ExactPiston piston(i, {s.n, s.d, s.rp});
                const auto pin = piston.pin_at(theta);
                const CylinderSolution& row = rows[static_cast<std::size_t>(i - 1)];
                ASSERT_EQ(pin.x, row.wrist_x) << "cylinder " << i << " at " << theta;
                ASSERT_EQ(pin.y, row.wrist_y) << "cylinder " << i << " at " << theta;
                ASSERT_EQ(piston.axis(), row.axis) << "cylinder " << i;
            }
            // The master rod has a closed form in the animation too: its piston pin height.
            EXPECT_EQ(ExactPiston(1, {s.n, s.d, s.rp}).at(theta).distance, rows[0].distance);
        }
    }
}

TEST(ExactPiston, KeepsTheRodLengthWithThePistonOnItsAxis) {
    int checked = 0;
    for (const Setting& s : settings) {
        for (int i = 1; i <= s.n; ++i) {
            const ExactPiston piston(i, {s.n, s.d, s.rp});
            for (const double theta : crank_angles(29)) {
                const PistonMotion m = piston.at(theta);
                if (!m.reaches) {
                    EXPECT_LT(piston.reach_margin(theta), 0);
                    continue;
                }
                const auto pin = piston.pin_at(theta);
                const double px = m.distance * std::sin(piston.axis());
                const double py = m.distance * std::cos(piston.axis());
                ASSERT_NEAR(std::hypot(px - pin.x, py - pin.y), piston.rod(), 1e-9 * s.d);
                // The outer root: the piston lies beyond the foot of the perpendicular.
                ASSERT_GE(m.distance, piston.nearest_axis_point(theta));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(ExactPiston, WithoutEccentricityEveryCylinderIsAPlainSliderCrank) {
    const int n = 9;
    const double d = 180;
    for (int i = 1; i <= n; ++i) {
        const ExactPiston piston(i, {n, d, 0});
        for (const double theta : crank_angles(23)) {
            const double off = theta - piston.axis();
            const double expected =
                r * std::cos(off) + std::sqrt(d * d - r * r * std::sin(off) * std::sin(off));
            EXPECT_NEAR(piston.at(theta).distance, expected, 1e-9);
        }
    }
}

// The bisection keeps its promise (|gap - dd| < 0.1) only where its interval [r/2, 2r + d] holds
// the outer root and no inner one. The gap grows along the axis at the cosine of the rod's angle
// to it, and is convex, so the distance is then within 0.1 over the smaller of the cosines at
// the exact root and at the bisection's answer.
TEST(ExactPiston, AgreesWithTheBisectionWhereItsIntervalHoldsOnlyTheOuterRoot) {
    int checked = 0;
    for (int n = 3; n <= 35; n += 8) {
        for (double d = 125; d <= 285; d += 40) {
            for (double rp = 35; rp <= 75; rp += 10) {
                for (const double theta : crank_angles(90)) {
                    const auto rows = solve_engine({n, d, rp}, theta);
                    for (int i = 2; i <= n; ++i) {
                        const ExactPiston piston(i, {n, d, rp});
                        const PistonMotion m = piston.at(theta);
                        const double foot = piston.nearest_axis_point(theta);
                        const double inner = 2 * foot - m.distance;
                        if (!m.reaches || inner > r / 2 || m.distance < r / 2) {
                            continue;
                        }
                        const auto pin = piston.pin_at(theta);
                        const double found = rows[static_cast<std::size_t>(i - 1)].distance;
                        const double gap = std::hypot(found * std::sin(piston.axis()) - pin.x,
                                                      found * std::cos(piston.axis()) - pin.y);
                        const double cos_exact = (m.distance - foot) / piston.rod();
                        const double cos_found = (found - foot) / gap;
                        const double tolerance = 0.1 / std::min(cos_exact, cos_found);
                        ASSERT_NEAR(found, m.distance, tolerance)
                            << n << ' ' << d << ' ' << rp << " cylinder " << i << " at " << theta;
                        ++checked;
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 50000);
}

// Richardson-extrapolated central difference of f at theta, error O(h^4).
template <typename F> double difference(F f, double theta, double h) {
    const auto central = [&](double step) {
        return (f(theta + step) - f(theta - step)) / (2 * step);
    };
    return (4 * central(h / 2) - central(h)) / 3;
}

TEST(ExactPiston, DerivativesMatchDifferencesOfTheDistance) {
    constexpr double h = 1e-4;
    int checked = 0;
    for (const Setting& s : {settings[0], settings[2], Setting{35, 125, 75}}) {
        for (int i = 1; i <= s.n; i += 3) {
            const ExactPiston piston(i, {s.n, s.d, s.rp});
            const double margin_floor = 0.01 * piston.rod() * piston.rod();
            for (const double theta : crank_angles(37)) {
                if (piston.reach_margin(theta - h) < margin_floor ||
                    piston.reach_margin(theta + h) < margin_floor) {
                    continue;
                }
                const PistonMotion m = piston.at(theta);
                // The velocity from differences of the distance, the acceleration from differences
                // of the velocity; relative to the value, or to the crank radius where the value
                // passes 0.
                const auto distance = [&](double t) { return piston.at(t).distance; };
                const auto velocity = [&](double t) { return piston.at(t).velocity; };
                EXPECT_NEAR(m.velocity, difference(distance, theta, h),
                            1e-6 * std::max(std::abs(m.velocity), r));
                EXPECT_NEAR(m.acceleration, difference(velocity, theta, h),
                            1e-6 * std::max(std::abs(m.acceleration), r));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 200);
}

} // namespace
} // namespace radial
