#pragma once

#include "core/engine_state.h"
#include "core/surface.h"

namespace radial {

// The vector from the crankshaft axis to 9.57 times the mean position of all n piston pins
// (the pin table's rows 1..n), erased at the previous sums and drawn at the new ones in
// pen width 1. Called only while the vector is switched on; leaves the current colour orange-brown.
void draw_centroid_vector(EngineState& s, Surface& surface);

constexpr double centroid_magnification = 9.57;

} // namespace radial
