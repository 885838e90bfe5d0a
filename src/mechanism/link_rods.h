#pragma once

#include "core/engine_state.h"
#include "core/surface.h"

namespace radial {

// One cylinder's link rod solved at the current master rod. The rod of length dd (d - rp unless
// the design lists it) runs from the wrist pin K, fixed on the master rod's big end at rp from
// the crankpin centre and at its body angle (mechanism/wrist_pins.h), to the piston pin
// P = mid (sin axis, cos axis) on the cylinder axis. mid is found by
// bisection on [r / 2, 2r + d]: the gap |P - K| grows with mid past the root, so a gap longer
// than dd moves the upper bound down and any other gap moves the lower bound up. It stops once
// the gap is within 0.1 of dd or after 101 midpoints, and the last midpoint tested is the answer;
// without a root in the interval it ends near one end of it.
struct Bisection {
    double distance = 0;
    int midpoints = 0;
};

constexpr int max_midpoints = 101;
constexpr double gap_tolerance = 0.1;

Bisection bisect_piston(double sin_axis, double cos_axis, double wrist_x, double wrist_y, double r,
                        double d, double dd);

// Solves cylinder i (2..n) from the record's master rod and the pin table's body angle and link
// rod length of i.
LinkRod solve_link_rod(const EngineState& s, int i);

// For i = 2..n, with the link rods solved for the frame (solve_frame): erase the pins and rod
// where they were last drawn, store the new ones in the pin table, draw the pins in blue and the
// rod in red. Pen width is the caller's (2); leaves
// the current colour red.
void draw_link_rods(EngineState& s, Surface& surface);

} // namespace radial
