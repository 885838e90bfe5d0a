#include "svg/number_text.h"

#include <array>
#include <charconv>
#include <cstdio>

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

} // namespace radial
