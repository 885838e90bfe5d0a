#include "number_parsing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string_view>

namespace radial {
namespace {

struct RealText {
    std::string_view text;
    std::optional<double> value;
};

void PrintTo(const RealText& real, std::ostream* out) {
    *out << '"' << real.text << '"';
}

class ReadReal : public ::testing::TestWithParam<RealText> {};

TEST_P(ReadReal, TakesTheWholeTextOrNothing) {
    const auto value = read_real(GetParam().text);
    ASSERT_EQ(value, GetParam().value);
    if (value) {
        EXPECT_EQ(std::signbit(*value), std::signbit(*GetParam().value));
    }
}

constexpr double denormal = std::numeric_limits<double>::denorm_min();

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadReal,
    ::testing::Values(RealText{"0.25", 0.25}, RealText{"1e-400", 0.0}, RealText{"-1e-400", -0.0},
                      RealText{"2e-324", 0.0}, RealText{"3e-324", denormal},
                      RealText{"5e-324", denormal}, RealText{"-5e-324", -denormal},
                      RealText{"1.5e-320", 1.5e-320}, RealText{"1e999", std::nullopt},
                      RealText{"-1e999", std::nullopt}, RealText{"+1e-400", std::nullopt},
                      RealText{" 1e-400", std::nullopt}, RealText{"1e-400 ", std::nullopt},
                      RealText{"1e-400x", std::nullopt}, RealText{"0x1p-2000", std::nullopt},
                      RealText{"", std::nullopt}, RealText{"-", std::nullopt}));

} // namespace
} // namespace radial
