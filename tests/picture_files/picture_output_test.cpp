#include "mechanism/engine_solution.h"
#include "picture/shape_surface.h"
#include "picture/steady_run.h"
#include "picture_files.h"
#include "svg/number_text.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace radial {
namespace {

TEST(ShapeSurface, EraseRemovesOnlyTheSameKindAtExactlyTheSameCoordinates) {
    ShapeSurface s(711, 695);
    s.line(0, 0, 10, 10, red);
    s.circle(0, 0, 10, blue);
    s.line(0, 0, 10, 10.000000001, white); // not the red line: it stays
    s.line(0, 0, 10, 0, white);            // no line there; the circle's numbers do not count
    ASSERT_EQ(s.shapes().size(), 2U);
    s.set_pen_width(2);
    s.line(0, 0, 10, 10, grey); // drawn over: replaced, not doubled
    s.circle(0, 0, 10, white);
    ASSERT_EQ(s.shapes().size(), 1U);
    EXPECT_EQ(s.shapes()[0].colour, grey);
    EXPECT_EQ(s.shapes()[0].pen, 2);
    s.clear();
    EXPECT_TRUE(s.shapes().empty());
}

// The window's angle stays in (0, 4 pi]: 0 is shown as 4 pi, and anything else moves by whole
// cycles, exactly.
TEST(WindowAngle, KeepsTheWindowsRange) {
    const double cycle = four_stroke_cycle();
    EXPECT_EQ(window_angle(0), cycle);
    EXPECT_EQ(window_angle(cycle), cycle);
    EXPECT_EQ(window_angle(1e-300), 1e-300);
    EXPECT_EQ(window_angle(cycle + 0.5), (cycle + 0.5) - cycle);
    EXPECT_EQ(window_angle(-0.5), cycle - 0.5);
}

// The ending picks the format in either case: E.SVG is a drawing, E.PNG pixels.
TEST(PictureFile, EndingInCapitalsPicksTheFormat) {
    const testing::ScratchDirectory dir;
    ASSERT_EQ(testing::run({"--picture", dir / "E.SVG"}).status, 0);
    EXPECT_TRUE(testing::file_text(dir / "E.SVG").starts_with("<?xml"));
    ASSERT_EQ(testing::run({"--picture", dir / "E.PNG"}).status, 0);
    EXPECT_TRUE(testing::file_text(dir / "E.PNG").starts_with("\x89PNG"));
}

std::string svg_circle(PixelPoint centre, double radius) {
    return "<circle cx=\"" + fixed_text(centre.x, 2) + "\" cy=\"" + fixed_text(centre.y, 2) +
           "\" r=\"" + fixed_text(radius, 2) + "\" stroke=\"#0000ff\" stroke-width=\"2\"/>";
}

// 7 cylinders with the longest rods, so the view is zoomed out: every pin the solver places is a
// blue circle there, and nothing erased is left: 3n + 1 circles (crank circle, crankpin, master
// pin, two pins a link rod, n lobes) and 3n + 2 lines (axes, cross, master rod, link rods, chords).
TEST(PictureSvg, DrawsTheSolversPinsInTheZoomedViewAndNothingErased) {
    const testing::ScratchDirectory dir;
    const int n = 7;
    const double d = 285, rp = 40, theta = 2;
    const auto r = testing::run({"--picture", dir / "pins.svg", "--cylinders", "7", "--rod-length",
                                 "285", "--wrist-radius", "40", "--theta", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string svg = testing::file_text(dir / "pins.svg");
    EXPECT_NE(svg.find("width=\"711\" height=\"695\" viewBox=\"0 0 711 695\""), std::string::npos);

    const View view = rescaled_view(design_view, rescale_zoom(d, 200, crank_radius));
    const PixelScale scale = pixel_scale(view, 711, 695);
    const auto at = [&](double x, double y) { return world_to_pixel(view, scale, x, y); };
    for (const CylinderSolution& c : solve_engine({n, d, rp}, theta)) {
        const double radius = 10 * scale.x;
        EXPECT_NE(svg.find(svg_circle(at(c.piston_x, c.piston_y), radius)), std::string::npos)
            << "piston pin " << c.cylinder;
        const double wrist = (c.cylinder == 1 ? 27 : 10) * scale.x; // 1: the crankpin
        EXPECT_NE(svg.find(svg_circle(at(c.wrist_x, c.wrist_y), wrist)), std::string::npos)
            << "wrist pin " << c.cylinder;
    }
    const auto count = [&svg](const std::regex& shape) {
        return std::distance(std::sregex_iterator(svg.begin(), svg.end(), shape),
                             std::sregex_iterator());
    };
    EXPECT_EQ(count(std::regex("<circle ")), 3 * n + 1);
    EXPECT_EQ(count(std::regex("<line ")), 3 * n + 2);
}

} // namespace
} // namespace radial
