#pragma once

#include <span>
#include <string>
#include <string_view>

namespace radial {

// What the window program does with its command line.
enum class WindowStart { open_window, print_usage, print_version, refuse, ask_qt };

struct WindowCommand {
    WindowStart start = WindowStart::open_window;
    // For refuse: one line for standard error, without the program name.
    std::string message;
    // For open_window: --charts, the charts window open from the start.
    bool charts = false;
};

// Reads the arguments after the program name. The program's own are --help or -h (which win),
// --version (which wins over --charts) and --charts; every other argument must be one of Qt's
// (-platform NAME, -display HOST:N, ...). Before Qt has taken its options off the command line, an
// argument that starts with a dash may be one of them or its value may follow: the answer is then
// ask_qt. An argument without a dash in the first place that is not the program's own can be no
// option's value, and is refused at once. After Qt has taken its options (qt_options_taken),
// whatever it left is refused.
WindowCommand read_window_arguments(std::span<const std::string_view> args, bool qt_options_taken);

extern const char* const window_usage;

} // namespace radial
