#include "report/engine_description.h"

#include "core/engine_state.h"
#include "svg/number_text.h"

namespace radial {

std::string engine_description(EngineParameters p) {
    const double r = crank_radius;
    return std::to_string(p.n) + " cylinders, rod length " + shortest_text(p.d) + " (l/s " +
           fixed_text(p.d / (2 * r), 2) + "), wrist radius " + shortest_text(p.rp) +
           " (eccentricity " + fixed_text(p.rp / r, 2) + "), crank radius " + shortest_text(r);
}

} // namespace radial
