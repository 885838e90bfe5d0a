#pragma once

#include "analysis/shaking_force.h"

#include <vector>

namespace radial {

// Order k of the shaking force. F(theta) = sum over every whole k of c_k e^(i k theta): c_k for
// k >= 1 is the forward component, turning with the crank (at engine angle arg c_k + k theta),
// c_-k the backward one, turning against it (at arg c_-k - k theta). c_0 is 0: the force of a
// periodic motion averages to nothing. In multiples of m r omega^2.
struct BalanceOrder {
    int order = 0;
    EngineVector forward;  // c_k
    EngineVector backward; // c_-k
};

// Orders 1..orders of a force sampled at the crank angles 2 pi j / N, j = 0 .. N - 1: c_k is
// (1/N) sum_j F_j e^(-i k theta_j). Exact up to the orders the sampling folds onto k (k +- N,
// k +- 2N, ...), so N must be well above twice the largest order.
std::vector<BalanceOrder> balance_orders(const std::vector<EngineVector>& samples, int orders);

// Amplitudes below this count as nothing: their phase is 0.
constexpr double negligible_amplitude = 1e-12;

// A component's size and the engine angle it points at when the crank angle is 0, radians in
// [0, 2 pi) measured like every angle here (from cylinder 1's axis, clockwise); 0 when the
// amplitude is negligible.
struct RotatingForce {
    double amplitude = 0;
    double phase = 0;
};

RotatingForce rotating_force(EngineVector component);

} // namespace radial
