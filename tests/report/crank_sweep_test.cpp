#include "analysis/crank_grid.h"
#include "analysis/sweep_angles.h"
#include "report/crank_sweep.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace radial {
namespace {

using testing::Refusal;
using testing::run;
using testing::split;

TEST(CrankSweep, CountsEveryMultipleOfTheStepBelowTwoPi) {
    for (int parts = 1; parts <= 2000; parts += 7) {
        for (const double step : {two_pi / parts, two_pi / parts * (1 + 1e-15), 0.7 / parts}) {
            long long expected = 0;
            while (static_cast<double>(expected) * step < two_pi) {
                ++expected;
            }
            ASSERT_EQ(sweep_angle_count(step), expected) << step;
        }
    }
    EXPECT_EQ(sweep_angle_count(1), 7);
    EXPECT_EQ(sweep_angle_count(100), 1);
    EXPECT_EQ(sweep_angle_count(1e-300), std::nullopt);
}

TEST(CrankSweep, PrintsEveryCylinderAtEveryAngle) {
    const auto r = run({"--sweep", "0.25", "--cylinders", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = split(r.out, '\n');
    ASSERT_EQ(lines.size(), 1 + 26 * 5U);
    EXPECT_EQ(lines[0], "theta,cylinder,distance,exact_distance,velocity,acceleration");
    for (std::size_t row = 1; row < lines.size(); ++row) {
        const auto fields = split(lines[row], ',');
        ASSERT_EQ(fields.size(), 6U) << lines[row];
        const long long k = static_cast<long long>(row - 1) / 5;
        EXPECT_EQ(std::stod(fields[0]), static_cast<double>(k) * 0.25);
        EXPECT_EQ(fields[1], std::to_string((row - 1) % 5 + 1));
        EXPECT_NEAR(std::stod(fields[2]), std::stod(fields[3]), 2) << lines[row];
        if (fields[1] == "1") {
            EXPECT_EQ(fields[2], fields[3]);
        }
    }
}

TEST(CrankSweep, LeavesTheExactColumnsEmptyWhereARodCannotReach) {
    const auto r = run(
        {"--sweep", "0.01", "--cylinders", "35", "--rod-length", "125", "--wrist-radius", "75"});
    ASSERT_EQ(r.status, 0) << r.err;
    int empty = 0;
    int full = 0;
    const auto lines = split(r.out, '\n');
    for (std::size_t row = 1; row < lines.size(); ++row) {
        const std::string& line = lines[row];
        const auto fields = split(line, ',');
        ASSERT_EQ(fields.size(), 6U) << line;
        EXPECT_FALSE(fields[2].empty());
        const bool reaches = !fields[3].empty();
        (reaches ? full : empty) += 1;
        EXPECT_EQ(fields[4].empty(), !reaches) << line;
        EXPECT_EQ(fields[5].empty(), !reaches) << line;
    }
    EXPECT_GT(empty, 1000);
    EXPECT_GT(full, 1000);
}

TEST(CrankSweep, AllowsAMillionRowsAndNoMore) {
    // 333326 angles x 3 cylinders = 999978 rows; 628319 x 3 = 1884957.
    const std::vector<std::string_view> within = {"--sweep", "1.885e-5", "--cylinders", "3"};
    EXPECT_TRUE(std::holds_alternative<ToolOptions>(parse_arguments(within)));
    EXPECT_TRUE(testing::refused(run({"--sweep", "1e-5", "--cylinders", "3"}), "1884957 rows"));
    EXPECT_TRUE(testing::refused(run({"--sweep", "1e-300"}), "--sweep"));
}

class SweepRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(SweepRefuses, WithOneLine) {
    EXPECT_TRUE(testing::refused(run(GetParam().args), GetParam().names));
}

INSTANTIATE_TEST_SUITE_P(
    BadSteps, SweepRefuses,
    ::testing::Values(Refusal{{"--sweep"}, "--sweep needs a value"},
                      Refusal{{"--sweep", "0"}, "greater than 0, not '0'"},
                      Refusal{{"--sweep", "-0.1"}, "--sweep"},
                      Refusal{{"--sweep", "nan"}, "--sweep"},
                      Refusal{{"--sweep", "inf"}, "--sweep"},
                      Refusal{{"--sweep", "1", "--theta", "2"}, "--theta applies only"},
                      Refusal{{"--theta", "2", "--sweep", "1"}, "--theta applies only"},
                      Refusal{{"--sweep", "1", "--sweep", "2"}, "--sweep is given twice"}));

} // namespace
} // namespace radial
