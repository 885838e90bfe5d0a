#include "app/window_arguments.h"

#include "design/design_fault.h"
#include "design/design_names.h"
#include "design/toml_design.h"

#include <algorithm>

namespace radial {

const char* const window_usage =
    R"(Usage: radial-engine [--charts] [--design FILE] [--pin-angles RULE]
                     [-h | --help | --version]

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

  --charts            start with the charts window open
  --design FILE       run an engine of one's own, from a design file (TOML; see
                      radial-kinematics --help for its keys), drawn at the animation's scale;
                      the bars change its cylinders, l/s and eccentricity
  --pin-angles RULE   place the wrist pins by a rule over the design's: animation (the
                      default), even or level-tdc
  --help              print this text (-h does too)
  --version           print the program's name and version

It takes no other options, apart from Qt's own (such as -platform NAME or -display HOST:N).
See radial-kinematics for the same kinematics as numbers.
)";

namespace {

bool is_help(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

// An own flag that takes a value: "--design", "--pin-angles", or "" for any other argument; the
// value, when it is attached with "=".
struct ValueFlag {
    std::string_view name;
    std::optional<std::string_view> value;
};

ValueFlag value_flag(std::string_view arg) {
    for (const std::string_view name :
         {std::string_view("--design"), std::string_view("--pin-angles")}) {
        if (arg == name) {
            return {name, std::nullopt};
        }
        if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=') {
            return {name, arg.substr(name.size() + 1)};
        }
    }
    return {};
}

} // namespace

WindowCommand read_window_arguments(std::span<const std::string_view> args, bool qt_options_taken) {
    WindowCommand command;
    bool help = false, version = false;
    std::optional<std::string_view> other;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string_view arg = args[k];
        const ValueFlag flag = value_flag(arg);
        if (flag.name.empty()) {
            help = help || is_help(arg);
            version = version || arg == "--version";
            command.charts = command.charts || arg == "--charts";
            const bool own = is_help(arg) || arg == "--version" || arg == "--charts";
            other = other || own ? other : std::optional(arg);
            continue;
        }
        if (!flag.value && k + 1 == args.size()) {
            return {WindowStart::refuse, std::string(flag.name) + " needs a value (see --help)"};
        }
        const std::string_view value = flag.value ? *flag.value : args[++k];
        if (flag.name == "--design") {
            command.design_path = value;
        } else if (!(command.pin_rule = rule_named(value))) {
            return {WindowStart::refuse, "--pin-angles takes 'animation', 'even' or 'level-tdc', "
                                         "not '" +
                                             std::string(value) + "'"};
        }
    }
    if (!other) {
        command.start = help      ? WindowStart::print_usage
                        : version ? WindowStart::print_version
                                  : WindowStart::open_window;
        return command;
    }
    if (!qt_options_taken && other->starts_with('-')) {
        return {WindowStart::ask_qt, {}};
    }
    return {WindowStart::refuse, "unknown argument '" + std::string(*other) + "' (see --help)"};
}

std::variant<std::optional<EngineDesign>, std::string> window_design(const WindowCommand& command) {
    if (command.design_path.empty() && !command.pin_rule) {
        return std::nullopt;
    }
    ReadDesign read;
    if (!command.design_path.empty()) {
        auto file = read_design_file(command.design_path);
        if (auto* refusal = std::get_if<std::string>(&file)) {
            return *refusal;
        }
        read = std::get<ReadDesign>(std::move(file));
    }
    if (command.pin_rule) {
        read.design.pin_rule = *command.pin_rule;
        read.design.pin_angles_deg.clear();
    }
    if (const auto fault = design_fault(read.design)) {
        return command.design_path.empty() ? fault->key + " " + fault->what
                                           : design_refusal(command.design_path, read, *fault);
    }
    return std::optional(read.design);
}

} // namespace radial
