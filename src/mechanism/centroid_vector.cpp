#include "mechanism/centroid_vector.h"

namespace radial {

void draw_centroid_vector(EngineState& s, Surface& surface) {
    s.previous_centroid_sum = s.centroid_sum;
    WorldSum& sum = s.centroid_sum;
    sum = {};
    const double vscale = centroid_magnification / s.n;
    for (int i = 1; i <= s.n; ++i) {
        sum.x = s.pins[i].piston_x + sum.x;
        sum.y = s.pins[i].piston_y + sum.y;
    }
    const WorldSum& before = s.previous_centroid_sum;
    surface.set_pen_width(1);
    surface.set_current_colour(surface.background_colour());
    surface.line(0, 0, before.x * vscale, before.y * vscale);
    surface.set_current_colour(orange_brown);
    surface.line(0, 0, sum.x * vscale, sum.y * vscale);
}

} // namespace radial
