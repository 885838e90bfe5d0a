#pragma once

#include "core/engine_state.h"
#include "core/surface.h"

namespace radial {

// The master rod joins the crankpin C = (xc, yc) = (r sin theta, r cos theta) to the master
// piston pin, which slides on cylinder 1's axis (x = 0). With the rod of length d from C to
// (0, ym):
//
//     xc^2 + (ym - yc)^2 = d^2   =>   ym = yc + sqrt(d^2 - xc^2)
//
// and the rod leans by beta = asin(xc / d) from the axis, written atan(xc / sqrt(d^2 - xc^2)).
// d > r always holds, so the square root is of a positive number.
MasterRod solve_master_rod(double r, double d, double theta);

// The cylinder axes in grey, from bottom dead centre (radius d - r) to top dead centre (d + r) of
// a plain slider-crank with rod d. Drawn every frame without erasing; pen width is the caller's.
void draw_axes(const EngineState& s, Surface& surface);

// The crank (cross and crankpin circle, pen width 1, grey), then the master rod as solved for the
// frame (solve_frame): erased where row 1 of the pin table says it was last drawn, stored, and
// drawn in blue. Leaves pen width 2 and the current colour blue.
void draw_crank_and_master_rod(EngineState& s, Surface& surface);

} // namespace radial
