#include "page_parameters.h"

#include "ui/commands.h"

#include <cmath>
#include <cstdlib>

namespace radial {

namespace {

// A plain decimal: an optional sign, digits, an optional point and digits; no exponent, no
// spaces, no infinities. Read in the C locale, as the page's address writes numbers.
std::optional<double> read_decimal(std::string_view text) {
    std::size_t k = 0;
    if (k < text.size() && (text[k] == '-' || text[k] == '+')) {
        ++k;
    }
    std::size_t digits = 0, points = 0;
    for (; k < text.size(); ++k) {
        if (text[k] >= '0' && text[k] <= '9') {
            ++digits;
        } else if (text[k] == '.' && points == 0) {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || digits > 30) {
        return std::nullopt;
    }
    const std::string copy(text);
    return std::strtod(copy.c_str(), nullptr);
}

// The whole number k with value = k / per_unit, if there is one within rounding of the decimal.
std::optional<int> steps_of(std::string_view text, double per_unit, int lowest, int highest) {
    const std::optional<double> value = read_decimal(text);
    if (!value) {
        return std::nullopt;
    }
    const double steps = *value * per_unit;
    const double whole = std::round(steps);
    if (std::fabs(steps - whole) > 1e-6 || whole < lowest || whole > highest) {
        return std::nullopt;
    }
    return static_cast<int>(whole);
}

std::optional<bool> read_switch(std::string_view text) {
    if (text == "1") {
        return true;
    }
    if (text == "0") {
        return false;
    }
    return std::nullopt;
}

std::string refusal(std::string_view name, std::string_view takes, std::string_view value,
                    std::string_view start) {
    return std::string(name) + " takes " + std::string(takes) + ", not \"" + std::string(value) +
           "\": the page starts with " + std::string(start) + ".";
}

} // namespace

std::string take_parameter(PageStart& start, std::string_view name, std::string_view value) {
    if (name == "cylinders") {
        const auto n = steps_of(value, 1, 3, 35);
        if (!n || *n % 2 == 0) {
            return refusal(name, "an odd number from 3 to 35", value, "11");
        }
        start.bars[0] = 38 - *n;
    } else if (name == "ls") {
        const auto steps = steps_of(value, 200, 250, 570); // l/s = (900 - VScroll2) / 200
        if (!steps) {
            return refusal(name, "1.25 to 2.85 in steps of 0.005", value, "2");
        }
        start.bars[1] = 900 - *steps;
    } else if (name == "eccentricity") {
        const auto steps = steps_of(value, 100, 70, 150); // rp / r = (200 - VScroll3) / 100
        if (!steps) {
            return refusal(name, "0.7 to 1.5 in steps of 0.01", value, "1.05");
        }
        start.bars[2] = 200 - *steps;
    } else if (name == "speed") {
        const auto speed = read_decimal(value);
        if (!speed || std::fabs(*speed) > max_step) {
            return refusal(name, "radians per frame from -12.566 to 12.566 (4 pi)", value, "0.05");
        }
        start.speed = *speed;
    } else if (name == "vector" || name == "paused") {
        const auto on = read_switch(value);
        if (!on) {
            return refusal(name, "1 or 0", value, "0");
        }
        (name == "vector" ? start.vector : start.paused) = *on;
    }
    return {};
}

} // namespace radial
