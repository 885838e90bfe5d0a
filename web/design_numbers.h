#pragma once

#include "core/engine_design.h"

#include <optional>
#include <span>
#include <vector>

namespace radial {

// A design as a list of doubles, exactly, for the page's script to hand between the engine's
// WebAssembly and the analysis worker's: the cylinders, rod length, wrist radius, crank radius,
// the rule and the unit (as their enumerators' numbers), the bore and compression ratio (NaN
// when not given), how it runs (running_keys.h, NaN for each not given), then the count of
// listed pin angles and the angles, the count of listed link lengths and the lengths.
std::vector<double> design_numbers(const EngineDesign& design);

// The design those numbers are, or none for numbers that are no design's list.
std::optional<EngineDesign> design_of_numbers(std::span<const double> numbers);

} // namespace radial
