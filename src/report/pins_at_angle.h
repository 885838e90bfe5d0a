#pragma once

#include "core/engine_design.h"

#include <iosfwd>

namespace radial {

// Where every piston pin of a design sits at crank angle theta, in its unit, as CSV:
//   cylinder,axis,wrist_x,wrist_y,piston_x,piston_y,distance,midpoints
// solved as the animation solves its frame. Cylinder 1 is the master rod: its wrist columns hold
// the crankpin centre.
void print_pins(const EngineDesign& design, double theta, std::ostream& out);

} // namespace radial
