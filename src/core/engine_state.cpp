#include "core/engine_state.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace radial {

void start_values(EngineState& s) {
    s.pi = 4.0 * std::atan(1.0);
    s.n = 11;
    s.r = crank_radius;
    s.start_rod_length = 200;
    s.d = s.start_rod_length;
    s.rp = 52.5;
    s.default_crank_step = 0.05;
    s.crank_step = s.default_crank_step;
    s.at_last_clear = {s.n, s.d, s.rp};
    std::fill(std::begin(s.pins), std::end(s.pins), PinRow{});
    s.theta = 5;
    s.design = EngineDesign{};
}

double world_scale(const EngineState& s) {
    return s.r / s.design.crank_radius;
}

void take_design(EngineState& s, const EngineDesign& design) {
    s.design = design;
    const double scale = world_scale(s);
    s.n = design.cylinders;
    s.d = design.rod_length * scale;
    s.rp = design.wrist_radius * scale;
}

double ls_readout(const EngineState& s) {
    return std::floor(50.0 * s.d / s.r) / 100.0;
}

double eccentricity_readout(const EngineState& s) {
    return std::floor(100.0 * s.rp / s.r) / 100.0;
}

} // namespace radial
