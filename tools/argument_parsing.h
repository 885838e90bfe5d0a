#pragma once

#include "tool_options.h"

#include <span>
#include <string_view>
#include <variant>

namespace radial {

// Reads the arguments after the program name. --help anywhere wins over everything else, then
// --version.
std::variant<ToolOptions, UsageError> parse_arguments(std::span<const std::string_view> args);

} // namespace radial
