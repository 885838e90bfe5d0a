#include "page_reports.h"

#include "design/toml_design.h"
#include "report/crank_sweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <variant>

namespace radial {
namespace {

// The page writes the sweep into a string, the tool into its output stream: for the same engine
// "Download data" must be the tool's bytes. (The table against the tool's text: the page test.)
TEST(PageReports, SweepIsTheToolsBytes) {
    for (const EngineDesign& p :
         {EngineDesign{}, EngineDesign{35, 250, 40}, EngineDesign{3, 125, 75}}) {
        std::ostringstream sweep;
        print_sweep(p, std::numbers::pi / 180, sweep);
        EXPECT_EQ(degree_sweep_csv(p), sweep.str()) << p.cylinders << " cylinders";
    }
}

// The page's stand-in for an engine in world units is the aero example as its file gives it,
// scaled to its crank radius; a design in a unit of its own is taken as it is.
TEST(PageReports, DynamicsStandInIsTheAeroExampleScaled) {
    auto read = read_design_file(RADIAL_EXAMPLES "/nine-cylinder-aero.toml");
    ASSERT_TRUE(std::holds_alternative<ReadDesign>(read)) << std::get<std::string>(read);
    EngineDesign example = std::get<ReadDesign>(read).design;
    example.pin_rule = PinRule::animation;
    EXPECT_EQ(aero_example_running(), example);

    const PageDynamicsDesign stood_in = page_dynamics_design(EngineDesign{});
    EXPECT_TRUE(stood_in.example);
    EXPECT_EQ(stood_in.design.unit, LengthUnit::in);
    EXPECT_EQ(stood_in.design.crank_radius, 2.75);
    EXPECT_EQ(stood_in.design.rod_length, 11);
    EXPECT_EQ(stood_in.design.wrist_radius, 52.5 * 2.75 / 50);
    EXPECT_EQ(stood_in.design.speed_rpm, 1900);
    EngineDesign own{5, 42, 11, 10};
    own.unit = LengthUnit::mm;
    EXPECT_EQ(page_dynamics_design(own).design, own);
    EXPECT_FALSE(page_dynamics_design(own).example);
    // Without speed and masses it says so instead of a chart; the default has both charts.
    const PageReports without(own, ChartQuantity::distance);
    EXPECT_EQ(without.torque_chart(), nullptr);
    EXPECT_EQ(without.dynamics_note(), "No torque chart: it needs the design's speed_rpm and "
                                       "reciprocating_mass, which it does not give.");
    EngineDesign listed;
    listed.link_lengths = std::vector<double>(10, 150);
    EXPECT_EQ(page_dynamics_design(listed).design.link_lengths,
              std::vector<double>(10, 150 * 2.75 / 50));
    const PageReports start(EngineDesign{}, ChartQuantity::distance);
    EXPECT_EQ(start.firing_order(), "Firing order 1, 3, 5, 7, 9, 11, 2, 4, 6, 8, 10: a cylinder "
                                    "fires every 65.5 degrees of crank.");
    // The crankpin cursor's tip lies from the centre by the load's size, one scale for all.
    const CrankpinChart& crankpin = *start.crankpin_chart();
    const auto dynamics =
        std::get<EngineDynamics>(EngineDynamics::of(page_dynamics_design(EngineDesign{}).design));
    const auto reach = [&](double theta) {
        const CrankpinChart::Cursor c = crankpin.cursor(theta);
        const CrankAngleDynamics d = dynamics.at(theta);
        return std::hypot(c.x - crankpin.centre_x(), c.y - crankpin.centre_y()) /
               std::hypot(d.crankpin_radial, d.crankpin_forward);
    };
    EXPECT_NEAR(reach(0.5) / reach(7.0), 1, 1e-12);
    EXPECT_LT(crankpin.cursor(0).y, crankpin.centre_y()); // outward along the crank is up
    // At 286.5 degrees cylinder 1, fired at 0, is on its exhaust stroke; 5, fired near 131, on
    // its power stroke.
    EXPECT_EQ(start.strokes_at(5), "power: 5, 7, 9\nexhaust: 1, 3, 10\nintake: 6, 8\n"
                                   "compression: 11, 2, 4\n");
}

} // namespace
} // namespace radial
