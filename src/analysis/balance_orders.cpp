#include "analysis/balance_orders.h"

#include "analysis/crank_grid.h"

#include <cmath>

namespace radial {

std::vector<BalanceOrder> balance_orders(const std::vector<EngineVector>& samples, int orders) {
    const auto n = static_cast<long long>(samples.size());
    // e^(-i theta_m), indexed by m = k j mod N, keeps every angle exact however large k j grows.
    const CrankGrid grid{static_cast<int>(n)};
    std::vector<EngineVector> turn;
    for (int m = 0; m < n; ++m) {
        turn.push_back(std::polar(1.0, -grid.angle(m)));
    }
    const double scale = 1.0 / static_cast<double>(n);
    std::vector<BalanceOrder> result;
    for (int k = 1; k <= orders; ++k) {
        EngineVector forward = 0;
        EngineVector backward = 0;
        for (long long j = 0; j < n; ++j) {
            const long long m = (k * j) % n;
            const EngineVector f = samples[static_cast<std::size_t>(j)];
            forward += f * turn[static_cast<std::size_t>(m)];
            backward += f * turn[static_cast<std::size_t>((n - m) % n)];
        }
        result.push_back({k, forward * scale, backward * scale});
    }
    return result;
}

RotatingForce rotating_force(EngineVector component) {
    const double amplitude = std::abs(component);
    if (amplitude < negligible_amplitude) {
        return {amplitude, 0};
    }
    const double phase = std::arg(component);
    const double turned = phase < 0 ? phase + two_pi : phase;
    // A tiny negative angle rounds up to 2 pi itself.
    return {amplitude, turned < two_pi ? turned : 0};
}

} // namespace radial
