#include "svg/svg_text.h"

#include "svg/number_text.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace radial {

namespace {

// A size as a stream writes a double by default: printf's %g, which for the whole pixels below
// a million that sizes are in the page is the whole number.
std::string size_text(double value) {
#ifdef __EMSCRIPTEN__
    if (value == std::floor(value) && std::fabs(value) < 1e6) {
        return std::to_string(static_cast<long>(value));
    }
    return shortest_text(value);
#else
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%g", value);
    return text.data();
#endif
}

} // namespace

void open_svg(std::ostream& svg, double width, double height, std::string_view attributes) {
    svg << svg_opening(width, height, attributes);
}

std::string svg_opening(double width, double height, std::string_view attributes) {
    const std::string w = size_text(width), h = size_text(height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "width=\"" +
           w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + ' ' + h + '"' +
           std::string(attributes) + ">\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
}

std::string px(double value, int decimals) {
    return fixed_text(value, decimals);
}

double round_step(double rough) {
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    const double unit = rough / power;
    return power * (unit < 1.5 ? 1 : unit < 3.5 ? 2 : unit < 7.5 ? 5 : 10);
}

std::string hex_colour(int r, int g, int b) {
    constexpr std::string_view hex = "0123456789abcdef";
    std::string text = "#";
    for (const int channel : {r, g, b}) {
        text += hex[static_cast<std::size_t>(channel / 16 % 16)];
        text += hex[static_cast<std::size_t>(channel % 16)];
    }
    return text;
}

std::string hex_colour(Colour colour) {
    return hex_colour(red_of(colour), green_of(colour), blue_of(colour));
}

} // namespace radial
