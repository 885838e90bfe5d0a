#include "mechanism/cam_rings.h"

#include "core/frame_loop.h"
#include "engine_fixture.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace radial {
namespace {

using testing::circle_call;
using testing::DrawCall;
using testing::line_call;

// The four calls of lobe k of a ring on radius rho.
std::vector<DrawCall> lobe_calls(double rho, int k, int lobes, double p0, double p1, Colour c) {
    const double pi = 4 * std::atan(1.0);
    const double a0 = 2 * pi * (k - 1) / lobes + p0, a1 = 2 * pi * (k - 1) / lobes + p1;
    const double g0 = 2 * pi * k / lobes + p0, g1 = 2 * pi * k / lobes + p1;
    return {
        circle_call(rho * std::sin(a0), rho * std::cos(a0), 7, white, 2),
        circle_call(rho * std::sin(a1), rho * std::cos(a1), 7, c, 2),
        line_call(rho * std::sin(a0), rho * std::cos(a0), rho * std::sin(g0), rho * std::cos(g0),
                  white, 2),
        line_call(rho * std::sin(a1), rho * std::cos(a1), rho * std::sin(g1), rho * std::cos(g1), c,
                  2),
    };
}

std::vector<DrawCall> expected_rings(const EngineState& s) {
    std::vector<DrawCall> out;
    const double rho = s.d - s.r;
    for (int k = 1; k <= lobes_a(s.n); ++k) {
        const auto lobe = lobe_calls(rho, k, lobes_a(s.n), s.phasea0, s.phasea, green);
        out.insert(out.end(), lobe.begin(), lobe.end());
    }
    for (int k = 1; k <= lobes_b(s.n); ++k) {
        const auto lobe = lobe_calls(rho, k, lobes_b(s.n), s.phaseb0, s.phaseb, magenta);
        out.insert(out.end(), lobe.begin(), lobe.end());
    }
    return out;
}

TEST(CamRings, LobeCounts) {
    EXPECT_EQ(lobes_a(3), 2);
    EXPECT_EQ(lobes_b(3), 1);
    EXPECT_EQ(lobes_a(11), 6);
    EXPECT_EQ(lobes_b(11), 5);
    EXPECT_EQ(lobes_a(35), 18);
    EXPECT_EQ(lobes_b(35), 17);
}

TEST(CamRings, FirstFrameErasesAtPhaseZeroLobeByLobe) {
    EngineState s = testing::started_engine();
    s.phasea = 5.05 / 12;
    s.phaseb = -5.05 / 10;
    testing::RecordingSurface surface;
    surface.set_pen_width(2);
    draw_cam_rings(s, surface);
    ASSERT_EQ(surface.calls.size(), 4U * (6 + 5));
    EXPECT_EQ(surface.calls, expected_rings(s));
    EXPECT_EQ(surface.calls[0], circle_call(0, 150, 7, white, 2)); // phase 0, radius d - r
    EXPECT_EQ(surface.current_colour, black);
}

TEST(CamRings, ThreeCylindersHaveAChordTwiceAndALoneLobe) {
    EngineState s = testing::started_engine();
    s.n = 3;
    s.phasea0 = 0.1;
    s.phasea = 0.2;
    s.phaseb0 = -0.1;
    s.phaseb = -0.2;
    testing::RecordingSurface surface;
    surface.set_pen_width(2);
    draw_cam_rings(s, surface);
    ASSERT_EQ(surface.calls.size(), 12U);
    EXPECT_EQ(surface.calls, expected_rings(s));
    // Ring B's single lobe: its chord runs all the way round to its own start.
    const DrawCall chord = surface.calls[11];
    EXPECT_NEAR(chord.a, chord.c, 1e-9);
    EXPECT_NEAR(chord.b, chord.d, 1e-9);
    EXPECT_EQ(chord.colour, magenta);
}

// Over 4 pi of crank angle each ring turns exactly one lobe pitch, so after the wrap the lobes
// stand where they would have without it.
TEST(CamRings, WrapKeepsTheLobesInPlace) {
    for (const int n : {3, 11, 35}) {
        const double pi = 4 * std::atan(1.0);
        const double theta = 1.234;
        const double pitch_a = 2 * pi / lobes_a(n), pitch_b = 2 * pi / lobes_b(n);
        EXPECT_NEAR((theta + 4 * pi) / (n + 1) - theta / (n + 1), pitch_a, 1e-12);
        EXPECT_NEAR(-(theta + 4 * pi) / (n - 1) + theta / (n - 1), -pitch_b, 1e-12);

        EngineState wrapped = testing::started_engine();
        wrapped.n = n;
        wrapped.phasea = theta / (n + 1);
        wrapped.phaseb = -theta / (n - 1);
        EngineState unwrapped = wrapped;
        unwrapped.phasea = (theta + 4 * pi) / (n + 1);
        unwrapped.phaseb = -(theta + 4 * pi) / (n - 1);
        testing::RecordingSurface a, b;
        draw_cam_rings(wrapped, a);
        draw_cam_rings(unwrapped, b);
        // Lobe k of one drawing is lobe k + 1 of the other: compare the sets of lobe centres.
        auto centres = [](const testing::RecordingSurface& surface) {
            std::vector<std::pair<double, double>> out;
            for (const DrawCall& call : surface.calls) {
                if (call.kind == DrawCall::Kind::circle && call.colour != white) {
                    out.emplace_back(call.a, call.b);
                }
            }
            return out;
        };
        const auto ca = centres(a), cb = centres(b);
        ASSERT_EQ(ca.size(), cb.size());
        for (const auto& [x, y] : ca) {
            bool found = false;
            for (const auto& [u, v] : cb) {
                found = found || (std::abs(x - u) < 1e-9 && std::abs(y - v) < 1e-9);
            }
            EXPECT_TRUE(found) << n << ": lobe at " << x << ", " << y;
        }
    }
}

} // namespace
} // namespace radial
