#include "controls/parameter_bars.h"

#include <algorithm>
#include <cmath>

namespace radial {

double lowest_setting(const BarRange& bar) {
    return static_cast<double>(bar.base - bar.maximum) / bar.per_unit;
}

double highest_setting(const BarRange& bar) {
    return static_cast<double>(bar.base - bar.minimum) / bar.per_unit;
}

int cylinders_from_bar(int v) {
    int n = parameter_bars[cylinders_bar].base - v;
    if (n % 2 == 0) {
        n = n + 1;
    }
    return n;
}

double rod_length_from_bar(int v, double r) {
    return (parameter_bars[rod_length_bar].base - v) * r / 100;
}

double wrist_radius_from_bar(int v, double r) {
    return (parameter_bars[wrist_radius_bar].base - v) * r / 100;
}

int bar_position(std::size_t bar, const EngineDesign& design) {
    const BarRange& b = parameter_bars[bar];
    const double r = design.crank_radius;
    const double setting = bar == cylinders_bar    ? design.cylinders
                           : bar == rod_length_bar ? design.rod_length / (2 * r)
                                                   : design.wrist_radius / r;
    const double position = b.base - std::round(setting * b.per_unit);
    return static_cast<int>(std::clamp(position, double(b.minimum), double(b.maximum)));
}

void set_from_bar(EngineState& s, std::size_t bar, int v) {
    EngineDesign& design = s.design;
    if (bar == cylinders_bar) {
        s.n = cylinders_from_bar(v);
        if (s.n != design.cylinders && !design.pin_angles_deg.empty()) {
            design.pin_rule = PinRule::animation;
        }
        if (s.n != design.cylinders) {
            design.pin_angles_deg.clear();
            design.link_lengths.clear();
        }
        design.cylinders = s.n;
    } else if (bar == rod_length_bar) {
        s.d = rod_length_from_bar(v, s.r);
        design.rod_length = rod_length_from_bar(v, design.crank_radius);
    } else if (bar == wrist_radius_bar) {
        s.rp = wrist_radius_from_bar(v, s.r);
        design.wrist_radius = wrist_radius_from_bar(v, design.crank_radius);
    }
}

} // namespace radial
