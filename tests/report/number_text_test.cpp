#include "svg/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <utility>

namespace radial {
namespace {

// The WebAssembly build writes every number of the reports with shortest_text_by_search: it must
// write what std::to_chars writes natively, or the page's charts and CSV differ from the tool's.
TEST(ShortestTextBySearch, WritesWhatToCharsWrites) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> angle(0, 7);
    std::uniform_real_distribution<double> mantissa(1, 2);
    std::uniform_int_distribution<int> power(-330, 310);
    for (int exponent = -1074; exponent <= 1023; ++exponent) {
        const double sign = exponent % 2 == 0 ? 1 : -1;
        for (const double v : {
                 std::ldexp(1.0, exponent),                     // where the gaps are uneven
                 sign * std::ldexp(mantissa(random), exponent), // every exponent, subnormals
             }) {
            ASSERT_EQ(shortest_text_by_search(v), shortest_text(v)) << std::hexfloat << v;
        }
    }
    for (int k = 0; k < 4000; ++k) {
        const double values[] = {
            angle(random),            // crank angles, distances, pixels
            k * 0.017453292519943295, // the one-degree sweep's angles, and on
            std::round(angle(random) * 1e6) * std::pow(10.0, power(random) / 20),
        };
        for (const double v : values) {
            ASSERT_EQ(shortest_text_by_search(v), shortest_text(v)) << std::hexfloat << v;
        }
    }
    for (const double v : {0.0, -0.0, 1e22, 1e23, 123456.0, 1234567.0, 1e-5, 5e-324, -2.5}) {
        EXPECT_EQ(shortest_text_by_search(v), shortest_text(v)) << v;
    }
}

// And fixed_text_by_digits what printf's %.*f writes, which fixed_text writes natively, ties to
// even included: 0.125 to two places is 0.12, 0.375 is 0.38.
TEST(FixedTextByDigits, WritesWhatPrintfWrites) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> pixel(-2000, 2000);
    std::uniform_int_distribution<int> places(0, 6);
    for (int k = 0; k < 50000; ++k) {
        const int decimals = places(random);
        for (const double v : {pixel(random), std::round(pixel(random) * 8) / 16,
                               pixel(random) * 1e-7, std::ldexp(pixel(random), 60)}) {
            std::array<char, 400> printed{};
            std::snprintf(printed.data(), printed.size(), "%.*f", decimals, v);
            ASSERT_EQ(fixed_text_by_digits(v, decimals), printed.data())
                << std::hexfloat << v << " to " << decimals;
        }
    }
    EXPECT_EQ(fixed_text_by_digits(0.125, 2), "0.12");
    EXPECT_EQ(fixed_text_by_digits(0.375, 2), "0.38");
    EXPECT_EQ(fixed_text_by_digits(-0.04, 1), "-0.0"); // fixed_text drops the sign afterwards
    EXPECT_EQ(fixed_text_by_digits(5e-324, 3), "0.000");
}

// The page reads numbers with number_from_text_by_search: it must read what std::from_chars
// reads, or a link written with shortest_text would not give back the same number. Read here: the
// shortest texts of every exponent's values, and the exact midpoints between neighbours (from a
// long double, which holds them), where a reader that does not round ties to even goes astray.
TEST(NumberFromTextBySearch, ReadsWhatFromCharsReads) {
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> mantissa(1, 2);
    std::array<char, 1200> text{};
    for (int exponent = -1074; exponent <= 1023; exponent += 3) {
        const double v = std::ldexp(mantissa(random), exponent);
        const long double midpoint = (static_cast<long double>(v) + std::nextafter(v, 2 * v)) / 2;
        std::snprintf(text.data(), text.size(), "%.1100Le", midpoint);
        for (const std::string& written :
             {shortest_text(v), shortest_text(-v), std::string(text.data())}) {
            ASSERT_EQ(number_from_text_by_search(written), number_from_text(written)) << written;
        }
        ASSERT_EQ(number_from_text_by_search(shortest_text(v)), v);
    }
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"0.052500000000000005", 0.052500000000000005},
        {"+1.5", 1.5},
        {".5", 0.5},
        {"5.", 5},
        {"1E2", 100},
        {"-0", -0.0},
        {"3e-324", 5e-324},
        {"2e-324", 0},
        {"1e-99999999", 0},
        {"1.7976931348623157e308", 1.7976931348623157e308},
        {"1.8e308", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"e5", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"1.2.3", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"+-1", std::nullopt}};
    for (const auto& [written, value] : cases) {
        EXPECT_EQ(number_from_text_by_search(written), value) << written;
        EXPECT_EQ(number_from_text(written), value) << written;
        if (value && *value == 0) {
            EXPECT_EQ(std::signbit(*number_from_text_by_search(written)), written[0] == '-');
        }
    }
}

} // namespace
} // namespace radial
