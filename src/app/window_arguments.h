#pragma once

#include "core/engine_design.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace radial {

// What the window program does with its command line.
enum class WindowStart { open_window, print_usage, print_version, refuse, ask_qt };

struct WindowCommand {
    WindowStart start = WindowStart::open_window;
    // For refuse: one line for standard error, without the program name.
    std::string message;
    // For open_window: --charts, the charts window open from the start; --design, a design
    // file's path; --pin-angles, the wrist pins' rule over the design's.
    bool charts = false;
    std::string design_path{};
    std::optional<PinRule> pin_rule{};
};

// Reads the arguments after the program name. The program's own are --help or -h (which win),
// --version (which wins over the others), --charts, --design FILE and --pin-angles RULE (their
// values after a blank or "="); every other argument must be one of Qt's
// (-platform NAME, -display HOST:N, ...). Before Qt has taken its options off the command line, an
// argument that starts with a dash may be one of them or its value may follow: the answer is then
// ask_qt. An argument without a dash in the first place that is not the program's own can be no
// option's value, and is refused at once. After Qt has taken its options (qt_options_taken),
// whatever it left is refused.
WindowCommand read_window_arguments(std::span<const std::string_view> args, bool qt_options_taken);

// The design a command asks the window to run: none without --design or --pin-angles; else the
// design file's (or the default) with the rule over it, checked. Or one line refusing it, as
// radial-kinematics refuses the same file.
std::variant<std::optional<EngineDesign>, std::string> window_design(const WindowCommand& command);

extern const char* const window_usage;

} // namespace radial
