#pragma once

#include "core/engine_design.h"
#include "core/engine_state.h"

#include <vector>

namespace radial {

// Every pin of one frame, solved from the record's geometry at its crank angle theta (n, r, d,
// rp and the pin table's body angles and link rod lengths): the master rod, then the link rods of
// cylinders 2..n by bisection, into the record's master_rod and link_rods. The frame solves
// before it draws anything; the reports solve the same way.
void solve_frame(EngineState& s);

// The record as the animation has it in the middle of a frame at crank angle theta, the design
// at the animation's scale: start values but for the design, the link rod length, the wrist pins
// placed and the frame solved.
EngineState engine_at(const EngineDesign& design, double theta);

// Every cylinder's pins at one crank angle, solved exactly as the animation solves its frame, in
// the design's unit. Cylinder 1 is the master rod: its "wrist pin" is the crankpin centre, its
// piston pin (0, ym), and it takes no midpoints.
struct CylinderSolution {
    int cylinder = 0;
    double axis = 0;
    double wrist_x = 0, wrist_y = 0;
    double piston_x = 0, piston_y = 0;
    double distance = 0;
    int midpoints = 0;
};

// The pins of a design at crank angle theta, solved at the animation's scale (where the
// bisection's tolerance of 0.1 and its midpoint counts are the animation's) and given back in the
// design's unit.
std::vector<CylinderSolution> solve_engine(const EngineDesign& design, double theta);

} // namespace radial
