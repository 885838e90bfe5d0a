#include "analysis/engine_balance.h"

#include "analysis/engine_dynamics.h"
#include "analysis/reach_ranges.h"
#include "core/engine_state.h"

#include <algorithm>
#include <memory>

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

BalanceForce balance_force(const EngineDesign& design) {
    if (missing_for_dynamics(design).empty()) {
        auto made = EngineDynamics::of(design, false);
        if (auto* d = std::get_if<EngineDynamics>(&made)) {
            const auto dynamics = std::make_shared<const EngineDynamics>(std::move(*d));
            const double scale = dynamics->force_scale();
            return {[dynamics](double theta) {
                        const PlaneForce f = dynamics->shaking_at(theta);
                        return EngineVector{f.y, f.x};
                    },
                    scale, true};
        }
    }
    auto pistons = std::make_shared<const std::vector<ExactPiston>>(exact_pistons(design));
    return {[pistons](double theta) { return shaking_force(*pistons, theta); }, 1, false};
}

EngineBalance balance_engine(const EngineDesign& design, int orders) {
    const std::vector<ExactPiston> pistons = exact_pistons(design);
    EngineBalance balance;
    balance.unreachable = unreachable_cylinders(pistons);
    if (!balance.unreachable.empty()) {
        return balance;
    }
    const BalanceForce force = balance_force(design);
    balance.newtons = force.newtons;
    const double scale = force.scale;
    int samples = first_balance_samples;
    std::vector<EngineVector> forces = sample_force(force.at, samples);
    balance.orders = balance_orders(forces, orders);
    while (!balance.converged && samples < most_balance_samples) {
        samples *= 2;
        forces = sample_force_twice_as_finely(force.at, forces);
        std::vector<BalanceOrder> finer = balance_orders(forces, orders);
        balance.converged = largest_change(balance.orders, finer) <= order_tolerance * scale;
        balance.orders = std::move(finer);
    }
    balance.samples = samples;
    // In newtons, what rounding leaves of a cancelled order is as small against the force's size
    // as it is against m r omega^2 in multiples of it: nothing, with no phase.
    for (BalanceOrder& order : balance.orders) {
        for (EngineVector* c : {&order.forward, &order.backward}) {
            *c = force.newtons && std::abs(*c) < negligible_amplitude * scale ? 0 : *c;
        }
    }
    balance.largest = largest_force(force.at, forces, 0, scale);
    balance.largest_with_counterweight =
        largest_force(force.at, forces, balance.orders[0].forward, scale);
    return balance;
}

} // namespace radial
