#pragma once

#include "picture/pixel_surface.h"

#include <optional>
#include <string>

namespace radial {

// The surface's device pixels as a PNG file's bytes: an indexed image over window_palette, which
// holds every colour the animation draws in. Nothing when a pixel has another colour or libpng
// fails.
std::optional<std::string> png_of(const PixelSurface& surface);

} // namespace radial
