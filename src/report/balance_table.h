#pragma once

#include "analysis/engine_balance.h"
#include "core/engine_design.h"
#include "report/table_format.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace radial {

// The harmonic orders 1..K of the pistons' shaking force of a design, balance being
// balance_engine's for it with every rod reaching. With TableFormat::csv, the table alone at full
// precision:
//   order,forward,forward_phase_deg,backward,backward_phase_deg
// amplitudes in multiples of m r omega^2, phases in degrees in [0, 360). With TableFormat::text, a
// heading saying what the numbers are, the table aligned (amplitudes to six decimals, phases to
// one), then the largest force over a revolution without and with a counterweight cancelling the
// first-order forward component, with the crank angles where they occur.
void print_balance(const EngineDesign& design, TableFormat format, const EngineBalance& balance,
                   std::ostream& out);

// Why balance cannot be reported, for a line on standard error: some rod cannot reach its axis
// at every crank angle, so the force is not defined all round (the cylinders are named); or a rod
// comes so near losing its axis that the orders do not settle on most_balance_samples angles.
// Nothing when it can be reported.
std::optional<std::string> balance_refusal(const EngineBalance& balance);

// " N" for a balance in newtons, " m r ω²" for one in multiples of m r omega^2.
std::string balance_unit(const EngineBalance& balance);

} // namespace radial
