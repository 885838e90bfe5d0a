#include "analysis/sweep_angles.h"

#include "analysis/crank_grid.h"

#include <cmath>

namespace radial {

double sweep_angle(long long k, double step) {
    return static_cast<double>(k) * step;
}

std::optional<long long> sweep_angle_count(double step) {
    const double estimate = std::ceil(two_pi / step);
    if (!(estimate < 1e15)) {
        return std::nullopt;
    }
    auto count = static_cast<long long>(estimate);
    while (count > 0 && sweep_angle(count - 1, step) >= two_pi) {
        --count;
    }
    while (sweep_angle(count, step) < two_pi) {
        ++count;
    }
    return count;
}

} // namespace radial
