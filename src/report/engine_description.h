#pragma once

#include "core/engine_design.h"

#include <string>

namespace radial {

// A design as the outputs' headings show it, in its unit and in the window's ratios: "11
// cylinders, rod length 200 (l/s 2.00), wrist radius 52.5 (eccentricity 1.05), crank radius 50"
// for the animation's engine; "9 cylinders, rod length 10.25 in (l/s 1.86), ..., crank radius
// 2.75 in, wrist pins evenly spaced" for one in inches with another rule; "wrist pins as listed",
// "link rods as listed" where the design lists them.
std::string engine_description(const EngineDesign& design);

} // namespace radial
