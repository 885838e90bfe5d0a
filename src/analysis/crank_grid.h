#pragma once

#include <numbers>

namespace radial {

constexpr double two_pi = 2 * std::numbers::pi;
constexpr double radians_per_degree = std::numbers::pi / 180;
// The four-stroke cycle: two crank turns.
constexpr double two_turns = 2 * two_pi;

// One crank revolution cut into equal steps: point k is at 2 pi k / steps radians, and indices
// wrap around, so point -1 is the one before 0 (at a negative angle).
struct CrankGrid {
    int steps = 3600;

    double angle(int k) const { return two_pi * k / steps; }
    int wrap(int k) const { return ((k % steps) + steps) % steps; }
};

// The summary's and the plot's grids: 0.1 and 0.5 degrees.
constexpr CrankGrid summary_grid{3600};
constexpr CrankGrid plot_grid{720};

} // namespace radial
