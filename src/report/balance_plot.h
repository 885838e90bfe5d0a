#pragma once

#include "analysis/engine_balance.h"
#include "core/engine_parameters.h"

#include <string>

namespace radial {

// An SVG polar diagram of the pistons' shaking force over one crank revolution, for the engine
// with n cylinders, rod length d and wrist radius rp at the animation's crank radius, balance
// being balance_engine's for it with every rod reaching. Drawn in the engine's own orientation,
// cylinder 1's axis up and angles clockwise: the path the tip of the force vector takes, every
// 0.5 degree of crank angle, as it is and with a counterweight cancelling the first-order forward
// component (paths of class "locus" with data-counterweight "no" and "yes", in two colours, a dot
// at crank angle 0, a legend); rings at round multiples of m r omega^2 with their values, spokes
// every 30 degrees, the parameters in the title.
std::string balance_plot_svg(EngineParameters p, const EngineBalance& balance);

} // namespace radial
