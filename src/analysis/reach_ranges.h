#pragma once

#include "analysis/crank_grid.h"
#include "analysis/exact_piston.h"

#include <vector>

namespace radial {

// Crank angles in radians, from in [0, 2 pi) and from < to <= from + 2 pi: a range may run on
// past 2 pi into the next turn.
struct AngleRange {
    double from = 0;
    double to = 0;
};

// Where the rod cannot reach its axis (the reach margin is negative), in order of from. The
// grid's changes of sign are bisected to rounding; each local minimum of the margin on the grid
// is refined by golden-section search as well, so a range narrower than a grid step is found
// too. Empty when the rod reaches at every angle; {0, 2 pi} when it reaches at none.
std::vector<AngleRange> unreachable_ranges(const ExactPiston& piston, const CrankGrid& grid);

} // namespace radial
