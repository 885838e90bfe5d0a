#include "svg/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

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

} // namespace
} // namespace radial
