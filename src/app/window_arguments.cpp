#include "app/window_arguments.h"

#include <algorithm>

namespace radial {

const char* const window_usage =
    R"(Usage: radial-engine [--charts] [-h | --help | --version]

Animates the kinematics of a radial piston engine in a window, seen along the crankshaft: the
cylinder axes, the crank, the master rod, the articulated link rods and two valve cam rings.

Controls:
  scroll bars        number of cylinders, l/s ratio, wrist-pin eccentricity (left to right)
  .  ,  /            5 % faster, 5 % slower, back to the default speed
  c or C             show or hide the vector to the pistons' mean position
  space              pause or resume
  g                  open or close the charts window beside the engine: the piston pins'
                     distance, velocity or acceleration against crank angle and the shaking
                     force's polar chart, each with a cursor at the engine's crank angle
  mouse button       mouse speed control on or off (the pointer's position sets the speed)
  Esc, double-click  quit

  --charts   start with the charts window open
  --help     print this text (-h does too)
  --version  print the program's name and version

It takes no other options, apart from Qt's own (such as -platform NAME or -display HOST:N).
See radial-kinematics for the same kinematics as numbers.
)";

namespace {

bool is_help(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

bool is_own(std::string_view arg) {
    return is_help(arg) || arg == "--version" || arg == "--charts";
}

} // namespace

WindowCommand read_window_arguments(std::span<const std::string_view> args, bool qt_options_taken) {
    const auto other = std::find_if_not(args.begin(), args.end(), is_own);
    if (other == args.end()) {
        if (std::any_of(args.begin(), args.end(), is_help)) {
            return {WindowStart::print_usage, {}};
        }
        if (std::find(args.begin(), args.end(), "--version") != args.end()) {
            return {WindowStart::print_version, {}};
        }
        return {WindowStart::open_window, {}, !args.empty()};
    }
    if (!qt_options_taken && other->starts_with('-')) {
        return {WindowStart::ask_qt, {}};
    }
    return {WindowStart::refuse, "unknown argument '" + std::string(*other) + "' (see --help)"};
}

} // namespace radial
