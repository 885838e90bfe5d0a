#include "analysis/cylinder_summary.h"

#include "core/engine_state.h"
#include "mechanism/engine_solution.h"

#include <cmath>

namespace radial {

namespace {

// The animation against the closed form at every grid angle where the rod reaches.
void measure_bisection(std::vector<CylinderSummary>& cylinders,
                       const std::vector<ExactPiston>& pistons, const EngineDesign& design) {
    for (int k = 0; k < summary_grid.steps; ++k) {
        const double theta = summary_grid.angle(k);
        const auto rows = solve_engine(design, theta);
        for (std::size_t i = 0; i < pistons.size(); ++i) {
            const PistonMotion m = pistons[i].at(theta);
            if (m.reaches) {
                double& worst = cylinders[i].max_bisection_error;
                worst = std::max(worst, std::abs(rows[i].distance - m.distance));
            }
        }
    }
}

} // namespace

std::vector<CylinderSummary> summarise_cylinders(const EngineDesign& design) {
    const std::vector<ExactPiston> pistons = exact_pistons(design);
    std::vector<CylinderSummary> cylinders;
    for (int i = 1; i <= design.cylinders; ++i) {
        const ExactPiston& piston = pistons[static_cast<std::size_t>(i - 1)];
        CylinderSummary c;
        c.cylinder = i;
        c.axis = piston.axis();
        c.unreachable = unreachable_ranges(piston, summary_grid);
        c.reaches = c.unreachable.empty();
        if (c.reaches) {
            c.dead_centres = find_dead_centres(piston, summary_grid);
        }
        cylinders.push_back(c);
    }
    measure_bisection(cylinders, pistons, design);
    return cylinders;
}

} // namespace radial
