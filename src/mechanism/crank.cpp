#include "mechanism/crank.h"

#include "mechanism/axis_directions.h"

#include <cmath>

namespace radial {

MasterRod solve_master_rod(double r, double d, double theta) {
    MasterRod m;
    m.crankpin_x = r * std::sin(theta);
    m.crankpin_y = r * std::cos(theta);
    const double rise = std::sqrt(d * d - m.crankpin_x * m.crankpin_x);
    m.beta = std::atan(m.crankpin_x / rise);
    m.piston_height = rise + m.crankpin_y;
    return m;
}

void draw_axes(const EngineState& s, Surface& surface) {
    const double inner = s.d - s.r;
    const double outer = s.d + s.r;
    for (int k = 1; k <= s.n; ++k) {
        const AxisDirection axis = axis_direction(k, s.n, s.pi);
        surface.line(inner * axis.sin, inner * axis.cos, outer * axis.sin, outer * axis.cos, grey);
    }
}

namespace {

void draw_crank(const EngineState& s, Surface& surface) {
    surface.set_pen_width(1);
    surface.set_current_colour(grey);
    surface.line(-10, 0, 10, 0);
    surface.line(0, -10, 0, 10);
    surface.circle(0, 0, s.r);
    surface.set_pen_width(2);
}

} // namespace

void draw_crank_and_master_rod(EngineState& s, Surface& surface) {
    draw_crank(s, surface);

    const MasterRod& m = s.master_rod;

    PinRow& row = s.pins[1];
    surface.set_current_colour(surface.background_colour());
    surface.line(row.wrist_x, row.wrist_y, 0, row.piston_y);
    surface.circle(0, row.piston_y, s.pin_radius);
    surface.circle(row.wrist_x, row.wrist_y, s.crankpin_radius);

    row.piston_x = 0;
    row.piston_y = m.piston_height;
    row.wrist_x = m.crankpin_x;
    row.wrist_y = m.crankpin_y;

    surface.set_current_colour(blue);
    surface.line(m.crankpin_x, m.crankpin_y, 0, m.piston_height);
    surface.circle(0, m.piston_height, s.pin_radius);
    surface.circle(m.crankpin_x, m.crankpin_y, s.crankpin_radius);
}

} // namespace radial
