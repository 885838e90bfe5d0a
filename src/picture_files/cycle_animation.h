#pragma once

#include "picture/steady_run.h"

#include <optional>
#include <string>

namespace radial {

constexpr int animation_delay = 2; // hundredths of a second a frame

// One four-stroke cycle of the window's picture at its design size as an animated GIF that loops
// for ever: frame k of `frames` is draw_steady's picture at crank angle 4 pi k / frames in steady
// running with the step 4 pi / frames. The first frame is whole; each later one covers the
// rectangle of pixels that changed, those that did not left transparent. Nothing if encoding
// fails.
std::optional<std::string> cycle_animation_gif(const EngineDesign& design, int frames,
                                               CentroidVector vector = CentroidVector::off);

} // namespace radial
