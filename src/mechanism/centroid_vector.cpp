#include "mechanism/centroid_vector.h"

namespace radial {

void draw_centroid_vector(EngineState& s, Surface& surface) {
    s.sumx0 = s.sumx;
    s.sumx = 0;
    s.sumy0 = s.sumy;
    s.sumy = 0;
    const double vscale = centroid_magnification / s.n;
    for (int i = 1; i <= s.n; ++i) {
        s.sumx = s.pintab[i][3] + s.sumx;
        s.sumy = s.pintab[i][4] + s.sumy;
    }
    surface.set_pen_width(1);
    surface.set_current_colour(surface.background_colour());
    surface.line(0, 0, s.sumx0 * vscale, s.sumy0 * vscale);
    surface.set_current_colour(orange_brown);
    surface.line(0, 0, s.sumx * vscale, s.sumy * vscale);
}

} // namespace radial
