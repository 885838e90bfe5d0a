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

struct RingPoint {
    double x;
    double y;
};

// Lobe k (1 to L) stands at point k - 1 and is joined to point k, so the lobes' L + 1 points are
// worked out once for each phase: where one lobe's joint ends the next lobe begins, at the very
// same angle. (Point L, a whole turn on, is not point 0 to the last bit.)
void draw_ring(const EngineState& s, Surface& surface, const Ring& ring) {
    const double rho = s.d - s.r;
    const int L = ring.lobes;
    const auto point = [&s, rho, L](int j, double phase) {
        const double angle = 2 * s.pi * j / L + phase;
        return RingPoint{rho * std::sin(angle), rho * std::cos(angle)};
    };
    RingPoint old_start = point(0, ring.old_phase), new_start = point(0, ring.new_phase);
    for (int k = 1; k <= L; ++k) {
        const RingPoint old_end = point(k, ring.old_phase), new_end = point(k, ring.new_phase);
        surface.circle(old_start.x, old_start.y, lobe_radius, white);
        surface.circle(new_start.x, new_start.y, lobe_radius, ring.colour);
        surface.line(old_start.x, old_start.y, old_end.x, old_end.y, white);
        surface.line(new_start.x, new_start.y, new_end.x, new_end.y, ring.colour);
        old_start = old_end;
        new_start = new_end;
    }
}

} // namespace

void draw_cam_rings(const EngineState& s, Surface& surface) {
    draw_ring(s, surface, {lobes_a(s.n), s.cam_ring_a.previous, s.cam_ring_a.current, green});
    draw_ring(s, surface, {lobes_b(s.n), s.cam_ring_b.previous, s.cam_ring_b.current, magenta});
}

} // namespace radial
