#include "controls/parameter_bars.h"
#include "mechanism/cam_rings.h"
#include "mechanism/centroid_vector.h"
#include "mechanism/crank.h"
#include "mechanism/link_rods.h"

#include "engine_fixture.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace radial {
namespace {

constexpr double crank_angles[] = {
    0, 0.3, 1.5707963267948966, 2.2, 3.141592653589793, 4.0, 5.05, 6.0, 12.5, -3.3};

// Draws one whole frame of the engine at each crank angle and checks every coordinate drawn,
// and that every link rod that found its root holds its length.
void expect_finite_frames(int n, double d, double rp) {
    for (const double theta : crank_angles) {
        EngineState s = testing::engine_at(theta, n, d, rp);
        s.cam_ring_a.current = theta / (n + 1);
        s.cam_ring_b.current = -theta / (n - 1);
        testing::RecordingSurface surface;
        draw_axes(s, surface);
        draw_cam_rings(s, surface);
        draw_crank_and_master_rod(s, surface);
        draw_link_rods(s, surface);
        draw_centroid_vector(s, surface);
        for (const auto& call : surface.calls) {
            ASSERT_TRUE(std::isfinite(call.a) && std::isfinite(call.b) && std::isfinite(call.c) &&
                        std::isfinite(call.d))
                << "n " << n << " d " << d << " rp " << rp << " theta " << theta;
        }
        for (int i = 2; i <= n; ++i) {
            const LinkRod rod = solve_link_rod(s, i);
            if (rod.midpoints < max_midpoints) {
                ASSERT_NEAR(std::hypot(rod.piston_x - rod.wrist_x, rod.piston_y - rod.wrist_y),
                            s.link_rod_length, gap_tolerance);
            }
        }
    }
}

// Every engine the scroll bars can reach, through the bars' own handlers: each bar over its whole
// range with the other two at both ends of theirs.
TEST(ParameterSweep, EveryCylinderCountBarValue) {
    for (int v = 3; v <= 35; ++v) {
        ASSERT_LE(cylinders_from_bar(v), max_cylinders);
        for (const double d : {125.0, 285.0}) {
            for (const double rp : {35.0, 75.0}) {
                expect_finite_frames(cylinders_from_bar(v), d, rp);
            }
        }
    }
}

TEST(ParameterSweep, EveryRodLengthBarValue) {
    for (int v = 330; v <= 650; ++v) {
        for (const int n : {3, 35}) {
            for (const double rp : {35.0, 75.0}) {
                expect_finite_frames(n, rod_length_from_bar(v, 50), rp);
            }
        }
    }
}

TEST(ParameterSweep, EveryEccentricityBarValue) {
    for (int v = 50; v <= 130; ++v) {
        for (const int n : {3, 35}) {
            for (const double d : {125.0, 285.0}) {
                expect_finite_frames(n, d, wrist_radius_from_bar(v, 50));
            }
        }
    }
}

} // namespace
} // namespace radial
