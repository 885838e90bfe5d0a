#pragma once

#include "core/engine_state.h"
#include "core/surface.h"

namespace radial {

// Two alternative valve cam rings on the circle of radius d - r. Ring A has (n + 1) / 2 lobes and
// turns with the crank at 1 / (n + 1) of its speed; ring B has (n - 1) / 2 lobes and turns against
// it at 1 / (n - 1). Each is a regular polygon with a circle of radius 7 at every lobe, erased at
// the previous phase and drawn at the new one lobe by lobe. Pen width is the caller's (2); the
// current colour is left as it was.
void draw_cam_rings(const EngineState& s, Surface& surface);

constexpr double lobe_radius = 7;

int lobes_a(int n);
int lobes_b(int n);

} // namespace radial
