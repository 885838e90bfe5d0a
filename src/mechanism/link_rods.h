#pragma once

#include "core/engine_parameters.h"
#include "core/engine_state.h"
#include "core/surface.h"

namespace radial {

// Cylinder i's wrist pin is fixed to the master rod's big end at distance rp from the crankpin
// centre. Its body angle, measured on the rod from the rod's own axis, is chosen so that with the
// rod upright the wrist pin lies where a rod of length d from the pin to cylinder i's axis would
// meet it: a + asin(rp sin a / d), a being the cylinder's axis angle, written with atan.
double body_angle(int i, EngineParameters p, double pi);

// Body angles of cylinders 2..n into the pin table.
void compute_body_angles(EngineState& s);

// One cylinder's link rod solved at the current master rod. The rod of length dd = d - rp runs
// from the
// wrist pin K to the piston pin P = mid (sin axis, cos axis) on the cylinder axis. mid is found by
// bisection on [r / 2, 2r + d]: the gap |P - K| grows with mid past the root, so a gap longer
// than dd moves the upper bound down and any other gap moves the lower bound up. It stops once
// the gap is within 0.1 of dd or after 101 midpoints, and the last midpoint tested is the answer;
// without a root in the interval it ends near one end of it.
struct LinkRod {
    double axis = 0;
    double wrist_x = 0, wrist_y = 0;
    double piston_x = 0, piston_y = 0;
    double distance = 0; // the last midpoint: the piston pin's distance from the origin
    int midpoints = 0;
};

struct Bisection {
    double distance = 0;
    int midpoints = 0;
};

constexpr int max_midpoints = 101;
constexpr double gap_tolerance = 0.1;

Bisection bisect_piston(double sin_axis, double cos_axis, double wrist_x, double wrist_y, double r,
                        double d, double dd);

// Solves cylinder i (2..n) from the record's master rod, link rod length and body angle of i.
LinkRod solve_link_rod(const EngineState& s, int i);

// For i = 2..n: solve, erase the pins and rod where they were last drawn, store the new ones in
// the pin table, draw the pins in blue and the rod in red. Pen width is the caller's (2); leaves
// the current colour red.
void draw_link_rods(EngineState& s, Surface& surface);

} // namespace radial
