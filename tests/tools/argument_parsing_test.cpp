#include "argument_parsing.h"
#include "flag_table.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace radial {
namespace {

using testing::Refusal;

ToolOptions parsed(std::vector<std::string_view> args) {
    const auto result = parse_arguments(args);
    if (const auto* error = std::get_if<UsageError>(&result)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<ToolOptions>(result);
}

TEST(WindowUnits, SetTheLengthsAsTheScrollBarReadoutsShowThem) {
    const ToolOptions low = parsed({"--ls", "1.25", "--eccentricity", "0.7"});
    EXPECT_EQ(low.design.rod_length, 125);
    EXPECT_EQ(low.design.wrist_radius, 35);
    const ToolOptions high = parsed({"--eccentricity", "1.5", "--ls", "2.85"});
    EXPECT_NEAR(high.design.rod_length, 285, 1e-12);
    EXPECT_EQ(high.design.wrist_radius, 75);
    // Mixed with the other form of the other parameter.
    const ToolOptions mixed = parsed({"--ls", "2", "--wrist-radius", "40"});
    EXPECT_EQ(mixed.design.rod_length, 200);
    EXPECT_EQ(mixed.design.wrist_radius, 40);
    EXPECT_EQ(parsed({"--rod-length", "300", "--eccentricity", "1"}).design.wrist_radius, 50);
}

TEST(WindowUnits, GiveTheSameEngineAsTheLengths) {
    const auto by_ratio = testing::run({"--ls", "1.6", "--eccentricity", "1.2", "--theta", "2"});
    const auto by_length =
        testing::run({"--rod-length", "160", "--wrist-radius", "60", "--theta", "2"});
    ASSERT_EQ(by_ratio.status, 0) << by_ratio.err;
    EXPECT_EQ(by_ratio.out, by_length.out);
}

// Every row of the flag table, and --help, has its line in the usage text.
TEST(Usage, DocumentsEveryFlag) {
    const auto r = testing::run({"--help"});
    EXPECT_EQ(r.status, 0);
    std::vector<std::string> flags = {"--help"};
    for (const FlagRow& row : flag_rows()) {
        flags.emplace_back(row.name);
    }
    EXPECT_EQ(flags.size(), 51U);
    for (const std::string& flag : flags) {
        const bool on_its_line = r.out.find("\n  " + flag + " ") != std::string::npos ||
                                 r.out.find("\n  " + flag + "\n") != std::string::npos;
        EXPECT_TRUE(on_its_line) << flag;
    }
}

class WindowUnitsRefuse : public ::testing::TestWithParam<Refusal> {};

TEST_P(WindowUnitsRefuse, WithOneLine) {
    EXPECT_TRUE(testing::refused_leaving_nothing(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    BadRatios, WindowUnitsRefuse,
    ::testing::Values(Refusal{{"--ls", "1.24"}, "--ls takes a finite number from 1.25 to 2.85"},
                      Refusal{{"--ls", "2.86"}, "--ls"}, Refusal{{"--ls", "nan"}, "--ls"},
                      Refusal{{"--ls"}, "--ls needs a value"},
                      Refusal{{"--eccentricity", "0.69"}, "--eccentricity takes"},
                      Refusal{{"--eccentricity", "1.51"}, "--eccentricity"},
                      Refusal{{"--eccentricity", "-inf"}, "--eccentricity"},
                      Refusal{{"--ls", "2", "--rod-length", "200"}, "--ls and --rod-length"},
                      Refusal{{"--rod-length", "200", "--ls", "2"}, "--ls and --rod-length"},
                      Refusal{{"--wrist-radius", "50", "--eccentricity", "1"},
                              "--eccentricity and --wrist-radius"},
                      Refusal{{"--rod-length", "60", "--eccentricity", "1.5"},
                              "--eccentricity gives a wrist-pin circle radius of 75"}));

// Every flag that takes a value, followed by another flag where its value should be.
class LeftOutValuesRefuse : public ::testing::TestWithParam<Refusal> {};

TEST_P(LeftOutValuesRefuse, WithOneLine) {
    EXPECT_TRUE(testing::refused_leaving_nothing(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    FlagsInTheirPlace, LeftOutValuesRefuse,
    ::testing::Values(
        Refusal{{"--plot", "--summary"}, "--plot needs a value: a path"},
        Refusal{{"--cylinders", "--theta", "1"}, "--cylinders needs a value"},
        Refusal{{"--rod-length", "--ls", "2"}, "--rod-length needs a value"},
        Refusal{{"--wrist-radius", "--eccentricity", "1"}, "--wrist-radius needs a value"},
        Refusal{{"--ls", "--rod-length", "200"}, "--ls needs a value"},
        Refusal{{"--eccentricity", "--plot", "a.svg"}, "--eccentricity needs a value"},
        Refusal{{"--theta", "--sweep", "1"}, "--theta needs a value"},
        Refusal{{"--sweep", "--summary"}, "--sweep needs a value"},
        Refusal{{"--summary", "--format", "--plot", "a.svg"}, "--format needs a value"}));

TEST(FlagValues, MayStartWithADashWhenTheyAreNoFlag) {
    EXPECT_EQ(parsed({"--theta", "-1"}).theta, -1);
    EXPECT_EQ(parsed({"--plot", "-chart.svg"}).plot_path, "-chart.svg");
}

TEST(FlagValues, GiveWayToHelpEvenInAValuesPlace) {
    const auto r = testing::run({"--plot", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("Usage: radial-kinematics")) << r.out;
}

// Too small for a double rounds to a denormal or zero; too large stays refused.
TEST(FlagValues, UnderflowReadsAsZeroAndOverflowIsRefused) {
    EXPECT_EQ(parsed({"--theta", "1e-400"}).theta, 0);
    EXPECT_EQ(testing::run({"--theta", "1e-400"}).out, testing::run({"--theta", "0"}).out);
    EXPECT_TRUE(testing::refused(testing::run({"--theta", "-1e999"}), "--theta takes"));
    EXPECT_TRUE(testing::refused(testing::run({"--sweep", "1e-400"}), "greater than 0"));
}

TEST(Conventions, AValueAfterAnEqualsSignReadsAsTheNextArgument) {
    const auto joined = testing::run({"--cylinders=9", "--ls=1.6", "--theta=-1"});
    ASSERT_EQ(joined.status, 0) << joined.err;
    EXPECT_EQ(joined.out, testing::run({"--cylinders", "9", "--ls", "1.6", "--theta", "-1"}).out);
    EXPECT_EQ(parsed({"--plot=a=b.svg"}).plot_path, "a=b.svg"); // split at the first '=' alone
}

TEST(Conventions, ShortHelpAndEndingsInEitherCase) {
    EXPECT_EQ(testing::run({"--cylinders", "12", "-h"}).out, testing::run({"--help"}).out);
    EXPECT_EQ(parsed({"--picture", "E.PNG"}).mode, ToolMode::picture);
    EXPECT_EQ(parsed({"--picture", "e.Svg"}).mode, ToolMode::picture);
    EXPECT_EQ(parsed({"--animation", "A.GIF"}).mode, ToolMode::animation);
    EXPECT_EQ(parsed({"--plot", "P.SVG"}).mode, ToolMode::plot);
    EXPECT_EQ(parsed({"--balance-plot", "dir/b.svg"}).mode, ToolMode::balance_plot);
}

class ConventionsRefuse : public ::testing::TestWithParam<Refusal> {};

TEST_P(ConventionsRefuse, WithOneLine) {
    EXPECT_TRUE(testing::refused_leaving_nothing(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, ConventionsRefuse,
    ::testing::Values(
        Refusal{{"--plot", "p.png"}, "--plot takes a path ending in .svg, not 'p.png'"},
        Refusal{{"--balance-plot=b"}, "--balance-plot takes a path ending in .svg, not 'b'"},
        Refusal{{"--plot", "dir/.SVG"}, "--plot takes"},
        Refusal{{"--plot", ".svg"}, "--plot takes a path ending in .svg, not '.svg'"},
        Refusal{{"--summary=yes"}, "--summary takes no value, not 'yes'"},
        Refusal{{"--cylinders="}, "--cylinders takes an odd whole number from 3 to 35, not ''"},
        Refusal{{"--cylinders=12"}, "--cylinders takes an odd whole number from 3 to 35, not '12'"},
        Refusal{{"--plot", "--format=csv"}, "--plot needs a value"},
        Refusal{{"--theta=1", "--theta", "2"}, "--theta is given twice"},
        Refusal{{"--frob=1"}, "unknown argument '--frob=1'"},
        Refusal{{"--picture", "/"},
                "--picture takes a path ending in .png or .svg, not '/', which "
                "is a directory"},
        Refusal{{"--picture", "nosuchdir/"},
                "--picture takes a path ending in .png or .svg, not 'nosuchdir/', which is a "
                "directory"}));

} // namespace
} // namespace radial
