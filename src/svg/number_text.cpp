#include "report/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace radial {

std::string shortest_text(double value) {
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), ec == std::errc{} ? end : buffer.data());
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

std::optional<double> read_real(std::string_view text) {
    double value = 0;
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(text.data(), last, value);
    if (text.empty() || end != last) {
        return std::nullopt;
    }
    if (ec != std::errc::result_out_of_range) {
        return ec == std::errc{} ? std::optional(value) : std::nullopt;
    }
    // from_chars reports underflow as out of range too; strtod rounds it to a denormal or zero
    // and overflow to infinity. The whole text already has from_chars' form, so strtod reads the
    // same number (in the C locale, which the tool never leaves).
    const std::string terminated(text);
    const double near = std::strtod(terminated.c_str(), nullptr);
    return std::isfinite(near) ? std::optional(near) : std::nullopt;
}

std::optional<int> read_integer(std::string_view text) {
    int value = 0;
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(text.data(), last, value);
    if (text.empty() || ec != std::errc{} || end != last) {
        return std::nullopt;
    }
    return value;
}

} // namespace radial
