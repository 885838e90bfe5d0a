#pragma once

#include "core/colour.h"
#include "picture/pixel_surface.h"

#include <array>
#include <cstdint>

namespace radial {

// Every colour the animation draws in, white (the background) first: the colour table of the
// picture files, whose pixels are indices into it. Black is only the current colour at start;
// nothing is drawn in it.
constexpr std::array<Colour, 7> window_palette = {white, grey, green,       magenta,
                                                  blue,  red,  orange_brown};

// The index of a pixel value (pixel_value of a palette colour) in window_palette, or -1 for a
// value that is none of them.
constexpr int palette_index(std::uint32_t pixel) {
    for (std::size_t i = 0; i < window_palette.size(); ++i) {
        if (pixel_value(window_palette[i]) == pixel) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace radial
