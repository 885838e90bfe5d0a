#pragma once

#include "analysis/pin_table.h"

#include <string_view>
#include <vector>

namespace radial {

// The four-stroke cycle of a radial: two crank revolutions, crank angle 0 to 4 pi, beginning at
// cylinder 1's top dead centre of compression. Firing every other cylinder in turn, 1, 3, 5, ...,
// n, 2, 4, ..., n - 1, gives an odd number of cylinders equal firing intervals of 4 pi / n: the
// odd cylinders fire in the first revolution, as the crank passes their axes, the even ones in
// the second.

// The firing order: the cylinders' numbers in the order they fire.
std::vector<int> firing_order(int cylinders);

// Each cylinder's firing crank angle (radians, in [0, 4 pi)): its own compression top dead
// centre, from the pin table's TDC crank angle (so off its axis angle by its TDC offset), in the
// revolution the firing order puts it in. Cylinders 1..n in order; a rod that cannot always reach
// fires at its nominal angle, 4 pi k / n for its place k in the order.
std::vector<double> firing_angles(const std::vector<PinTableRow>& pins);

// The four strokes, from a cylinder's firing TDC: power (its first half revolution), exhaust,
// intake, compression.
enum class Stroke { power, exhaust, intake, compression };
std::string_view stroke_name(Stroke stroke);

// An angle reduced into [0, 4 pi).
double within_cycle(double angle);

// The stroke of a cylinder firing at fires (radians) at crank angle theta (any value), and the
// angle since its firing, in [0, 4 pi).
Stroke stroke_at(double fires, double theta);
double since_firing(double fires, double theta);

} // namespace radial
