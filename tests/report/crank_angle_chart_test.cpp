#include "analysis/exact_piston.h"
#include "analysis/reach_ranges.h"
#include "report/crank_angle_chart.h"
#include "report/crank_sweep.h"
#include "report/cylinder_colours.h"
#include "svg/svg_text.h"
#include "svg_checks.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <set>
#include <sstream>
#include <unistd.h>

namespace radial {
namespace {

namespace fs = std::filesystem;
using testing::attribute;
using testing::elements;
using testing::Refusal;
using testing::run;
using testing::xml_fault;

TEST(XmlFault, CatchesWhatBreaksXml) {
    EXPECT_EQ(xml_fault("<?xml version=\"1.0\"?>\n<a><b x=\"1\"/><c>t</c></a>\n"), "");
    EXPECT_NE(xml_fault("<a><b></a>"), "");
    EXPECT_NE(xml_fault("<a><b/>"), "");
    EXPECT_NE(xml_fault("<a>x & y</a>"), "");
    EXPECT_NE(xml_fault("<a x=\"1></a>"), "");
    EXPECT_NE(xml_fault("<a/><b/>"), "");
}

TEST(DistancePlot, DrawsOneLabelledCurvePerCylinder) {
    const std::string svg = distance_plot_svg({11, 200, 52.5});
    EXPECT_EQ(xml_fault(svg), "");
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    const auto curves = elements(svg, "<path class=\"curve\"");
    ASSERT_EQ(curves.size(), 11U);
    std::set<std::string> colours;
    for (std::size_t k = 0; k < curves.size(); ++k) {
        EXPECT_EQ(attribute(curves[k], "data-cylinder"), std::to_string(k + 1));
        colours.insert(attribute(curves[k], "stroke"));
        // Reaching all round: one run over the whole revolution, drawn through far fewer than
        // its 721 points, from 0 to 360 degrees.
        const std::string d = attribute(curves[k], "d");
        EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), 1);
        EXPECT_LT(std::count(d.begin(), d.end(), 'L'), 200);
        EXPECT_EQ(d.substr(d.rfind(" L") + 2, 5), "840.0") << k;
    }
    EXPECT_EQ(colours.size(), 11U);
    const std::size_t legend = svg.find("<g class=\"legend\">");
    ASSERT_NE(legend, std::string::npos);
    const std::string keys = svg.substr(legend, svg.find("</g>", legend) - legend);
    EXPECT_EQ(elements(keys, "<line").size(), 11U);
    EXPECT_EQ(elements(keys, "<text").size(), 11U);
    for (const char* text :
         {"11 cylinders", "rod length 200 (l/s 2.00)", "wrist radius 52.5", "(eccentricity 1.05)",
          "crank angle (degrees", "(world units)", ">1 master<", ">11<", ">360<"}) {
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(svg.find("gaps"), std::string::npos);
}

TEST(DistancePlot, BreaksCurvesWhereRodsCannotReach) {
    const int n = 35;
    const std::string svg = distance_plot_svg({n, 125, 75});
    EXPECT_EQ(xml_fault(svg), "");
    const auto curves = elements(svg, "<path class=\"curve\"");
    ASSERT_EQ(curves.size(), 35U);
    for (int i = 1; i <= n; ++i) {
        const auto ranges = unreachable_ranges(ExactPiston(i, {n, 125, 75}), summary_grid);
        // The reachable arcs of the circle; the one through 0 shows at both ends of the chart.
        const bool zero_reaches = std::none_of(ranges.begin(), ranges.end(),
                                               [](const AngleRange& r) { return r.to > two_pi; });
        const long runs = static_cast<long>(ranges.size()) + (zero_reaches ? 1 : 0);
        const std::string d = attribute(curves[static_cast<std::size_t>(i - 1)], "d");
        EXPECT_EQ(std::count(d.begin(), d.end(), 'M'), runs) << i;
    }
    // Two columns of keys for 35 cylinders, each 100 pixels wide, inside the chart's 1000 less
    // its right margin of 30.
    const std::size_t legend = svg.find("<g class=\"legend\">");
    const auto keys = elements(svg.substr(legend, svg.find("</g>", legend) - legend), "<line");
    ASSERT_EQ(keys.size(), 35U);
    EXPECT_EQ(std::stod(attribute(keys[0], "x1")), 770);
    EXPECT_EQ(std::stod(attribute(keys[34], "x1")), 870);
    EXPECT_NE(svg.find(">4 (gaps)<"), std::string::npos);
    EXPECT_NE(svg.find(">3<"), std::string::npos);
    EXPECT_NE(svg.find("cannot reach"), std::string::npos);
}

// Each quantity is the sweep's column: cylinder 3's curve starts at the sweep's value at crank
// angle 0, and the cursor crosses it there, one revolution on or back.
TEST(CrankAngleChart, PlotsTheSweepsColumnsAndItsCursorCrossesThem) {
    const EngineDesign engine{11, 200, 52.5};
    std::ostringstream sweep;
    print_sweep(engine, 1, sweep);
    const auto row = testing::split(testing::split(sweep.str(), '\n')[3], ','); // 0, cylinder 3
    ASSERT_EQ(row[1], "3");
    const std::pair<ChartQuantity, std::string> columns[] = {{ChartQuantity::distance, row[3]},
                                                             {ChartQuantity::velocity, row[4]},
                                                             {ChartQuantity::acceleration, row[5]}};
    for (const auto& [quantity, text] : columns) {
        const CrankAngleChart chart(engine, quantity);
        const CrankChartLayout& layout = chart.layout();
        const double y = layout.y(std::stod(text));
        const std::string d = attribute(elements(chart.svg(), "<path class=\"curve\"")[2], "d");
        EXPECT_EQ(d.substr(0, d.find(" L")), "M" + px(layout.left) + " " + px(y)) << text;
        for (const double theta : {0.0, 4 * std::numbers::pi, -2 * std::numbers::pi}) {
            const CrankAngleChart::Cursor cursor = chart.cursor(theta);
            EXPECT_EQ(cursor.degrees, 0);
            EXPECT_EQ(cursor.x, layout.left);
            ASSERT_EQ(cursor.crossings.size(), 11U);
            EXPECT_NEAR(*cursor.crossings[2], y, 1e-9) << text;
        }
    }
    EXPECT_EQ(distance_plot_svg(engine), CrankAngleChart(engine).svg());
    // The value axis: a tick every 20 from 120 to 260, each at its height.
    const std::string svg = distance_plot_svg(engine);
    const std::size_t ticks = svg.find("<g text-anchor=\"end\">");
    const auto labels = elements(svg.substr(ticks, svg.find("</g>", ticks) - ticks), "<text");
    ASSERT_EQ(labels.size(), 8U);
    EXPECT_EQ(attribute(labels[0], "y"), "554.0");
    EXPECT_EQ(attribute(labels[7], "y"), "84.0");
    EXPECT_NE(svg.find(">120</text>"), std::string::npos);
    EXPECT_NE(svg.find(">260</text>"), std::string::npos);
    const CrankChartLayout layout = CrankAngleChart(engine).layout();
    EXPECT_EQ(layout.degrees_at(layout.x(90)), 90);
    EXPECT_EQ(layout.degrees_at(layout.right + 5), 360);
    EXPECT_EQ(CrankAngleChart(engine).cursor(-std::numbers::pi / 2).degrees, 270);
}

TEST(CylinderColours, AreDistinctAndTheMasterIsBlack) {
    for (const int n : {3, 11, 35}) {
        std::set<std::string> colours;
        for (int i = 1; i <= n; ++i) {
            const std::string colour = cylinder_colour(i, n);
            EXPECT_EQ(colour.size(), 7U);
            EXPECT_EQ(colour.find_first_not_of("#0123456789abcdef"), std::string::npos);
            colours.insert(colour);
        }
        EXPECT_EQ(colours.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(cylinder_colour(1, n), "#000000");
    }
}

class PlotRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(PlotRefuses, WithOneLine) {
    EXPECT_TRUE(testing::refused_leaving_nothing(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    BadCombinations, PlotRefuses,
    ::testing::Values(Refusal{{"--plot"}, "--plot needs a value"},
                      Refusal{{"--plot", ""}, "--plot takes a path"},
                      Refusal{{"--plot", "a.svg", "--summary"}, "--summary and --plot"},
                      Refusal{{"--sweep", "1", "--plot", "a.svg"}, "--sweep and --plot"},
                      Refusal{{"--plot", "a.svg", "--theta", "1"}, "--theta applies only"},
                      Refusal{{"--plot", "a.svg", "--format", "csv"}, "--format applies only"},
                      Refusal{{"--plot", "a.svg", "--quantity", "speed"},
                              "--quantity takes 'distance', 'velocity' or 'acceleration', not "
                              "'speed'"},
                      Refusal{{"--summary", "--quantity", "velocity"},
                              "--quantity applies only to --plot"}));

} // namespace
} // namespace radial
