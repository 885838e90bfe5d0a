#pragma once

#include "picture/palette.h"
#include "picture/pixel_surface.h"

#include <cstdint>
#include <span>
#include <vector>

namespace radial {

// An animation frame as the change from the frame before, for a format whose frames cover a
// rectangle of the picture and draw over what was shown: pixels of one picture row after row,
// and colour indices into window_palette with one index more that leaves a pixel as it was.
using Pixels = std::vector<std::uint32_t>;
using PixelView = std::span<const std::uint32_t>;
constexpr int transparent_index = static_cast<int>(window_palette.size());

// The smallest rectangle holding every pixel where now and before differ; empty if none does.
PixelRect changed_rect(PixelView now, PixelView before, int width, int height);

// The colour indices of rect in now, row after row, into indices. Where before is given, a pixel
// that did not change may take the transparent index instead of its colour: along each row the
// choice gives the fewest changes of index, since long runs of one index compress best. False if
// a pixel has a colour outside the palette.
bool frame_indices(PixelView now, const Pixels* before, int width, PixelRect rect,
                   std::vector<std::uint8_t>& indices);

// Copies rect of from into to; both are width pixels across.
void copy_rect(PixelView from, Pixels& to, int width, PixelRect rect);

} // namespace radial
