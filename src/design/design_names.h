#pragma once

#include "core/engine_design.h"

#include <optional>
#include <string>
#include <string_view>

namespace radial {

// The names the design file, the flags and the page's address use: "animation", "even",
// "level-tdc"; "mm", "cm", "m", "in", and "" for the animation's world units.
std::string_view rule_name(PinRule rule);
std::optional<PinRule> rule_named(std::string_view name);
std::string_view unit_name(LengthUnit unit);
std::optional<LengthUnit> unit_named(std::string_view name);

// " mm" after a length in the design's unit, or nothing in world units.
std::string unit_suffix(LengthUnit unit);
// The unit in words for a heading: "mm", or "world units".
std::string unit_words(LengthUnit unit);

} // namespace radial
