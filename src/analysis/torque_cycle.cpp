#include "analysis/torque_cycle.h"

#include "analysis/balance_orders.h"
#include "analysis/crank_grid.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace radial {

namespace {

constexpr double cycle = two_turns;

double sample_angle(int j) {
    return cycle * j / torque_samples;
}

std::vector<double> total_torques(const EngineDynamics& dynamics) {
    std::vector<double> torques(torque_samples);
    for (int j = 0; j < torque_samples; ++j) {
        const CrankAngleDynamics d = dynamics.at(sample_angle(j));
        torques[static_cast<std::size_t>(j)] = d.gas_torque + d.inertia_torque;
    }
    return torques;
}

} // namespace

TorqueCycle torque_cycle(const EngineDynamics& dynamics, double speed_fluctuation) {
    const std::vector<double> torques = total_torques(dynamics);
    TorqueCycle t;
    t.mean = dynamics.mean_torque();
    t.power = t.mean * dynamics.omega();
    const auto [low, high] = std::minmax_element(torques.begin(), torques.end());
    t.largest = *high;
    t.largest_at = sample_angle(static_cast<int>(high - torques.begin()));
    t.smallest = *low;
    t.smallest_at = sample_angle(static_cast<int>(low - torques.begin()));
    if (t.mean > 0) {
        t.fluctuation_coefficient = (t.largest - t.smallest) / t.mean;
    }
    // The stored energy by the trapezoid rule, from the samples' own mean so that it closes.
    double sampled_mean = 0;
    for (const double torque : torques) {
        sampled_mean += torque / torque_samples;
    }
    const double step = cycle / torque_samples;
    double energy = 0, lowest = 0, highest = 0;
    for (std::size_t j = 0; j < torques.size(); ++j) {
        const double next = torques[(j + 1) % torques.size()];
        energy += (torques[j] + next) / 2 * step - sampled_mean * step;
        lowest = std::min(lowest, energy);
        highest = std::max(highest, energy);
    }
    t.energy_swing = highest - lowest;
    t.flywheel = t.energy_swing / (speed_fluctuation * dynamics.omega() * dynamics.omega());
    return t;
}

std::vector<TorqueOrder> torque_orders(const EngineDynamics& dynamics, int largest_order) {
    const std::vector<double> torques = total_torques(dynamics);
    std::vector<TorqueOrder> orders;
    for (int k = 1; k <= 2 * largest_order; ++k) {
        std::complex<double> sum = 0;
        for (int j = 0; j < torque_samples; ++j) {
            // The half order's angle k theta_j / 2 = 2 pi k j / N, reduced exactly to one turn.
            const int turn = static_cast<int>(static_cast<long long>(k) * j % torque_samples);
            sum += torques[static_cast<std::size_t>(j)] *
                   std::polar(1.0, -two_pi * turn / torque_samples);
        }
        const std::complex<double> c = sum * (2.0 / torque_samples);
        const RotatingForce rf = rotating_force(c);
        orders.push_back({k / 2.0, rf.amplitude, rf.phase});
    }
    return orders;
}

} // namespace radial
