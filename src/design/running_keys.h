#pragma once

#include "core/engine_design.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace radial {

// One value of how a design runs (its speed, masses and gas cycle): its design file key, which
// is also its flag's name ("speed_rpm", --speed-rpm), the design's field, its range and unit
// (SI), and the value the dynamics take when it is not given (none where they need it given).
struct RunningKey {
    std::string_view key;
    std::optional<double> EngineDesign::*field;
    double lowest;
    bool lowest_allowed; // the range includes lowest
    double highest;
    std::string_view unit; // "kg", "Pa", "degrees"; "" for a ratio
    std::optional<double> fallback;

    // The design's value, or the fallback.
    std::optional<double> of(const EngineDesign& design) const {
        const std::optional<double>& given = design.*field;
        return given ? given : fallback;
    }
};

inline constexpr std::size_t running_key_count = 14;

// In the order the design file writes them and the design's checks take them.
std::span<const RunningKey> running_keys();

const RunningKey& running_key(std::string_view key);

// The design's value of a key that has a fallback, or the fallback.
double running_value(const EngineDesign& design, std::string_view key);

// "--speed-rpm" for "speed_rpm".
std::string running_flag(const RunningKey& row);

// What a key's value may be, as a refusal quotes it: "a number greater than 0 and at most
// 100000 (rpm)".
std::string running_range(const RunningKey& row);

bool within_range(const RunningKey& row, double value);

} // namespace radial
