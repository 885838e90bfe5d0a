#include "analysis/dead_centres.h"

#include <vector>

namespace radial {

namespace {

struct Extreme {
    double angle = 0;
    double distance = 0;
};

// Where sign * velocity goes from positive at lo to negative at hi; the middle when it does not.
double refine(const ExactPiston& piston, double lo, double hi, double sign) {
    if (!(sign * piston.at(lo).velocity >= 0 && sign * piston.at(hi).velocity <= 0)) {
        return (lo + hi) / 2;
    }
    for (int k = 0; k < 64; ++k) {
        const double mid = (lo + hi) / 2;
        (sign * piston.at(mid).velocity > 0 ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

// The largest (sign 1) or smallest (sign -1) distance, from the grid's samples t.
Extreme extreme(const ExactPiston& piston, const CrankGrid& grid, const std::vector<double>& t,
                double sign) {
    Extreme best{grid.angle(0), t[0]};
    for (int k = 0; k < grid.steps; ++k) {
        const double here = sign * t[static_cast<std::size_t>(k)];
        if (here < sign * t[static_cast<std::size_t>(grid.wrap(k - 1))] ||
            here < sign * t[static_cast<std::size_t>(grid.wrap(k + 1))]) {
            continue;
        }
        const double angle = refine(piston, grid.angle(k - 1), grid.angle(k + 1), sign);
        const double distance = piston.at(angle).distance;
        if (sign * distance >= sign * best.distance) {
            best = {angle, distance};
        }
    }
    return best;
}

} // namespace

DeadCentres find_dead_centres(const ExactPiston& piston, const CrankGrid& grid) {
    std::vector<double> t;
    t.reserve(static_cast<std::size_t>(grid.steps));
    for (int k = 0; k < grid.steps; ++k) {
        t.push_back(piston.at(grid.angle(k)).distance);
    }
    const Extreme top = extreme(piston, grid, t, 1);
    const Extreme bottom = extreme(piston, grid, t, -1);
    return {top.angle, bottom.angle, top.distance - bottom.distance};
}

} // namespace radial
