#pragma once

#include "core/engine_design.h"

#include <optional>
#include <string>

namespace radial {

// What is wrong with a design, by the design file's key that holds it ("rod_length"), as a
// phrase that follows the key: "takes a number greater than the crank radius (50) and at most
// 10000, not 40".
struct DesignFault {
    std::string key;
    std::string what;
};

// The first fault of a design, in the order of the design file's keys; none for a design every
// output can take. The ranges keep every square root and division in its domain and every number
// finite: a rod that cannot reach its cylinder's axis at some crank angles is no fault, the
// outputs say where.
std::optional<DesignFault> design_fault(const EngineDesign& design);

} // namespace radial
