#pragma once

#include "core/engine_design.h"

#include <iosfwd>
#include <string>

namespace radial {

// A sweep's rows: crank angles times cylinders.
constexpr long long max_sweep_rows = 1000000;

// CSV over one revolution of a design (lengths in its unit) at the crank angles of sweep_angles.h
// for step: theta,cylinder,distance, exact_distance,velocity,acceleration, with cylinders 1..n at
// each crank angle. distance is the animation's; exact_distance, velocity and acceleration are
// ExactPiston's, empty where the rod cannot reach its axis (and the derivatives also where they are
// infinite, the rod square to the axis).
void print_sweep(const EngineDesign& design, double step, std::ostream& out);

// The same CSV as a string.
std::string sweep_csv(const EngineDesign& design, double step);

} // namespace radial
