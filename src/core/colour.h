#pragma once

#include <cstdint>

namespace radial {

// A 24-bit colour written 0xBBGGRR: blue in the high byte, red in the low byte.
using Colour = std::uint32_t;

constexpr int red_of(Colour c) {
    return static_cast<int>(c & 0xFFu);
}
constexpr int green_of(Colour c) {
    return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int blue_of(Colour c) {
    return static_cast<int>((c >> 16) & 0xFFu);
}

// The palette of the animation.
constexpr Colour black = 0x000000;
constexpr Colour white = 0xFFFFFF;        // background, erasing
constexpr Colour grey = 0x808080;         // cylinder axes, crank circle and cross
constexpr Colour green = 0x00FF00;        // cam ring A
constexpr Colour magenta = 0xFF00FF;      // cam ring B
constexpr Colour blue = 0xFF0000;         // master rod, crankpin and pins
constexpr Colour red = 0x0000FF;          // link rods
constexpr Colour orange_brown = 0x0040C0; // centroid vector

} // namespace radial
