#include "mechanism/crank.h"

#include "mechanism/axis_directions.h"

#include <cmath>

namespace radial {

MasterRod solve_master_rod(double r, double d, double theta) {
    MasterRod m;
    m.xc = r * std::sin(theta);
    m.yc = r * std::cos(theta);
    const double rise = std::sqrt(d * d - m.xc * m.xc);
    m.beta = std::atan(m.xc / rise);
    m.ym = rise + m.yc;
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

    const MasterRod m = solve_master_rod(s.r, s.d, s.theta);
    s.xc = m.xc;
    s.yc = m.yc;
    s.beta = m.beta;
    s.ym = m.ym;

    double* row = s.pintab[1];
    surface.set_current_colour(surface.background_colour());
    surface.line(row[1], row[2], 0, row[4]);
    surface.circle(0, row[4], s.pin);
    surface.circle(row[1], row[2], s.crankpin);

    row[3] = 0;
    row[4] = s.ym;
    row[1] = s.xc;
    row[2] = s.yc;

    surface.set_current_colour(blue);
    surface.line(s.xc, s.yc, 0, s.ym);
    surface.circle(0, s.ym, s.pin);
    surface.circle(s.xc, s.yc, s.crankpin);
}

} // namespace radial
