#pragma once

#include "tool_options.h"

#include <optional>
#include <span>
#include <string_view>

namespace radial {

// --picture, --animation and --frames.
bool is_picture_flag(std::string_view flag);

// Reads one of those flags' values: false when it is not one the flag accepts.
bool read_picture_value(ToolOptions& o, std::string_view flag, std::string_view text);

// --frames belongs to --animation.
std::optional<UsageError> check_picture_flags(std::span<const std::string_view> seen);

} // namespace radial
