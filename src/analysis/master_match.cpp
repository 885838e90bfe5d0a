#include "analysis/master_match.h"

#include "analysis/crank_grid.h"
#include "analysis/dead_centres.h"
#include "analysis/exact_piston.h"
#include "analysis/reach_ranges.h"
#include "mechanism/wrist_pins.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace radial {

namespace {

// Fine enough to hold a piston's one top and one bottom apart; find_dead_centres refines them to
// rounding.
constexpr CrankGrid match_grid{360};
constexpr double one_degree = std::numbers::pi / 180;

// Where a link piston turns, for cylinder i with its wrist pin at body and its rod rod long.
struct PistonTurns {
    bool reaches = false;
    double top = 0;    // TDC height
    double stroke = 0; // TDC less BDC
};

PistonTurns turns_of(const EngineDesign& d, int i, double body, double rod) {
    const ExactPiston piston(i, d, body, rod);
    if (!unreachable_ranges(piston, match_grid).empty()) {
        return {};
    }
    const DeadCentres dc = find_dead_centres(piston, match_grid);
    return {true, piston.at(dc.top).distance, dc.stroke};
}

// The master's: the plain slider-crank's top d + r and stroke 2r, as the exact piston has them.
PistonTurns master_turns(const EngineDesign& d) {
    const ExactPiston master(1, d);
    const DeadCentres dc = find_dead_centres(master, match_grid);
    return {true, master.at(dc.top).distance, dc.stroke};
}

// The rod length from at_least up that puts cylinder i's top at height (which rises with the
// rod, nearly one for one): secant steps from at_least. None where the rod stops reaching or no
// length up to the longest a design takes does it.
std::optional<double> rod_for_top(const EngineDesign& d, int i, double body, double height,
                                  double at_least) {
    const double tolerance = 1e-13 * d.crank_radius;
    const double longest = longest_rod * d.crank_radius;
    double rod = at_least;
    PistonTurns t = turns_of(d, i, body, rod);
    double slope = 1;
    for (int k = 0; k < 60 && t.reaches; ++k) {
        const double miss = height - t.top;
        if (std::abs(miss) <= tolerance) {
            return rod;
        }
        const double next = std::min(rod + miss / slope, longest);
        const PistonTurns after = turns_of(d, i, body, next);
        if (!after.reaches || next == rod) {
            return std::nullopt;
        }
        slope = (after.top - t.top) / (next - rod);
        if (!(slope > 0.1)) {
            slope = 1;
        }
        rod = next;
        t = after;
    }
    return std::nullopt;
}

// Bisection of f's sign change between a and b (f(a) and f(b) of opposite signs), 64 halvings.
template <class F> double bisect_sign_change(F f, double a, double b) {
    const bool a_positive = f(a) > 0;
    for (int k = 0; k < 64; ++k) {
        const double mid = (a + b) / 2;
        ((f(mid) > 0) == a_positive ? a : b) = mid;
    }
    return (a + b) / 2;
}

struct MatchedCylinder {
    double body = 0;
    double rod = 0;
    std::optional<MatchMiss> miss;
};

// tdc: the level-TDC angle, or with a longer rod the angle beyond it where the top comes down to
// the master's.
MatchedCylinder match_top(const EngineDesign& d, int i, const PistonTurns& master, double level,
                          double toward) {
    const double rod = link_rod_length(d, i);
    const PistonTurns at_level = turns_of(d, i, level, rod);
    const double over = at_level.top - master.top;
    if (!at_level.reaches || over <= 1e-13 * d.crank_radius) {
        if (!at_level.reaches || over < -1e-11 * d.crank_radius) {
            return {level, rod, MatchMiss{i, -over, at_level.stroke - master.stroke}};
        }
        return {level, rod, std::nullopt};
    }
    const auto above = [&](double body) {
        const PistonTurns t = turns_of(d, i, body, rod);
        return t.reaches ? t.top - master.top : -1.0;
    };
    double far = level;
    for (int k = 1; k <= 90 && above(far) > 0; ++k) {
        far = level + toward * k * one_degree;
    }
    if (above(far) > 0) {
        return {far, rod,
                MatchMiss{i, -above(far), turns_of(d, i, far, rod).stroke - master.stroke}};
    }
    return {bisect_sign_change(above, level, far), rod, std::nullopt};
}

// tdc_and_stroke: along the angles below the level-TDC one, the rod that keeps the top at the
// master's, until the stroke is the master's.
MatchedCylinder match_top_and_stroke(const EngineDesign& d, int i, const PistonTurns& master,
                                     double level, double toward) {
    const double shortest = master.top - d.crank_radius - d.wrist_radius; // d - rp for a top d + r
    const auto excess_at = [&](double body) -> std::optional<double> {
        const auto rod = rod_for_top(d, i, body, master.top, shortest);
        if (!rod) {
            return std::nullopt;
        }
        return turns_of(d, i, body, *rod).stroke - master.stroke;
    };
    double best_body = level;
    double best_excess = excess_at(level).value_or(HUGE_VAL);
    double last = level;
    for (int k = 1; k <= 90; ++k) {
        const double body = level + toward * k * one_degree;
        const auto excess = excess_at(body);
        if (!excess) {
            break;
        }
        if (std::abs(*excess) < std::abs(best_excess)) {
            best_body = body;
            best_excess = *excess;
        }
        if (*excess <= 0) {
            const double found = bisect_sign_change(
                [&](double b) { return excess_at(b).value_or(-1.0); }, last, body);
            return {found, *rod_for_top(d, i, found, master.top, shortest), std::nullopt};
        }
        last = body;
    }
    const double rod = rod_for_top(d, i, best_body, master.top, shortest).value_or(shortest);
    const PistonTurns t = turns_of(d, i, best_body, rod);
    return {best_body, rod, MatchMiss{i, master.top - t.top, best_excess}};
}

} // namespace

MatchedDesign match_master(const EngineDesign& design, MasterMatch aim) {
    MatchedDesign result{design, {}};
    EngineDesign& d = result.design;
    const PistonTurns master = master_turns(design);
    const double pi = 4.0 * std::atan(1.0);
    std::vector<double> angles, rods;
    for (int i = 2; i <= design.cylinders; ++i) {
        const double level =
            rule_body_angle(PinRule::level_tdc, i, design.cylinders, design.crank_radius,
                            design.rod_length, design.wrist_radius, pi);
        const double axis = 2 * pi * (i - 1) / design.cylinders;
        const double toward = axis < level ? -1 : 1;
        const MatchedCylinder m = aim == MasterMatch::tdc
                                      ? match_top(design, i, master, level, toward)
                                      : match_top_and_stroke(design, i, master, level, toward);
        angles.push_back(m.body * 180 / pi);
        rods.push_back(m.rod);
        if (m.miss) {
            result.misses.push_back(*m.miss);
        }
    }
    d.pin_angles_deg = angles;
    if (aim == MasterMatch::tdc_and_stroke) {
        d.link_lengths = rods;
    }
    return result;
}

} // namespace radial
