#pragma once

#include <optional>

namespace radial {

// The crank angles of a sweep are theta_k = k step for every k >= 0 with k step < 2 pi
// (radians). Each is k step in one multiplication, without the drift of adding step k times.
double sweep_angle(long long k, double step);

// Their count for a finite step > 0 (radians), or nothing when it is beyond 10^15.
std::optional<long long> sweep_angle_count(double step);

} // namespace radial
