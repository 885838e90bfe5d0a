#pragma once

#include "analysis/crank_grid.h"
#include "analysis/exact_piston.h"

namespace radial {

// Where a piston that reaches its axis at every crank angle turns.
struct DeadCentres {
    double top = 0;    // crank angle of the largest distance, radians (any turn)
    double bottom = 0; // crank angle of the smallest distance, radians (any turn)
    double stroke = 0; // largest minus smallest distance, in the design's unit
};

// Every local extreme of the distance on the grid is refined by bisecting the change of sign of
// the velocity between its neighbours, which pins the angle down to rounding (far below 0.01
// degree); the largest and smallest refined distances win.
DeadCentres find_dead_centres(const ExactPiston& piston, const CrankGrid& grid);

} // namespace radial
