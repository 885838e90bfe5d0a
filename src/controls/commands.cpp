#include "controls/commands.h"

#include <algorithm>
#include <cmath>

namespace radial {

double clamp_step(double step) {
    return std::clamp(step, -max_step, max_step);
}

KeyOutcome on_key_press(EngineState& s, char32_t key) {
    switch (key) {
    case escape_key:
        return KeyOutcome::quit;
    case U'.':
        s.crank_step = clamp_step(s.crank_step * 1.05);
        return KeyOutcome::handled;
    case U',':
        s.crank_step = clamp_step(s.crank_step * 0.95);
        return KeyOutcome::handled;
    case U'/':
        s.crank_step = s.default_crank_step;
        return KeyOutcome::handled;
    case U'c':
    case U'C':
        s.vector_shown = !s.vector_shown;
        return KeyOutcome::handled;
    case U' ':
        s.paused = !s.paused;
        return KeyOutcome::handled;
    case U'g':
        return KeyOutcome::charts;
    default:
        return KeyOutcome::ignored;
    }
}

void on_mouse_down(EngineState& s) {
    s.mouse_sets_speed = !s.mouse_sets_speed;
}

void on_mouse_move(EngineState& s, float x, float y) {
    const double product = static_cast<double>(x) * static_cast<double>(y);
    if (s.mouse_sets_speed && static_cast<float>(product) != 0.0f && std::isfinite(product)) {
        s.crank_step = clamp_step(product / 200000);
    }
}

} // namespace radial
