#include "picture/steady_run.h"

#include <array>
#include <cmath>

namespace radial {

double four_stroke_cycle() {
    return 4 * (4.0 * std::atan(1.0)); // 4 pi, pi as start_values sets it
}

double window_angle(double theta) {
    const double cycle = four_stroke_cycle();
    const double within = std::fmod(theta, cycle); // exact, with the sign of theta
    return within > 0 ? within : within + cycle;
}

SteadyRun::SteadyRun(Surface& surface, const EngineDesign& design, CentroidVector vector)
    : loop_(s_, surface, pump_, hooks_) {
    loop_.start_up();
    take_design(s_, design);
    s_.vector_shown = vector == CentroidVector::on;
}

void SteadyRun::frame_at(double theta) {
    s_.crank_step = theta - s_.theta;
    loop_.frame();
}

void draw_steady(Surface& surface, const EngineDesign& design, double theta,
                 CentroidVector vector) {
    EngineState start;
    start_values(start);
    draw_steady(surface, design, theta, start.default_crank_step, vector);
}

void draw_steady(Surface& surface, const EngineDesign& design, double theta, double step,
                 CentroidVector vector) {
    SteadyRun run(surface, design, vector);
    const double t = window_angle(theta);
    for (const double angle : std::array{t - 2 * step, t - step, t}) {
        run.frame_at(angle);
    }
}

} // namespace radial
