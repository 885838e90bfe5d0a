#include "ui/commands.h"

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
        s.stepe = clamp_step(s.stepe * 1.05);
        return KeyOutcome::handled;
    case U',':
        s.stepe = clamp_step(s.stepe * 0.95);
        return KeyOutcome::handled;
    case U'/':
        s.stepe = s.stepe1;
        return KeyOutcome::handled;
    case U'c':
    case U'C':
        s.c = (s.c + 1) % 2;
        return KeyOutcome::handled;
    case U' ':
        s.w = (s.w + 1) % 2;
        return KeyOutcome::handled;
    default:
        return KeyOutcome::ignored;
    }
}

void on_mouse_down(EngineState& s) {
    s.mou = (s.mou + 1) % 2;
}

void on_mouse_move(EngineState& s, float x, float y) {
    const double product = static_cast<double>(x) * static_cast<double>(y);
    if (s.mou == 1 && static_cast<float>(product) != 0.0f && std::isfinite(product)) {
        s.stepe = clamp_step(product / 200000);
    }
}

int cylinders_from_bar(int v) {
    int n = cylinders_bar_base - v;
    if (n % 2 == 0) {
        n = n + 1;
    }
    return n;
}

double rod_length_from_bar(int v, double r) {
    return (rod_bar_base - v) * r / 100;
}

double wrist_radius_from_bar(int v, double r) {
    return (wrist_bar_base - v) * r / 100;
}

} // namespace radial
