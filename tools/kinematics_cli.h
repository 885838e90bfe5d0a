#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace radial {

// What radial-kinematics was asked for.
struct ToolOptions {
    int cylinders = 11;
    double rod_length = 200;
    double wrist_radius = 52.5;
    double theta = 0;
    bool help = false;
};

// A refusal: one line for standard error, without the program name.
struct UsageError {
    std::string message;
};

// Reads the arguments after the program name.
std::variant<ToolOptions, UsageError> parse_arguments(std::span<const std::string_view> args);

// The whole tool: parses, then prints the CSV (or the usage) to out, or one line to err.
// Returns the exit status: 0, or 2 for refused arguments.
int run_tool(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

extern const char* const tool_usage;

} // namespace radial
