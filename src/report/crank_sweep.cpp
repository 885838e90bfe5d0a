#include "report/crank_sweep.h"

#include "analysis/exact_piston.h"
#include "analysis/sweep_angles.h"
#include "core/engine_state.h"
#include "mechanism/engine_solution.h"
#include "svg/number_text.h"

#include <cmath>
#include <ostream>
#include <vector>

namespace radial {

namespace {

std::string finite_text(bool present, double value) {
    return present && std::isfinite(value) ? shortest_text(value) : std::string();
}

} // namespace

void print_sweep(EngineParameters p, double step, std::ostream& out) {
    const std::vector<ExactPiston> pistons = exact_pistons(p);
    const long long count = sweep_angle_count(step).value_or(0);
    out << "theta,cylinder,distance,exact_distance,velocity,acceleration\n";
    for (long long k = 0; k < count; ++k) {
        const double theta = sweep_angle(k, step);
        const std::string theta_text = shortest_text(theta);
        const auto rows = solve_engine(p, theta);
        for (const CylinderSolution& row : rows) {
            const PistonMotion m = pistons[static_cast<std::size_t>(row.cylinder - 1)].at(theta);
            out << theta_text << ',' << row.cylinder << ',' << shortest_text(row.distance) << ','
                << finite_text(m.reaches, m.distance) << ',' << finite_text(m.reaches, m.velocity)
                << ',' << finite_text(m.reaches, m.acceleration) << '\n';
        }
    }
}

} // namespace radial
