#pragma once

#include "analysis/balance_orders.h"
#include "analysis/peak_shaking_force.h"
#include "core/engine_design.h"

#include <vector>

namespace radial {

// Sample counts of the revolution tried for the orders: doubled from the first until the
// orders change by no more than order_tolerance (multiples of m r omega^2), at most the last.
constexpr int first_balance_samples = 1024;
constexpr int most_balance_samples = 1 << 17;
constexpr double order_tolerance = 1e-11;

// The shaking force of one engine's pistons over a revolution.
struct EngineBalance {
    // Cylinders whose rods cannot reach their axes at some crank angle, in order. When there are
    // any, the force is not defined all round and nothing below is filled.
    std::vector<int> unreachable;
    int samples = 0;        // crank angles the orders come from
    bool converged = false; // the last doubling changed no order by more than order_tolerance
    std::vector<BalanceOrder> orders; // 1..K
    PeakForce largest;
    // With a counterweight on the crank cancelling the first-order forward component.
    PeakForce largest_with_counterweight;
};

// A design's pistons; orders 1..orders, orders >= 1.
EngineBalance balance_engine(const EngineDesign& design, int orders);

} // namespace radial
