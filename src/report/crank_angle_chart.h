#pragma once

#include "core/engine_parameters.h"

#include <string>

namespace radial {

// An SVG chart of every cylinder's exact piston distance (world units) against crank angle, 0
// to 360 degrees, for the engine with n cylinders, rod length d and wrist radius rp at the
// animation's crank radius: one curve per cylinder (a path of class "curve", in
// cylinder_colour), broken where the rod cannot reach its axis, with a legend, labelled axes
// and the parameters in the title.
std::string distance_plot_svg(EngineParameters p);

} // namespace radial
