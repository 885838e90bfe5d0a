#include "argument_parsing.h"
#include "tool_run.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(low.rod_length, 125);
    EXPECT_EQ(low.wrist_radius, 35);
    const ToolOptions high = parsed({"--eccentricity", "1.5", "--ls", "2.85"});
    EXPECT_NEAR(high.rod_length, 285, 1e-12);
    EXPECT_EQ(high.wrist_radius, 75);
    // Mixed with the other form of the other parameter.
    const ToolOptions mixed = parsed({"--ls", "2", "--wrist-radius", "40"});
    EXPECT_EQ(mixed.rod_length, 200);
    EXPECT_EQ(mixed.wrist_radius, 40);
    EXPECT_EQ(parsed({"--rod-length", "300", "--eccentricity", "1"}).wrist_radius, 50);
}

TEST(WindowUnits, GiveTheSameEngineAsTheLengths) {
    const auto by_ratio = testing::run({"--ls", "1.6", "--eccentricity", "1.2", "--theta", "2"});
    const auto by_length =
        testing::run({"--rod-length", "160", "--wrist-radius", "60", "--theta", "2"});
    ASSERT_EQ(by_ratio.status, 0) << by_ratio.err;
    EXPECT_EQ(by_ratio.out, by_length.out);
}

TEST(Usage, DocumentsEveryFlag) {
    const auto r = testing::run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* flag :
         {"--cylinders", "--rod-length", "--wrist-radius", "--ls", "--eccentricity", "--theta",
          "--sweep", "--summary", "--format", "--plot", "--help"}) {
        EXPECT_NE(r.out.find(std::string("\n  ") + flag + " "), std::string::npos) << flag;
    }
}

class WindowUnitsRefuse : public ::testing::TestWithParam<Refusal> {};

TEST_P(WindowUnitsRefuse, WithOneLine) {
    EXPECT_TRUE(testing::refused(testing::run(GetParam().args), GetParam().names));
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

} // namespace
} // namespace radial
