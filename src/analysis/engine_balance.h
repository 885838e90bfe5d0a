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
constexpr double order_tolerance = 1e-11; // times the force's natural size (BalanceForce)

// The shaking force of one engine's pistons over a revolution: in multiples of m r omega^2 (one
// mass m at every piston pin); or, for a design with its speed, masses and unit, of every moving
// mass (engine_dynamics.h) in newtons.
struct EngineBalance {
    bool newtons = false;
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

// The force the balance analyses, as a function of crank angle: the pistons' in multiples of
// m r omega^2, with scale 1; or, for a design with its speed, masses and unit, every moving mass's
// in newtons, with scale the masses all together times r omega^2.
struct BalanceForce {
    ForceAtAngle at;
    double scale = 1;
    bool newtons = false;
};
BalanceForce balance_force(const EngineDesign& design);

// A design's pistons; orders 1..orders, orders >= 1.
EngineBalance balance_engine(const EngineDesign& design, int orders);

} // namespace radial
