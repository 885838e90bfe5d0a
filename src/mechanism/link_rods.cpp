#include "mechanism/link_rods.h"

#include "mechanism/axis_directions.h"

#include <cmath>

namespace radial {

Bisection bisect_piston(double sin_axis, double cos_axis, double wrist_x, double wrist_y, double r,
                        double d, double dd) {
    double hi = 2 * r + d;
    double lo = r / 2;
    int iters = 0;
    double mid = 0;
    double gap = 0;
    do {
        mid = (lo + hi) * 0.5;
        const double dx = mid * sin_axis - wrist_x;
        const double dy = mid * cos_axis - wrist_y;
        gap = std::sqrt(dx * dx + dy * dy);
        if (gap > dd) {
            hi = mid;
        } else {
            lo = mid;
        }
        iters = iters + 1;
    } while (!(iters > max_midpoints - 1 || std::abs(gap - dd) < gap_tolerance));
    return {mid, iters};
}

LinkRod solve_link_rod(const EngineState& s, int i) {
    LinkRod rod;
    const MasterRod& m = s.master_rod;
    const double body = s.pins[i].body_angle - m.beta;
    rod.wrist_x = m.crankpin_x + s.rp * std::sin(body);
    rod.wrist_y = m.crankpin_y + s.rp * std::cos(body);
    rod.axis = 2 * s.pi * (i - 1) / s.n;
    const AxisDirection direction = axis_direction(i, s.n, s.pi);
    const double sin_axis = direction.sin;
    const double cos_axis = direction.cos;
    const Bisection b = bisect_piston(sin_axis, cos_axis, rod.wrist_x, rod.wrist_y, s.r, s.d,
                                      s.pins[i].link_length);
    rod.distance = b.distance;
    rod.midpoints = b.midpoints;
    rod.piston_x = b.distance * sin_axis;
    rod.piston_y = b.distance * cos_axis;
    return rod;
}

void draw_link_rods(EngineState& s, Surface& surface) {
    for (int i = 2; i <= s.n; ++i) {
        const LinkRod& rod = s.link_rods[i];
        PinRow& row = s.pins[i];

        surface.set_current_colour(surface.background_colour());
        surface.circle(row.wrist_x, row.wrist_y, s.pin_radius);
        surface.circle(row.piston_x, row.piston_y, s.pin_radius);
        surface.line(row.wrist_x, row.wrist_y, row.piston_x, row.piston_y);

        surface.set_current_colour(blue);
        row.wrist_x = rod.wrist_x;
        row.wrist_y = rod.wrist_y;
        row.piston_x = rod.piston_x;
        row.piston_y = rod.piston_y;
        surface.circle(rod.wrist_x, rod.wrist_y, s.pin_radius);
        surface.circle(rod.piston_x, rod.piston_y, s.pin_radius);

        surface.set_current_colour(red);
        surface.line(rod.wrist_x, rod.wrist_y, rod.piston_x, rod.piston_y);
    }
}

} // namespace radial
