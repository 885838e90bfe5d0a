#include "number_parsing.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace radial {

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
