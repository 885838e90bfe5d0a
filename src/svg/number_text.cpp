#include "svg/number_text.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#ifndef __EMSCRIPTEN__
#include <charconv>
#endif

namespace radial {

namespace {

// The double that significand * 10^exponent reads as.
double read_back(unsigned long long significand, int exponent) {
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%llue%d", significand, exponent);
    return std::strtod(text.data(), nullptr);
}

} // namespace

std::string shortest_text_by_search(double value) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? (std::signbit(value) ? "-nan" : "nan")
               : value < 0       ? "-inf"
                                 : "inf";
    }
    if (value == 0) {
        return std::signbit(value) ? "-0" : "0";
    }
    // The fewest significant digits that read back as value: correctly rounded, or where the gap
    // below a power of two is half the gap above it, the neighbour on the wide side.
    const double magnitude = std::fabs(value);
    unsigned long long found = 0;
    int scale = 0; // magnitude reads as found * 10^scale
    for (int digits = 1; digits <= 17 && found == 0; ++digits) {
        std::array<char, 40> e{};
        std::snprintf(e.data(), e.size(), "%.*e", digits - 1, magnitude);
        unsigned long long rounded = 0;
        const char* c = e.data();
        for (; *c != 'e'; ++c) {
            if (*c != '.') {
                rounded = rounded * 10 + static_cast<unsigned long long>(*c - '0');
            }
        }
        scale = std::atoi(c + 1) - (digits - 1);
        for (const unsigned long long candidate : {rounded, rounded + 1, rounded - 1}) {
            if (read_back(candidate, scale) == magnitude) {
                found = candidate;
                break;
            }
        }
    }
    while (found % 10 == 0) {
        found /= 10;
        ++scale;
    }
    const std::string significand = std::to_string(found);
    const auto count = static_cast<int>(significand.size());
    const int exponent = scale + count - 1; // of the first digit
    const std::string sign = value < 0 ? "-" : "";
    std::string scientific = sign + significand.substr(0, 1);
    if (count > 1) {
        scientific += '.' + significand.substr(1);
    }
    const std::string power = std::to_string(std::abs(exponent));
    scientific += (exponent < 0 ? "e-" : "e+") + (power.size() < 2 ? "0" + power : power);
    std::string fixed;
    if (exponent < 0) {
        fixed =
            sign + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + significand;
    } else if (scale >= 0) {
        // A whole number: its exact digits, as to_chars writes them, not the significand's padded
        // with zeros.
        std::array<char, 400> whole{};
        std::snprintf(whole.data(), whole.size(), "%.0f", value);
        fixed = whole.data();
    } else {
        const auto point = static_cast<std::size_t>(exponent + 1);
        fixed = sign + significand.substr(0, point) + '.' + significand.substr(point);
    }
    return fixed.size() <= scientific.size() ? fixed : scientific;
}

std::string shortest_text(double value) {
#ifdef __EMSCRIPTEN__
    return shortest_text_by_search(value);
#else
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
#endif
}

std::string fixed_text(double value, int decimals) {
    std::array<char, 400> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    std::string text(buffer.data());
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

} // namespace radial
