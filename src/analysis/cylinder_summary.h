#pragma once

#include "analysis/dead_centres.h"
#include "analysis/reach_ranges.h"
#include "core/engine_design.h"

#include <vector>

namespace radial {

// One cylinder over a whole crank revolution.
struct CylinderSummary {
    int cylinder = 0;
    double axis = 0; // radians
    bool reaches = false;
    std::vector<AngleRange> unreachable;
    // Only where the rod reaches at every angle:
    DeadCentres dead_centres;
    double max_bisection_error = 0; // largest |animation's - exact distance| on the grid
};

// Cylinders 1..n of a design, on the summary grid.
std::vector<CylinderSummary> summarise_cylinders(const EngineDesign& design);

} // namespace radial
