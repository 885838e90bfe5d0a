#include "mechanism/cam_rings.h"

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

constexpr double pi = 3.14159265358979323846;

// The angle of a point from +y towards +x, in [0, 2 pi).
double angle_of(double x, double y) {
    const double a = std::atan2(x, y);
    return a < 0 ? a + 2 * pi : a;
}

// Checks ring lobes drawn by one call of draw_cam_rings from index first on: lobe by lobe, the
// erase circle at the old phase, the new circle, the erase chord, the new chord; lobe k stands at
// phase + 2 pi (k - 1) / lobes on radius rho and its chord ends at lobe k + 1.
void expect_ring(const std::vector<DrawCall>& calls, std::size_t first, int lobes, double rho,
                 double old_phase, double new_phase, Colour colour) {
    for (int k = 1; k <= lobes; ++k) {
        const std::size_t at = first + static_cast<std::size_t>(4 * (k - 1));
        ASSERT_LE(at + 4, calls.size());
        const DrawCall& erase = calls[at];
        const DrawCall& lobe = calls[at + 1];
        const DrawCall& erase_chord = calls[at + 2];
        const DrawCall& chord = calls[at + 3];
        EXPECT_EQ(erase.kind, DrawCall::Kind::circle);
        EXPECT_EQ(erase.colour, white);
        EXPECT_EQ(lobe.kind, DrawCall::Kind::circle);
        EXPECT_EQ(lobe.colour, colour);
        EXPECT_EQ(erase_chord.kind, DrawCall::Kind::line);
        EXPECT_EQ(erase_chord.colour, white);
        EXPECT_EQ(chord.kind, DrawCall::Kind::line);
        EXPECT_EQ(chord.colour, colour);
        EXPECT_EQ(lobe.c, 7);
        EXPECT_EQ(lobe.pen, 2);
        EXPECT_NEAR(std::hypot(lobe.a, lobe.b), rho, 1e-9);
        EXPECT_NEAR(std::hypot(erase.a, erase.b), rho, 1e-9);
        const double pitch = 2 * pi / lobes;
        EXPECT_NEAR(
            std::remainder(angle_of(lobe.a, lobe.b) - (new_phase + pitch * (k - 1)), 2 * pi), 0,
            1e-9);
        EXPECT_NEAR(
            std::remainder(angle_of(erase.a, erase.b) - (old_phase + pitch * (k - 1)), 2 * pi), 0,
            1e-9);
        // The chord runs from this lobe to the next, for the erase and for the drawing alike.
        EXPECT_NEAR(chord.a, lobe.a, 1e-12);
        EXPECT_NEAR(chord.b, lobe.b, 1e-12);
        EXPECT_NEAR(std::remainder(angle_of(chord.c, chord.d) - (new_phase + pitch * k), 2 * pi), 0,
                    1e-9);
        EXPECT_NEAR(erase_chord.a, erase.a, 1e-12);
        EXPECT_NEAR(erase_chord.b, erase.b, 1e-12);
    }
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
    s.cam_ring_a.current = 5.05 / 12;
    s.cam_ring_b.current = -5.05 / 10;
    testing::RecordingSurface surface;
    surface.set_pen_width(2);
    draw_cam_rings(s, surface);
    ASSERT_EQ(surface.calls.size(), 4U * (6 + 5));
    expect_ring(surface.calls, 0, 6, 150, 0, 5.05 / 12, green);
    expect_ring(surface.calls, 24, 5, 150, 0, -5.05 / 10, magenta);
    EXPECT_EQ(surface.calls[0], circle_call(0, 150, 7, white, 2)); // phase 0, radius d - r
    EXPECT_EQ(surface.current_colour, black);
}

TEST(CamRings, ThreeCylindersHaveAChordTwiceAndALoneLobe) {
    EngineState s = testing::started_engine();
    s.n = 3;
    s.d = 285;
    s.cam_ring_a.previous = 0.1;
    s.cam_ring_a.current = 0.2;
    s.cam_ring_b.previous = -0.1;
    s.cam_ring_b.current = -0.2;
    testing::RecordingSurface surface;
    surface.set_pen_width(2);
    draw_cam_rings(s, surface);
    ASSERT_EQ(surface.calls.size(), 12U);
    expect_ring(surface.calls, 0, 2, 235, 0.1, 0.2, green);
    expect_ring(surface.calls, 8, 1, 235, -0.1, -0.2, magenta);
    // Ring A's two chords are one chord, drawn once each way.
    EXPECT_NEAR(surface.calls[3].a, surface.calls[7].c, 1e-9);
    EXPECT_NEAR(surface.calls[3].c, surface.calls[7].a, 1e-9);
    // Ring B's single lobe: its chord runs all the way round to its own start.
    const DrawCall chord = surface.calls[11];
    EXPECT_NEAR(chord.a, chord.c, 1e-9);
    EXPECT_NEAR(chord.b, chord.d, 1e-9);
}

// Over 4 pi of crank angle each ring turns exactly one lobe pitch, so after the wrap the lobes
// stand where they would have without it.
TEST(CamRings, WrapKeepsTheLobesInPlace) {
    for (const int n : {3, 11, 35}) {
        const double theta = 1.234;

        EngineState wrapped = testing::started_engine();
        wrapped.n = n;
        wrapped.cam_ring_a.current = theta / (n + 1);
        wrapped.cam_ring_b.current = -theta / (n - 1);
        EngineState unwrapped = wrapped;
        unwrapped.cam_ring_a.current = (theta + 4 * pi) / (n + 1);
        unwrapped.cam_ring_b.current = -(theta + 4 * pi) / (n - 1);
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
