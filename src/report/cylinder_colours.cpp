#include "report/cylinder_colours.h"

#include "svg/svg_text.h"

#include <array>
#include <cmath>

namespace radial {

namespace {

// HSL (hue in degrees, saturation and lightness in 0..1) to 0..255 channels.
std::array<int, 3> rgb_of(double hue, double saturation, double lightness) {
    const double chroma = (1 - std::abs(2 * lightness - 1)) * saturation;
    const double sector = hue / 60;
    const double second = chroma * (1 - std::abs(std::fmod(sector, 2.0) - 1));
    const double m = lightness - chroma / 2;
    const std::array<std::array<double, 3>, 6> by_sector = {{{chroma, second, 0},
                                                             {second, chroma, 0},
                                                             {0, chroma, second},
                                                             {0, second, chroma},
                                                             {second, 0, chroma},
                                                             {chroma, 0, second}}};
    const auto& rgb = by_sector[static_cast<std::size_t>(sector) % 6];
    std::array<int, 3> channels{};
    for (std::size_t k = 0; k < 3; ++k) {
        channels[k] = static_cast<int>(std::lround((rgb[k] + m) * 255));
    }
    return channels;
}

} // namespace

std::string cylinder_colour(int i, int n) {
    if (i == 1) {
        return "#000000";
    }
    const double hue = 360.0 * (i - 2) / (n - 1);
    const auto rgb = rgb_of(hue, 0.85, i % 2 == 0 ? 0.42 : 0.58);
    return hex_colour(rgb[0], rgb[1], rgb[2]);
}

} // namespace radial
