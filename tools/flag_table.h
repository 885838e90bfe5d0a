#pragma once

#include "tool_options.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace radial {

// One command-line flag of radial-kinematics: its name; what its value may be (empty for a flag
// that takes none), as the refusals quote it; the reader that takes the value into the options,
// false when it is not one the flag accepts; the output it chooses, if any; the outputs it
// belongs to, if only some (ToolMode::single_angle standing for the default output); the
// parameter it sets, where two flags set one parameter in different units; and whether its value
// is a path (a refusal then says when it names a directory).
struct FlagRow {
    std::string name{};
    std::string accepts{};
    std::function<bool(ToolOptions&, std::string_view)> read{};
    std::optional<ToolMode> mode{};
    std::vector<ToolMode> applies_to{};
    std::string_view sets{};
    bool path = false;
};

constexpr std::string_view wrist_radius_accepts =
    "a finite number at least 0 and less than the rod length";

// Every flag but --help and -h, in the order the checks between them go: the first two given
// that set one parameter, or that choose an output each, are the ones a refusal names.
std::span<const FlagRow> flag_rows();

const FlagRow* find_flag_row(std::string_view name);

// The flag that chooses mode: "--sweep" for ToolMode::sweep; "" for the single-angle output.
std::string_view mode_flag(ToolMode mode);

} // namespace radial
