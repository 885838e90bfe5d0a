#pragma once

#include "argument_parsing.h"
#include "tool_options.h"

#include <iosfwd>
#include <span>
#include <string_view>

namespace radial {

// The whole tool: parses, then prints the chosen output (or the usage) to out, or one line to
// err. Returns the exit status: 0; 1 when out fails (flushed at the end, so a failure at any point
// shows), with the system's reason where out writes through a DescriptorBuffer; or 2 for refused
// arguments or a plot that cannot be written.
int run_tool(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

extern const char* const tool_usage;

} // namespace radial
