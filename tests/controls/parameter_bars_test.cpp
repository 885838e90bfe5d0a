#include "controls/parameter_bars.h"
#include "kinematics_cli.h"
#include "svg/number_text.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <string>

namespace radial {
namespace {

TEST(ParameterBars, MapBarValuesToParameters) {
    EXPECT_EQ(cylinders_from_bar(25), 13);
    EXPECT_EQ(cylinders_from_bar(27), 11);
    EXPECT_EQ(cylinders_from_bar(23), 15);
    EXPECT_EQ(cylinders_from_bar(3), 35);
    EXPECT_EQ(cylinders_from_bar(35), 3);
    EXPECT_EQ(cylinders_from_bar(4), 35);
    EXPECT_EQ(cylinders_from_bar(34), 5);
    for (int v = 3; v <= 35; ++v) {
        const int n = cylinders_from_bar(v);
        EXPECT_TRUE(n % 2 == 1 && n >= 3 && n <= max_cylinders) << v;
    }
    EXPECT_EQ(rod_length_from_bar(330, 50), 285);
    EXPECT_EQ(rod_length_from_bar(331, 50), 284.5);
    EXPECT_EQ(rod_length_from_bar(500, 50), 200);
    EXPECT_EQ(rod_length_from_bar(650, 50), 125);
    EXPECT_EQ(wrist_radius_from_bar(50, 50), 75);
    EXPECT_EQ(wrist_radius_from_bar(95, 50), 52.5);
    EXPECT_EQ(wrist_radius_from_bar(130, 50), 35);
}

// Each handler sets its own parameter: bars moved in turn, each leaves the others as they were.
TEST(ParameterBars, EachSetsItsOwnParameter) {
    EngineState s;
    start_values(s);
    set_from_bar(s, rod_length_bar, 330);
    EXPECT_EQ((EngineParameters{s.n, s.d, s.rp}), (EngineParameters{11, 285, 52.5}));
    set_from_bar(s, wrist_radius_bar, 130);
    EXPECT_EQ((EngineParameters{s.n, s.d, s.rp}), (EngineParameters{11, 285, 35}));
    set_from_bar(s, cylinders_bar, 3);
    EXPECT_EQ((EngineParameters{s.n, s.d, s.rp}), (EngineParameters{35, 285, 35}));
}

// A design in inches, its crank radius 2.75: the bars set its lengths in proportion, at the
// animation's scale for the picture and in inches for the design, keeping its rule and unit; a
// new cylinder count drops the listed angles (the rule becomes the animation's) and lengths.
TEST(ParameterBars, MoveADesignInItsOwnUnit) {
    EngineState s;
    start_values(s);
    EngineDesign design{9, 10.25, 2.3, 2.75};
    design.unit = LengthUnit::in;
    design.pin_rule = PinRule::even;
    design.pin_angles_deg = {40, 80, 120, 160, 200, 240, 280, 320};
    design.link_lengths = std::vector<double>(8, 7.95);
    take_design(s, design);
    set_from_bar(s, rod_length_bar, 500);   // l/s 2
    set_from_bar(s, wrist_radius_bar, 100); // eccentricity 1
    EXPECT_EQ((EngineParameters{s.n, s.d, s.rp}), (EngineParameters{9, 200, 50}));
    EXPECT_EQ(s.design.rod_length, 11);
    EXPECT_EQ(s.design.wrist_radius, 2.75);
    EXPECT_EQ(s.design.pin_angles_deg.size(), 8U);
    set_from_bar(s, cylinders_bar, 29); // 9 again: the lists stay
    EXPECT_EQ(s.design.link_lengths.size(), 8U);
    set_from_bar(s, cylinders_bar, 31); // 7
    EXPECT_EQ(s.design.cylinders, 7);
    EXPECT_TRUE(s.design.pin_angles_deg.empty());
    EXPECT_TRUE(s.design.link_lengths.empty());
    EXPECT_EQ(s.design.pin_rule, PinRule::animation);
    EXPECT_EQ(s.design.unit, LengthUnit::in);
}

// radial-kinematics takes the window's settings in the window's units: exactly those at both ends
// of each bar, and nothing a step beyond; its refusals and --help name the bar's ends.
TEST(ParameterBars, BoundTheToolsWindowUnits) {
    struct Case {
        const char* flag;
        const BarRange& bar;
        double beyond; // the distance of a value just outside the ends
    };
    for (const Case& c : {Case{"--cylinders", parameter_bars[cylinders_bar], 2},
                          Case{"--ls", parameter_bars[rod_length_bar], 0.005},
                          Case{"--eccentricity", parameter_bars[wrist_radius_bar], 0.01}}) {
        const double low = lowest_setting(c.bar), high = highest_setting(c.bar);
        const auto text = [](double v) { return shortest_text(v); };
        const std::string range = text(low) + " to " + text(high);
        for (const double ok : {low, high}) {
            EXPECT_EQ(testing::run({c.flag, text(ok)}).status, 0) << c.flag << " " << ok;
        }
        for (const double out : {low - c.beyond, high + c.beyond}) {
            EXPECT_TRUE(testing::refused(testing::run({c.flag, text(out)}), "from " + range))
                << c.flag << " " << out;
        }
        EXPECT_NE(std::string(tool_usage).find(range), std::string::npos) << c.flag;
    }
}

} // namespace
} // namespace radial
