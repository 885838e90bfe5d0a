#include "number_parsing.h"
#include "svg/number_text.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace radial {
namespace {

using testing::Refusal;
using testing::run;
using testing::split;

TEST(KinematicsTool, DefaultsReproduceTheLinkRodWorkedExample) {
    const auto r = run({});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const auto lines = split(r.out, '\n');
    ASSERT_EQ(lines.size(), 12U);
    EXPECT_EQ(lines[0], "cylinder,axis,wrist_x,wrist_y,piston_x,piston_y,distance,midpoints");
    EXPECT_EQ(lines[1], "1,0,0,50,0,250,250,0");
    const char* tails[] = {"240.24658203125,11", "215.53955078125,11", "186.669921875,9",
                           "163.57421875,8",     "151.4892578125,10",  "151.4892578125,10",
                           "163.57421875,8",     "186.669921875,9",    "215.53955078125,11",
                           "240.24658203125,11"};
    for (int i = 2; i <= 11; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        EXPECT_EQ(line.substr(0, line.find(',')), std::to_string(i));
        EXPECT_TRUE(line.ends_with(tails[i - 2])) << line;
    }
}

TEST(KinematicsTool, OptionsTakeEffect) {
    const auto r =
        run({"--theta", "5.05", "--cylinders", "3", "--rod-length", "285", "--wrist-radius", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = split(r.out, '\n');
    ASSERT_EQ(lines.size(), 4U);
    const auto master = split(lines[1], ',');
    ASSERT_EQ(master.size(), 8U);
    EXPECT_NEAR(std::stod(master[2]), -47.177, 5e-4);
    EXPECT_NEAR(std::stod(master[3]), 16.562, 5e-4);
    // With no eccentricity every wrist pin is the crankpin centre.
    for (const std::size_t row : {2U, 3U}) {
        const auto link = split(lines[row], ',');
        EXPECT_EQ(link[2], master[2]);
        EXPECT_EQ(link[3], master[3]);
    }
}

TEST(KinematicsTool, RealsRoundTrip) {
    for (const double v : {0.1, 240.24658203125, -47.17720136316, 1e-300, 2.0}) {
        EXPECT_EQ(read_real(shortest_text(v)), v);
    }
    EXPECT_EQ(shortest_text(2.0), "2");
}

TEST(KinematicsTool, HelpPrintsUsage) {
    const auto r = run({"--cylinders", "12", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("Usage: radial-kinematics")) << r.out;
    EXPECT_EQ(r.err, "");
}

class KinematicsToolRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(KinematicsToolRefuses, WithOneLineAndStatus2) {
    EXPECT_TRUE(testing::refused_leaving_nothing(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    BadArguments, KinematicsToolRefuses,
    ::testing::Values(Refusal{{"--frobnicate", "1"}, "--frobnicate"},
                      Refusal{{"--cylinders"}, "--cylinders"}, Refusal{{"--theta"}, "--theta"},
                      Refusal{{"--cylinders", ""}, "odd whole number from 3 to 35"},
                      Refusal{{"--cylinders", "12"}, "--cylinders"},
                      Refusal{{"--cylinders", "1"}, "--cylinders"},
                      Refusal{{"--cylinders", "37"}, "--cylinders"},
                      Refusal{{"--cylinders", "11x"}, "--cylinders"},
                      Refusal{{"--cylinders", " 11"}, "--cylinders"},
                      Refusal{{"--cylinders", "11.0"}, "--cylinders"},
                      Refusal{{"--rod-length", "50"}, "--rod-length"},
                      Refusal{{"--rod-length", "10000.5"}, "--rod-length"},
                      Refusal{{"--rod-length", "inf"}, "--rod-length"},
                      Refusal{{"--rod-length", "abc"}, "--rod-length"},
                      Refusal{{"--wrist-radius", "-1"}, "--wrist-radius"},
                      Refusal{{"--wrist-radius", "nan"}, "--wrist-radius"},
                      Refusal{{"--wrist-radius", "200"}, "--wrist-radius"},
                      Refusal{{"--rod-length", "100", "--wrist-radius", "150"}, "--wrist-radius"},
                      Refusal{{"--theta", "1e999"}, "--theta"},
                      Refusal{{"--theta", "0.5rad"}, "--theta"},
                      Refusal{{"--theta", "1", "--theta", "2"}, "twice"},
                      Refusal{{"--theta", "1", "extra"}, "extra"}));

} // namespace
} // namespace radial
