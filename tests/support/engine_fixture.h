#pragma once

#include "core/engine_state.h"
#include "mechanism/engine_solution.h"

namespace radial::testing {

// The record as the frame loop leaves it at start, with the per-frame values of step 1.
inline EngineState started_engine() {
    EngineState s;
    start_values(s);
    s.link_rod_length = s.d - s.rp;
    s.pin_radius = 10;
    s.crankpin_radius = 27;
    return s;
}

// The record at crank angle theta with the master rod solved and the body angles computed, as
// link rods see it in frame step 11.
inline EngineState engine_at(double theta, int n = 11, double d = 200, double rp = 52.5) {
    return radial::engine_at({n, d, rp}, theta);
}

constexpr double tolerance = 1e-9;

// The crank radius, as the formulas write it.
constexpr double r = crank_radius;

} // namespace radial::testing
