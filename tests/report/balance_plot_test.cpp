#include "report/balance_plot.h"
#include "svg/svg_text.h"
#include "svg_checks.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace radial {
namespace {

namespace fs = std::filesystem;
using testing::attribute;
using testing::elements;
using testing::run;
using testing::xml_fault;

// The points of a path's data "M x y L x y ... Z".
std::vector<std::pair<double, double>> points(const std::string& d) {
    std::vector<std::pair<double, double>> found;
    std::istringstream in(d);
    std::string command;
    double x = 0, y = 0;
    while (in >> command && command != "Z") {
        std::istringstream(command.substr(1)) >> x;
        in >> y;
        found.emplace_back(x, y);
    }
    return found;
}

TEST(BalancePlot, DrawsBothLociInTwoColoursWithALegend) {
    const std::string svg = balance_plot_svg({11, 200, 52.5}, balance_engine({11, 200, 52.5}, 1));
    EXPECT_EQ(xml_fault(svg), "");
    const auto loci = elements(svg, "<path class=\"locus\"");
    ASSERT_EQ(loci.size(), 2U);
    EXPECT_EQ(attribute(loci[0], "data-counterweight"), "no");
    EXPECT_EQ(attribute(loci[1], "data-counterweight"), "yes");
    EXPECT_NE(attribute(loci[0], "stroke"), attribute(loci[1], "stroke"));
    for (const std::string& locus : loci) {
        EXPECT_EQ(points(attribute(locus, "d")).size(), 720U);
        EXPECT_TRUE(attribute(locus, "d").ends_with(" Z"));
    }
    const std::size_t legend = svg.find("<g class=\"legend\">");
    ASSERT_NE(legend, std::string::npos);
    const std::string keys = svg.substr(legend, svg.find("</g>", legend) - legend);
    EXPECT_EQ(elements(keys, "<line").size(), 2U);
    for (const char* text :
         {"11 cylinders, rod length 200 (l/s 2.00), wrist radius 52.5", "with a counterweight",
          "largest 6.572 m r ω²", "rings every 2", ">0° (cylinder 1)<", ">90°<"}) {
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    }
}

// With every rod on the crankpin and 31 cylinders the force only turns, at 15.5 m r ω², and the
// counterweight cancels it: both keys name no crank angle.
TEST(BalancePlot, LegendOfAForceOfOneSizeSaysAtEveryCrankAngle) {
    const std::string svg = balance_plot_svg({31, 150, 0}, balance_engine({31, 150, 0}, 1));
    for (const char* text : {"without counterweight: 15.500 m r ω² at every crank angle<",
                             "first-order forward force: 0.000 m r ω² at every crank angle<"}) {
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(svg.find("largest"), std::string::npos);
}

// Three rods on the crankpin: at crank angle 0 the force points up cylinder 1's axis, at 90
// degrees mostly along +x, which is clockwise and so to the right; the counterweight leaves the
// small second order, turning the other way.
TEST(BalancePlot, TurnsLikeTheEngineWithCylinder1Up) {
    const std::string svg = balance_plot_svg({3, 200, 0}, balance_engine({3, 200, 0}, 1));
    const auto loci = elements(svg, "<path class=\"locus\"");
    ASSERT_EQ(loci.size(), 2U);
    const auto plain = points(attribute(loci[0], "d"));
    const auto balanced = points(attribute(loci[1], "d"));
    const double cx = 400, cy = 470;
    EXPECT_EQ(plain[0].first, cx);
    EXPECT_LT(plain[0].second, cy);
    EXPECT_GT(plain[180].first, cx + 50);
    // 0.38 backward at order 2: at 45 degrees it points 90 degrees anticlockwise, to the left.
    EXPECT_LT(balanced[90].first, cx - 5);
}

// The cursor's force lands on each locus's own point: at crank angle 0 (the dots) and at 90
// degrees (point 180 of 720), the counterweight's on the second path.
TEST(BalancePlot, CursorTipsLieOnTheLoci) {
    const EngineDesign engine{11, 200, 52.5};
    const BalanceChart chart(engine, balance_engine(engine, 1));
    EXPECT_EQ(chart.svg(), balance_plot_svg(engine, balance_engine(engine, 1)));
    const auto loci = elements(chart.svg(), "<path class=\"locus\"");
    const auto plain = points(attribute(loci[0], "d"));
    const auto balanced = points(attribute(loci[1], "d"));
    for (const auto& [theta, k] : {std::pair{0.0, 0}, std::pair{std::numbers::pi / 2, 180}}) {
        const BalanceChart::Cursor c = chart.cursor(theta);
        const auto at = [](double v) { return std::stod(px(v)); };
        EXPECT_EQ(std::pair(at(c.x), at(c.y)), plain[static_cast<std::size_t>(k)]) << k;
        EXPECT_EQ(std::pair(at(c.counterweight_x), at(c.counterweight_y)),
                  balanced[static_cast<std::size_t>(k)])
            << k;
    }
    EXPECT_EQ(std::pair(chart.centre_x(), chart.centre_y()), std::pair(400.0, 470.0));
}

// Where the grid's parts go, for the start values (rings every 2 m r ω², four of them): the rings'
// radii, the ring values along 15 degrees, the 0 degree label above the outer ring and the first
// legend line.
TEST(BalancePlot, PlacesRingsValuesAndLabels) {
    const std::string svg = balance_plot_svg({11, 200, 52.5}, balance_engine({11, 200, 52.5}, 1));
    std::vector<std::string> radii;
    for (const std::string& circle : elements(svg, "<circle cx=\"400.0\" cy=\"470.0\"")) {
        radii.push_back(attribute(circle, "r"));
    }
    EXPECT_EQ(radii, (std::vector<std::string>{"80.0", "160.0", "240.0", "320.0"}));
    const std::size_t scale = svg.find("<g class=\"scale\"");
    const auto values = elements(svg.substr(scale, svg.find("</g>", scale) - scale), "<text");
    ASSERT_EQ(values.size(), 4U);
    EXPECT_EQ(attribute(values[0], "x") + " " + attribute(values[0], "y"), "423.7 389.7");
    EXPECT_NE(svg.find("<text x=\"400.0\" y=\"134.8\">0° (cylinder 1)</text>"), std::string::npos);
    EXPECT_NE(svg.find("<line x1=\"30\" y1=\"84.0\" x2=\"54\" y2=\"84.0\""), std::string::npos);
}

// The outer ring (320 pixels from the centre) is at or beyond the largest force: 6.57 m r omega^2
// in rings of 2 needs four of them.
TEST(BalancePlot, OuterRingEnclosesBothLoci) {
    const std::string svg = balance_plot_svg({11, 200, 52.5}, balance_engine({11, 200, 52.5}, 1));
    double farthest = 0;
    for (const std::string& locus : elements(svg, "<path class=\"locus\"")) {
        for (const auto& [x, y] : points(attribute(locus, "d"))) {
            farthest = std::max(farthest, std::hypot(x - 400, y - 470));
        }
    }
    EXPECT_GT(farthest, 250);
    EXPECT_LE(farthest, 320.1);
}

TEST(BalancePlot, IsWrittenLikeThePlotAndRefusedWithoutABalance) {
    const testing::ScratchDirectory dir;
    const std::string path = dir / "balance.svg";
    std::ofstream(path) << "old";
    const auto r = run({"--balance-plot", path, "--cylinders", "5"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    std::ifstream in(path);
    const std::string written{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(written, balance_plot_svg({5, 200, 52.5}, balance_engine({5, 200, 52.5}, 1)));
    const std::string unreached = dir / "unreached.svg";
    EXPECT_TRUE(testing::refused(run({"--balance-plot", unreached, "--cylinders", "35", "--ls",
                                      "1.25", "--eccentricity", "1.5"}),
                                 "--balance-plot: the link rods of cylinders 4, "));
    EXPECT_FALSE(fs::exists(unreached));
    EXPECT_TRUE(testing::refused(run({"--balance-plot", "/dev/null"}),
                                 "--balance-plot takes a path ending in .svg, not '/dev/null'"));
}

} // namespace
} // namespace radial
