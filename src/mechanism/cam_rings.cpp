#include "mechanism/cam_rings.h"

#include <cmath>

namespace radial {

int lobes_a(int n) {
    return (n + 1) / 2;
}
int lobes_b(int n) {
    return (n - 1) / 2;
}

namespace {

struct Ring {
    int lobes;
    double old_phase;
    double new_phase;
    Colour colour;
};

void draw_ring(const EngineState& s, Surface& surface, const Ring& ring) {
    const double rho = s.d - s.r;
    const int L = ring.lobes;
    for (int k = 1; k <= L; ++k) {
        const double alpha0 = 2 * s.pi * (k - 1) / L + ring.old_phase;
        const double alpha1 = 2 * s.pi * (k - 1) / L + ring.new_phase;
        const double gamma0 = 2 * s.pi * k / L + ring.old_phase;
        const double gamma1 = 2 * s.pi * k / L + ring.new_phase;
        const double x0 = rho * std::sin(alpha0), y0 = rho * std::cos(alpha0);
        const double x1 = rho * std::sin(alpha1), y1 = rho * std::cos(alpha1);
        surface.circle(x0, y0, lobe_radius, white);
        surface.circle(x1, y1, lobe_radius, ring.colour);
        surface.line(x0, y0, rho * std::sin(gamma0), rho * std::cos(gamma0), white);
        surface.line(x1, y1, rho * std::sin(gamma1), rho * std::cos(gamma1), ring.colour);
    }
}

} // namespace

void draw_cam_rings(const EngineState& s, Surface& surface) {
    draw_ring(s, surface, {lobes_a(s.n), s.phasea0, s.phasea, green});
    draw_ring(s, surface, {lobes_b(s.n), s.phaseb0, s.phaseb, magenta});
}

} // namespace radial
