#include "engine_description.h"

#include "core/engine_state.h"
#include "number_text.h"

namespace radial {

std::string engine_description(int n, double d, double rp) {
    const double r = crank_radius;
    return std::to_string(n) + " cylinders, rod length " + shortest_text(d) + " (l/s " +
           fixed_text(d / (2 * r), 2) + "), wrist radius " + shortest_text(rp) + " (eccentricity " +
           fixed_text(rp / r, 2) + "), crank radius " + shortest_text(r);
}

} // namespace radial
