#pragma once

#include "analysis/engine_dynamics.h"

#include <vector>

namespace radial {

// The torque over one four-stroke cycle, 0 to 4 pi from cylinder 1's firing, sampled at
// torque_samples equal steps: enough that the largest and smallest fall within 0.125 degree of
// where they are, and that the orders below 50 come out to well under 1e-3 of the largest.
constexpr int torque_samples = 5760;

struct TorqueCycle {
    double mean = 0;                    // N m: the gas's work over 4 pi
    double power = 0;                   // W: the mean times the speed
    double largest = 0, largest_at = 0; // N m, and its crank angle in radians
    double smallest = 0, smallest_at = 0;
    // (largest - smallest) / mean; none when the mean is not positive.
    std::optional<double> fluctuation_coefficient;
    // The largest swing of the energy the crank stores against the mean torque's, J: the
    // integral of (T - mean) from its lowest to its highest point.
    double energy_swing = 0;
    // The flywheel (kg m^2) that keeps the speed within speed_fluctuation, (largest - smallest
    // speed) / mean speed: energy_swing / (speed_fluctuation omega^2).
    double flywheel = 0;
};

TorqueCycle torque_cycle(const EngineDynamics& dynamics, double speed_fluctuation);

// Order q of the torque, in half orders (q = k / 2 a revolution): T(theta) = mean + sum of
// amplitude cos(q theta + phase), phase in radians in [0, 2 pi).
struct TorqueOrder {
    double order = 0;
    double amplitude = 0; // N m
    double phase = 0;
};

// Orders 0.5, 1, 1.5, ... up to largest_order.
std::vector<TorqueOrder> torque_orders(const EngineDynamics& dynamics, int largest_order);

} // namespace radial
