#include "report/balance_table.h"

#include "report/aligned_table.h"
#include "report/angle_degrees.h"
#include "report/dynamics_tables.h"
#include "report/engine_description.h"
#include "svg/number_text.h"
#include "svg/word_list.h"

#include <numbers>
#include <ostream>

namespace radial {

namespace {

void print_csv(const EngineBalance& balance, std::ostream& out) {
    out << "order,forward,forward_phase_deg,backward,backward_phase_deg\n";
    for (const BalanceOrder& order : balance.orders) {
        const RotatingForce forward = rotating_force(order.forward);
        const RotatingForce backward = rotating_force(order.backward);
        out << order.order << ',' << shortest_text(forward.amplitude) << ','
            << shortest_text(crank_degrees(forward.phase)) << ','
            << shortest_text(backward.amplitude) << ','
            << shortest_text(crank_degrees(backward.phase)) << '\n';
    }
}

// An amplitude as the text shows it: to six decimals of m r omega^2, or to the newton's tenth.
std::string amplitude(const EngineBalance& balance, double value) {
    return fixed_text(value, balance.newtons ? 1 : 6);
}

void print_table(const EngineBalance& balance, std::ostream& out) {
    std::vector<TableRow> rows = {{"order", "forward", "phase deg", "backward", "phase deg"}};
    for (const BalanceOrder& order : balance.orders) {
        const RotatingForce forward = rotating_force(order.forward);
        const RotatingForce backward = rotating_force(order.backward);
        rows.push_back({std::to_string(order.order), amplitude(balance, forward.amplitude),
                        crank_degrees_text(forward.phase), amplitude(balance, backward.amplitude),
                        crank_degrees_text(backward.phase)});
    }
    print_aligned(rows, out);
}

std::string peak_sentence(const EngineBalance& balance, const PeakForce& peak) {
    const std::string size = amplitude(balance, peak.magnitude) + balance_unit(balance);
    if (peak.constant) {
        return size + ", the same at every crank angle";
    }
    return size + " at crank angle " + crank_degrees_text(peak.theta) + " degrees";
}

void print_text(const EngineDesign& design, const EngineBalance& balance, std::ostream& out) {
    out << engine_description(design) << ".\n";
    if (balance.newtons) {
        out << wrapped("The shaking force of every moving mass in newtons at " +
                       shortest_text(*design.speed_rpm) +
                       " rpm: the pistons and the rods' ends as the torque and the loads take "
                       "them, and the masses turning with the crankpin. Order k is a pair of "
                       "forces turning at k times crank speed, forward with the crank (clockwise) "
                       "and backward against it; a phase is where the force points at crank "
                       "angle 0, in degrees clockwise from cylinder 1's axis.")
            << "\n";
    } else {
        out << "The pistons' shaking force in multiples of m r ω²: m is the reciprocating mass "
               "at\n"
            << "each piston pin, r the crank radius, ω the crank's steady angular speed. Order k "
               "is a\n"
            << "pair of forces turning at k times crank speed, forward with the crank (clockwise) "
               "and\n"
            << "backward against it; a phase is where the force points at crank angle 0, in "
               "degrees\n"
            << "clockwise from cylinder 1's axis.\n\n";
    }
    print_table(balance, out);
    const RotatingForce primary = rotating_force(balance.orders[0].forward);
    out << "\nLargest shaking force: " << peak_sentence(balance, balance.largest) << ".\n"
        << "With a counterweight cancelling the first-order forward force ("
        << amplitude(balance, primary.amplitude) << balance_unit(balance) << ", pointing\n"
        << crank_degrees_text(primary.phase + std::numbers::pi)
        << " degrees clockwise from the crank): "
        << peak_sentence(balance, balance.largest_with_counterweight) << ".\n";
}

} // namespace

std::string balance_unit(const EngineBalance& balance) {
    return balance.newtons ? " N" : " m r ω²";
}

std::optional<std::string> balance_refusal(const EngineBalance& balance) {
    // Never one alone: cylinders i and n + 2 - i mirror each other, and the master always reaches.
    const std::vector<int>& c = balance.unreachable;
    if (!c.empty()) {
        std::vector<std::string> names;
        for (const int cylinder : c) {
            names.push_back(std::to_string(cylinder));
        }
        return "the link rods of cylinders " + listed(names) +
               " cannot reach their axes at every crank angle, so the engine has no shaking "
               "force to analyse";
    }
    if (!balance.converged) {
        return "a link rod comes so near losing its axis that the orders do not settle to " +
               shortest_text(order_tolerance) +
               (balance.newtons ? " of the force's size" : " m r ω²") + " on " +
               std::to_string(balance.samples) + " crank angles";
    }
    return std::nullopt;
}

void print_balance(const EngineDesign& design, TableFormat format, const EngineBalance& balance,
                   std::ostream& out) {
    if (format == TableFormat::csv) {
        print_csv(balance, out);
        return;
    }
    print_text(design, balance, out);
}

} // namespace radial
