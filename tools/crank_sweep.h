#pragma once

#include "tool_options.h"

#include <iosfwd>
#include <optional>

namespace radial {

// A sweep's rows: crank angles times cylinders.
constexpr long long max_sweep_rows = 1000000;

// The crank angles of a sweep are theta_k = k step for every k >= 0 with k step < 2 pi. Their
// count for a finite step > 0 (radians), or nothing when it is beyond 10^15.
std::optional<long long> sweep_angle_count(double step);

// CSV over one revolution: theta,cylinder,distance,exact_distance,velocity,acceleration, with
// cylinders 1..n at each crank angle. distance is the animation's; exact_distance, velocity and
// acceleration are ExactPiston's, empty where the rod cannot reach its axis (and the derivatives
// also where they are infinite, the rod square to the axis).
void print_sweep(const ToolOptions& o, std::ostream& out);

} // namespace radial
