#include "core/engine_state.h"

#include <cmath>

namespace radial {

void start_values(EngineState& s) {
    s.pi = 4.0 * std::atan(1.0);
    s.n = 11;
    s.r = crank_radius;
    s.d0 = 200;
    s.d = s.d0;
    s.rp = 52.5;
    s.stepe1 = 0.05;
    s.stepe = s.stepe1;
    s.nlast = s.n;
    s.dlast = s.d;
    s.rplast = s.rp;
    for (auto& row : s.pintab) {
        for (double& cell : row) {
            cell = 0;
        }
    }
    s.theta = 5;
}

double ls_readout(const EngineState& s) {
    return std::floor(50.0 * s.d / s.r) / 100.0;
}

double eccentricity_readout(const EngineState& s) {
    return std::floor(100.0 * s.rp / s.r) / 100.0;
}

} // namespace radial
