#include "number_parsing.h"
#include "svg/number_text.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <string>

namespace radial {
namespace {

using testing::Refusal;
using testing::run;
using testing::split;

// The lines of the text form's table: from the header to the blank line after it.
std::vector<std::string> table_lines(const std::string& text) {
    const auto lines = split(text, '\n');
    auto first = std::find_if(lines.begin(), lines.end(),
                              [](const std::string& l) { return l.starts_with("order"); });
    auto last = std::find(first, lines.end(), "");
    return {first, last};
}

TEST(BalanceTable, CsvHasOneRowPerOrderFromOneToK) {
    for (const char* k : {"1", "6", "50"}) {
        const auto r = run({"--balance", "--orders", k, "--format", "csv"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const auto lines = split(r.out, '\n');
        ASSERT_EQ(lines.size(), 1 + std::stoul(k));
        EXPECT_EQ(lines[0], "order,forward,forward_phase_deg,backward,backward_phase_deg");
        for (std::size_t row = 1; row < lines.size(); ++row) {
            const auto fields = split(lines[row], ',');
            ASSERT_EQ(fields.size(), 5U) << lines[row];
            EXPECT_EQ(fields[0], std::to_string(row));
            for (const std::size_t phase : {2U, 4U}) {
                EXPECT_GE(std::stod(fields[phase]), 0) << lines[row];
                EXPECT_LT(std::stod(fields[phase]), 360) << lines[row];
            }
        }
    }
}

// Three rods on the crankpin: the primary force forward along the crank, 1.5 m r omega^2.
TEST(BalanceTable, CsvGivesTheOrdersAtFullPrecision) {
    const auto r = run({"--balance", "--format", "csv", "--cylinders", "3", "--wrist-radius", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto first = split(split(r.out, '\n')[1], ',');
    EXPECT_NEAR(std::stod(first[1]), 1.5, 1e-12);
    EXPECT_EQ(first[2], "0");
    EXPECT_EQ(read_real(first[3]), read_real(shortest_text(std::stod(first[3]))));
    EXPECT_LT(std::stod(first[3]), 1e-12);
}

// The same numbers, rounded, in the same columns: a swapped or misplaced column shows.
TEST(BalanceTable, TextRoundsTheCsvValuesIntoAlignedColumns) {
    const auto text = run({"--balance"}).out;
    const auto csv = split(run({"--balance", "--format", "csv"}).out, '\n');
    const auto table = table_lines(text);
    ASSERT_EQ(table.size(), csv.size());
    for (std::size_t row = 1; row < table.size(); ++row) {
        EXPECT_EQ(table[row].size(), table[0].size()) << table[row];
        const auto cells = split(table[row], ' ');
        std::vector<std::string> filled;
        std::copy_if(cells.begin(), cells.end(), std::back_inserter(filled),
                     [](const std::string& c) { return !c.empty(); });
        const auto fields = split(csv[row], ',');
        ASSERT_EQ(filled.size(), 5U) << table[row];
        EXPECT_EQ(filled[0], fields[0]);
        for (const std::size_t k : {1U, 3U}) {
            EXPECT_EQ(filled[k], fixed_text(std::stod(fields[k]), 6)) << table[row];
            // A phase just below 360 rounds to 0.0, not out of [0, 360).
            const std::string phase = fixed_text(std::stod(fields[k + 1]), 1);
            EXPECT_EQ(filled[k + 1], phase == "360.0" ? "0.0" : phase) << table[row];
        }
    }
    for (const char* words : {"m r ω²", "forward with the crank", "backward against it",
                              "Largest shaking force: ", "With a counterweight"}) {
        EXPECT_NE(text.find(words), std::string::npos) << words;
    }
}

// The counterweight points opposite the first-order forward force (phase 0 here), and a force of
// one size all round names no crank angle.
TEST(BalanceTable, TextEndsWithTheLargestForcesAndTheCounterweight) {
    const auto ending = [](const std::string& text) {
        return text.substr(text.find("Largest shaking force"));
    };
    EXPECT_EQ(ending(run({"--balance"}).out),
              "Largest shaking force: 6.572032 m r ω² at crank angle 147.0 degrees.\n"
              "With a counterweight cancelling the first-order forward force (5.757076 m r ω², "
              "pointing\n180.0 degrees clockwise from the crank): 1.291980 m r ω² at crank angle "
              "121.1 degrees.\n");
    EXPECT_EQ(
        ending(run({"--balance", "--cylinders", "31", "--rod-length", "150", "--wrist-radius", "0"})
                   .out),
        "Largest shaking force: 15.500000 m r ω², the same at every crank angle.\n"
        "With a counterweight cancelling the first-order forward force (15.500000 m r ω², "
        "pointing\n180.0 degrees clockwise from the crank): 0.000000 m r ω², the same at every "
        "crank angle.\n");
}

class BalanceRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(BalanceRefuses, WithOneLineAndNothingOnStandardOutput) {
    EXPECT_TRUE(testing::refused(run(GetParam().args), GetParam().names));
}

INSTANTIATE_TEST_SUITE_P(
    BadArguments, BalanceRefuses,
    ::testing::Values(
        Refusal{{"--balance", "--orders", "0"}, "--orders takes a whole number from 1 to 50"},
        Refusal{{"--balance", "--orders", "51"}, "--orders takes"},
        Refusal{{"--balance", "--orders", "2.5"}, "--orders takes"},
        Refusal{{"--balance", "--orders", "6x"}, "--orders takes"},
        Refusal{{"--balance", "--orders", ""}, "--orders takes"},
        Refusal{{"--balance", "--orders"}, "--orders needs a value"},
        Refusal{{"--orders", "3"}, "--orders applies only to --balance"},
        Refusal{{"--summary", "--orders", "3"}, "--orders applies only to --balance"},
        Refusal{{"--balance-plot", "a.svg", "--orders", "3"}, "--orders applies only"},
        Refusal{{"--balance", "--summary"}, "--summary and --balance are separate outputs"},
        Refusal{{"--plot", "a.svg", "--balance"}, "--plot and --balance"},
        Refusal{{"--balance", "--balance-plot", "a.svg"}, "--balance and --balance-plot"},
        Refusal{{"--sweep", "1", "--balance-plot", "a.svg"}, "--sweep and --balance-plot"},
        Refusal{{"--balance", "--theta", "1"}, "--theta applies only"},
        Refusal{{"--balance-plot", "a.svg", "--format", "csv"}, "--format applies only"},
        Refusal{{"--balance", "--format", "tsv"}, "--format takes"}));

// Cylinders 1-3 and 34-35 alone reach all round; with the rods 0.0000004 short of missing, the
// orders do not settle.
INSTANTIATE_TEST_SUITE_P(
    EnginesWithoutABalance, BalanceRefuses,
    ::testing::Values(Refusal{{"--balance", "--cylinders", "35", "--ls", "1.25", "--eccentricity",
                               "1.5"},
                              "--balance: the link rods of cylinders 4, 5, 6, "},
                      Refusal{{"--balance", "--cylinders", "3", "--rod-length", "125",
                               "--wrist-radius", "48.3059"},
                              "the link rods of cylinders 2 and 3 cannot reach"},
                      Refusal{{"--balance", "--format", "csv", "--cylinders", "3", "--rod-length",
                               "125", "--wrist-radius", "48.305833"},
                              "do not settle"}));

} // namespace
} // namespace radial
