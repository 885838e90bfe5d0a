#include "analysis/engine_balance.h"

#include "analysis/reach_ranges.h"
#include "core/engine_state.h"

#include <algorithm>

namespace radial {

namespace {

std::vector<int> unreachable_cylinders(const std::vector<ExactPiston>& pistons) {
    std::vector<int> cylinders;
    for (std::size_t i = 0; i < pistons.size(); ++i) {
        if (!unreachable_ranges(pistons[i], summary_grid).empty()) {
            cylinders.push_back(static_cast<int>(i + 1));
        }
    }
    return cylinders;
}

double largest_change(const std::vector<BalanceOrder>& a, const std::vector<BalanceOrder>& b) {
    double change = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        change = std::max({change, std::abs(a[k].forward - b[k].forward),
                           std::abs(a[k].backward - b[k].backward)});
    }
    return change;
}

} // namespace

EngineBalance balance_engine(const EngineDesign& design, int orders) {
    const std::vector<ExactPiston> pistons = exact_pistons(design);
    EngineBalance balance;
    balance.unreachable = unreachable_cylinders(pistons);
    if (!balance.unreachable.empty()) {
        return balance;
    }
    int samples = first_balance_samples;
    std::vector<EngineVector> forces = sample_shaking_force(pistons, samples);
    balance.orders = balance_orders(forces, orders);
    while (!balance.converged && samples < most_balance_samples) {
        samples *= 2;
        forces = sample_twice_as_finely(pistons, forces);
        std::vector<BalanceOrder> finer = balance_orders(forces, orders);
        balance.converged = largest_change(balance.orders, finer) <= order_tolerance;
        balance.orders = std::move(finer);
    }
    balance.samples = samples;
    balance.largest = largest_shaking_force(pistons, forces, 0);
    balance.largest_with_counterweight =
        largest_shaking_force(pistons, forces, balance.orders[0].forward);
    return balance;
}

} // namespace radial
