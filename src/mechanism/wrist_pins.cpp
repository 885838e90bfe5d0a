#include "mechanism/wrist_pins.h"

#include <cmath>

namespace radial {

namespace {

// The lists of a design for n cylinders, or none.
bool listed_for(const std::vector<double>& values, int n) {
    return static_cast<int>(values.size()) == n - 1;
}

// A listed angle, from the file's degrees.
double listed_angle(const EngineDesign& design, int i, double pi) {
    return design.pin_angles_deg[static_cast<std::size_t>(i - 2)] * pi / 180;
}

} // namespace

double rule_body_angle(PinRule rule, int i, int n, double r, double d, double rp, double pi) {
    const double a = 2 * pi * (i - 1) / n;
    if (rule == PinRule::even) {
        return a;
    }
    const double f = (rule == PinRule::level_tdc ? r : rp) * std::sin(a);
    return a + std::atan(f / std::sqrt(d * d - f * f));
}

double body_angle(int i, EngineParameters p, double pi) {
    return rule_body_angle(PinRule::animation, i, p.n, crank_radius, p.d, p.rp, pi);
}

double wrist_pin_angle(const EngineDesign& design, int i) {
    const double pi = 4.0 * std::atan(1.0); // as start_values sets it
    if (listed_for(design.pin_angles_deg, design.cylinders)) {
        return listed_angle(design, i, pi);
    }
    return rule_body_angle(design.pin_rule, i, design.cylinders, design.crank_radius,
                           design.rod_length, design.wrist_radius, pi);
}

double wrist_pin_degrees(const EngineDesign& design, int i) {
    if (listed_for(design.pin_angles_deg, design.cylinders)) {
        return design.pin_angles_deg[static_cast<std::size_t>(i - 2)];
    }
    return wrist_pin_angle(design, i) * 180 / (4.0 * std::atan(1.0));
}

double link_rod_length(const EngineDesign& design, int i) {
    if (listed_for(design.link_lengths, design.cylinders)) {
        return design.link_lengths[static_cast<std::size_t>(i - 2)];
    }
    return design.rod_length - design.wrist_radius;
}

void place_wrist_pins(EngineState& s) {
    const EngineDesign& design = s.design;
    const bool angles = listed_for(design.pin_angles_deg, s.n);
    const bool lengths = listed_for(design.link_lengths, s.n);
    for (int i = 2; i <= s.n; ++i) {
        const auto k = static_cast<std::size_t>(i - 2);
        PinRow& row = s.pins[i];
        row.body_angle = angles ? listed_angle(design, i, s.pi)
                                : rule_body_angle(design.pin_rule, i, s.n, s.r, s.d, s.rp, s.pi);
        row.link_length = lengths ? design.link_lengths[k] * world_scale(s) : s.link_rod_length;
    }
}

} // namespace radial
