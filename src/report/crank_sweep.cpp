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
#include <utility>
#include <vector>

namespace radial {

namespace {

std::string finite_text(bool present, double value) {
    return present && std::isfinite(value) ? shortest_text(value) : std::string();
}

constexpr std::string_view sweep_header =
    "theta,cylinder,distance,exact_distance,velocity,acceleration\n";

// The rows of one crank angle.
void write_rows(EngineParameters p, const std::vector<ExactPiston>& pistons, double theta,
                TextSink& out) {
    const std::string theta_text = shortest_text(theta);
    const auto rows = solve_engine(p, theta);
    for (const CylinderSolution& row : rows) {
        const PistonMotion m = pistons[static_cast<std::size_t>(row.cylinder - 1)].at(theta);
        out << theta_text << ',' << row.cylinder << ',' << shortest_text(row.distance) << ','
            << finite_text(m.reaches, m.distance) << ',' << finite_text(m.reaches, m.velocity)
            << ',' << finite_text(m.reaches, m.acceleration) << '\n';
    }
}

} // namespace

// A crank angle's rows at a time, so that a long sweep is never all in memory.
void print_sweep(EngineParameters p, double step, std::ostream& out) {
    const std::vector<ExactPiston> pistons = exact_pistons(p);
    const long long count = sweep_angle_count(step).value_or(0);
    out << sweep_header;
    TextSink rows;
    for (long long k = 0; k < count; ++k) {
        rows.text().clear();
        write_rows(p, pistons, sweep_angle(k, step), rows);
        out << rows.text();
    }
}

std::string sweep_csv(EngineParameters p, double step) {
    const std::vector<ExactPiston> pistons = exact_pistons(p);
    const long long count = sweep_angle_count(step).value_or(0);
    TextSink csv;
    csv << sweep_header;
    for (long long k = 0; k < count; ++k) {
        write_rows(p, pistons, sweep_angle(k, step), csv);
    }
    return std::move(csv.text());
}

} // namespace radial
