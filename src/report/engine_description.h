#pragma once

#include "core/engine_parameters.h"

#include <string>

namespace radial {

// The engine's parameters as the outputs' headings show them, in world units and in the window's
// ratios: "11 cylinders, rod length 200 (l/s 2.00), wrist radius 52.5 (eccentricity 1.05),
// crank radius 50", for n cylinders, master rod length d and wrist radius rp.
std::string engine_description(EngineParameters p);

} // namespace radial
