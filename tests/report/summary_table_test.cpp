#include "svg/number_text.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <string>

namespace radial {
namespace {

using testing::Refusal;
using testing::run;
using testing::split;

std::vector<std::vector<std::string>> csv_rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : split(text, '\n')) {
        rows.push_back(split(line, ','));
    }
    return rows;
}

TEST(SummaryTable, CsvHasOneFullRowPerCylinderAndEmptiesWhereRodsCannotReach) {
    const auto r = run({"--summary", "--format", "csv", "--cylinders", "35", "--ls", "1.25",
                        "--eccentricity", "1.5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto rows = csv_rows(r.out);
    ASSERT_EQ(rows.size(), 36U);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "cylinder,stroke,stroke_excess_percent,tdc_deg,tdc_offset_deg,bdc_deg,"
              "bdc_offset_deg,max_bisection_error,reaches");
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto& row = rows[i];
        ASSERT_EQ(row.size(), 9U);
        EXPECT_EQ(row[0], std::to_string(i));
        const bool reaches = i <= 3 || i >= 34;
        EXPECT_EQ(row[8], reaches ? "yes" : "no");
        for (std::size_t k = 1; k < 8; ++k) {
            ASSERT_EQ(row[k].empty(), !reaches) << i << ": " << k;
        }
        if (!reaches) {
            continue;
        }
        for (const std::size_t k : {3U, 5U}) {
            EXPECT_GE(std::stod(row[k]), 0);
            EXPECT_LT(std::stod(row[k]), 360);
        }
        for (const std::size_t k : {4U, 6U}) {
            EXPECT_GT(std::stod(row[k]), -180);
            EXPECT_LE(std::stod(row[k]), 180);
        }
        const double stroke = std::stod(row[1]);
        EXPECT_NEAR(std::stod(row[2]), (stroke - 100), 1e-9);
    }
    EXPECT_NEAR(std::stod(rows[1][1]), 100, 1e-9);
}

TEST(SummaryTable, TextRoundsTheCsvValuesIntoAlignedColumns) {
    const auto text = split(run({"--summary"}).out, '\n');
    const auto csv = csv_rows(run({"--summary", "--format", "csv"}).out);
    ASSERT_GE(text.size(), 12U);
    const std::size_t header = text.size() - 12;
    EXPECT_NE(text[header].find("stroke"), std::string::npos) << text[header];
    const int decimals[] = {0, 3, 3, 1, 1, 1, 1, 4, 0};
    for (std::size_t i = 1; i <= 11; ++i) {
        const std::string& line = text[header + i];
        EXPECT_EQ(line.size(), text[header].size()) << line;
        const auto cells = split(line, ' ');
        std::vector<std::string> shown;
        std::copy_if(cells.begin(), cells.end(), std::back_inserter(shown),
                     [](const std::string& cell) { return !cell.empty(); });
        ASSERT_EQ(shown.size(), 9U) << line;
        for (std::size_t k = 1; k < 8; ++k) {
            EXPECT_EQ(shown[k], fixed_text(std::stod(csv[i][k]), decimals[k])) << line;
        }
        EXPECT_EQ(shown[8], "yes");
    }
    // Cylinder 2's TDC offset is -0.017 degrees: it rounds to 0.0, without the sign.
    EXPECT_EQ(text[header + 2], "       2  102.727    2.727     32.7     0.0    211.6    -1.2      "
                                "     0.1053      yes");
}

TEST(SummaryTable, TextListsTheCrankAnglesWhereRodsCannotReach) {
    const auto r = run({"--summary", "--cylinders", "35", "--ls", "1.25", "--eccentricity", "1.5"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = split(r.out, '\n');
    ASSERT_GT(lines.size(), 30U);
    const std::vector<std::string> tail(lines.end() - 30, lines.end());
    for (std::size_t k = 0; k < tail.size(); ++k) {
        EXPECT_TRUE(
            tail[k].starts_with("Cylinder " + std::to_string(k + 4) + "'s rod cannot reach"))
            << tail[k];
    }
    EXPECT_EQ(tail.front(), "Cylinder 4's rod cannot reach its axis at crank angles 132.6 to "
                            "174.3 degrees.");
    // Mirror images of each other, in two ranges each.
    EXPECT_NE(tail[12].find("46.6 to 101.9 and 187.0 to 319.9"), std::string::npos) << tail[12];
    EXPECT_NE(tail[17].find("40.1 to 173.0 and 258.1 to 313.4"), std::string::npos) << tail[17];
    EXPECT_EQ(run({"--summary"}).out.find("cannot"), std::string::npos);
}

class SummaryRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(SummaryRefuses, WithOneLine) {
    EXPECT_TRUE(testing::refused_leaving_nothing(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    BadCombinations, SummaryRefuses,
    ::testing::Values(Refusal{{"--format", "csv"}, "--format applies only to --summary"},
                      Refusal{{"--sweep", "1", "--format", "csv"}, "--format applies only"},
                      Refusal{{"--summary", "--format", "xml"}, "--format takes 'text' or 'csv'"},
                      Refusal{{"--summary", "--format"}, "--format needs a value"},
                      Refusal{{"--summary", "--theta", "1"}, "--theta applies only"},
                      Refusal{{"--summary", "--sweep", "1"}, "are separate outputs"},
                      Refusal{{"--summary", "--summary"}, "--summary is given twice"},
                      Refusal{{"--summary", "yes"}, "unknown argument 'yes'"}));

} // namespace
} // namespace radial
