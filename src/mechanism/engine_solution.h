#pragma once

#include "core/engine_parameters.h"
#include "core/engine_state.h"

#include <vector>

namespace radial {

// The record as the animation has it in the middle of a frame at crank angle theta, before any
// link rod is solved: start values but for n, d and rp, the link rod length, the body angles and
// the master rod of that angle.
EngineState engine_at(EngineParameters p, double theta);

// Every cylinder's pins at one crank angle, solved exactly as the animation solves its frame.
// Cylinder 1 is the master rod: its "wrist pin" is the crankpin centre, its piston pin (0, ym),
// and it takes no midpoints.
struct CylinderSolution {
    int cylinder = 0;
    double axis = 0;
    double wrist_x = 0, wrist_y = 0;
    double piston_x = 0, piston_y = 0;
    double distance = 0;
    int midpoints = 0;
};

// The crank radius is the animation's (50); n is odd in 3..35 and 0 <= rp < d with d > 50.
std::vector<CylinderSolution> solve_engine(EngineParameters p, double theta);

} // namespace radial
