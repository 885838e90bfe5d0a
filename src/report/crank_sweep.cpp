#include "report/crank_sweep.h"

#include "analysis/exact_piston.h"
#include "analysis/sweep_angles.h"
#include "core/engine_state.h"
#include "mechanism/engine_solution.h"
#include "svg/number_text.h"
#include "svg/text_sink.h"

#include <cmath>
#include <ostream>
#include <string_view>
#include <vector>

namespace radial {

namespace {

std::string finite_text(bool present, double value) {
    return present && std::isfinite(value) ? shortest_text(value) : std::string();
}

// The sweep's CSV, its header and then the rows of one crank angle at a time, each piece handed to
// take as soon as it is written, so that a long sweep need never be all in memory.
template <typename Take> void write_sweep(const EngineDesign& design, double step, Take take) {
    take(std::string_view("theta,cylinder,distance,exact_distance,velocity,acceleration\n"));
    const std::vector<ExactPiston> pistons = exact_pistons(design);
    const long long count = sweep_angle_count(step).value_or(0);
    TextSink rows;
    for (long long k = 0; k < count; ++k) {
        rows.text().clear();
        const double theta = sweep_angle(k, step);
        const std::string theta_text = shortest_text(theta);
        for (const CylinderSolution& row : solve_engine(design, theta)) {
            const PistonMotion m = pistons[static_cast<std::size_t>(row.cylinder - 1)].at(theta);
            rows << theta_text << ',' << row.cylinder << ',' << shortest_text(row.distance) << ','
                 << finite_text(m.reaches, m.distance) << ',' << finite_text(m.reaches, m.velocity)
                 << ',' << finite_text(m.reaches, m.acceleration) << '\n';
        }
        take(std::string_view(rows.text()));
    }
}

} // namespace

void print_sweep(const EngineDesign& design, double step, std::ostream& out) {
    write_sweep(design, step, [&out](std::string_view piece) { out << piece; });
}

std::string sweep_csv(const EngineDesign& design, double step) {
    std::string csv;
    write_sweep(design, step, [&csv](std::string_view piece) { csv += piece; });
    return csv;
}

} // namespace radial
