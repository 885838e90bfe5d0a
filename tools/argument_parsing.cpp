#include "argument_parsing.h"

#include "analysis/sweep_angles.h"
#include "core/engine_state.h"
#include "picture_arguments.h"
#include "report/crank_sweep.h"
#include "report/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace radial {

namespace {

// A flag and what its value may be; flags without a value have an empty accepts.
struct Flag {
    std::string_view name;
    std::string_view accepts;
};

constexpr std::string_view wrist_radius_accepts =
    "a finite number at least 0 and less than the rod length";

constexpr std::array flags = {
    Flag{"--cylinders", "an odd whole number from 3 to 35"},
    Flag{"--rod-length", "a finite number greater than 50 and at most 10000"},
    Flag{"--wrist-radius", wrist_radius_accepts},
    Flag{"--ls", "a finite number from 1.25 to 2.85 (rod length over stroke)"},
    Flag{"--eccentricity", "a finite number from 0.7 to 1.5 (wrist radius over crank radius)"},
    Flag{"--theta", "a finite number of radians"},
    Flag{"--sweep", "a finite step in radians greater than 0"},
    Flag{"--summary", ""},
    Flag{"--format", "'text' or 'csv'"},
    Flag{"--plot", "a path ending in .svg"},
    Flag{"--balance", ""},
    Flag{"--orders", "a whole number from 1 to 50"},
    Flag{"--balance-plot", "a path ending in .svg"},
    Flag{"--picture", "a path ending in .png or .svg"},
    Flag{"--animation", "a path ending in .gif"},
    Flag{"--frames", "a whole number from 2 to 2000"},
    Flag{"--vector", ""},
    Flag{"--version", ""},
};

// The flags that choose an output other than the single-angle CSV; at most one is given.
constexpr std::array<std::string_view, 7> mode_flags = {
    "--sweep", "--summary", "--plot", "--balance", "--balance-plot", "--picture", "--animation"};

const Flag* find_flag(std::string_view name) {
    const auto* it =
        std::find_if(flags.begin(), flags.end(), [name](const Flag& f) { return f.name == name; });
    return it == flags.end() ? nullptr : it;
}

// An argument as a flag and the value it carries: "--theta" alone, or "--theta=1" with "1".
struct Argument {
    std::string_view name;
    std::optional<std::string_view> value;
};

Argument split_argument(std::string_view arg) {
    const std::size_t equals = arg.find('=');
    if (!arg.starts_with("--") || equals == std::string_view::npos) {
        return {arg, std::nullopt};
    }
    return {arg.substr(0, equals), arg.substr(equals + 1)};
}

// An argument that names a flag, with or without its value after "=".
bool names_flag(std::string_view arg) {
    return find_flag(split_argument(arg).name) != nullptr;
}

UsageError refuse(const Flag& flag, std::string_view got) {
    const bool path = flag.accepts.starts_with("a path");
    return {std::string(flag.name) + " takes " + std::string(flag.accepts) + ", not '" +
            std::string(got) + "'" +
            (path && names_directory(got) ? ", which is a directory" : "")};
}

bool is_finite(const std::optional<double>& value) {
    return value && std::isfinite(*value);
}

// The engine's parameters: false when the value is not one the flag accepts.
bool read_engine_value(ToolOptions& o, std::string_view flag, std::string_view text) {
    if (flag == "--cylinders") {
        const auto n = read_integer(text);
        o.engine.n = n.value_or(0);
        return n && *n >= 3 && *n <= 35 && *n % 2 == 1;
    }
    const auto value = read_real(text);
    if (!is_finite(value)) {
        return false;
    }
    if (flag == "--rod-length") {
        o.engine.d = *value;
        return *value > 50 && *value <= 10000;
    }
    if (flag == "--wrist-radius") {
        o.engine.rp = *value;
        return *value >= 0;
    }
    if (flag == "--ls") {
        o.engine.d = 2 * crank_radius * *value;
        return *value >= 1.25 && *value <= 2.85;
    }
    o.engine.rp = crank_radius * *value;
    return *value >= 0.7 && *value <= 1.5;
}

// What to print: false when the value is not one the flag accepts.
bool read_output_value(ToolOptions& o, std::string_view flag, std::string_view text) {
    if (flag == "--plot" || flag == "--balance-plot") {
        o.mode = flag == "--plot" ? ToolMode::plot : ToolMode::balance_plot;
        o.plot_path = text;
        return has_ending(text, ".svg");
    }
    if (flag == "--orders") {
        const auto k = read_integer(text);
        o.orders = k.value_or(0);
        return k && *k >= 1 && *k <= 50;
    }
    if (flag == "--format") {
        o.format = text == "csv" ? TableFormat::csv : TableFormat::text;
        return text == "csv" || text == "text";
    }
    const auto value = read_real(text);
    if (flag == "--sweep") {
        o.mode = ToolMode::sweep;
        o.sweep_step = value.value_or(0);
        return is_finite(value) && *value > 0;
    }
    o.theta = value.value_or(0);
    return is_finite(value);
}

bool read_value(ToolOptions& o, std::string_view flag, std::string_view text) {
    constexpr std::array<std::string_view, 5> engine_flags = {
        "--cylinders", "--rod-length", "--wrist-radius", "--ls", "--eccentricity"};
    if (std::find(engine_flags.begin(), engine_flags.end(), flag) != engine_flags.end()) {
        return read_engine_value(o, flag, text);
    }
    if (is_picture_flag(flag)) {
        return read_picture_value(o, flag, text);
    }
    return read_output_value(o, flag, text);
}

bool given(std::span<const std::string_view> seen, std::string_view flag) {
    return std::find(seen.begin(), seen.end(), flag) != seen.end();
}

// Two flags that set one parameter, each in its own units.
std::optional<UsageError> check_alternatives(std::span<const std::string_view> seen) {
    const std::array<std::array<std::string_view, 3>, 2> pairs = {{
        {"--ls", "--rod-length", "the master rod length"},
        {"--eccentricity", "--wrist-radius", "the wrist-pin circle radius"},
    }};
    for (const auto& [ratio, length, what] : pairs) {
        if (given(seen, ratio) && given(seen, length)) {
            return UsageError{std::string(ratio) + " and " + std::string(length) + " both set " +
                              std::string(what) + ": give one"};
        }
    }
    return std::nullopt;
}

std::optional<UsageError> check_modes(std::span<const std::string_view> seen) {
    std::vector<std::string_view> modes;
    std::copy_if(mode_flags.begin(), mode_flags.end(), std::back_inserter(modes),
                 [seen](std::string_view flag) { return given(seen, flag); });
    if (modes.size() > 1) {
        return UsageError{std::string(modes[0]) + " and " + std::string(modes[1]) +
                          " are separate outputs: give one"};
    }
    if (given(seen, "--format") && !given(seen, "--summary") && !given(seen, "--balance")) {
        return UsageError{"--format applies only to --summary and --balance"};
    }
    if (given(seen, "--orders") && !given(seen, "--balance")) {
        return UsageError{"--orders applies only to --balance"};
    }
    if (given(seen, "--frames") && !given(seen, "--animation")) {
        return UsageError{"--frames applies only to --animation"};
    }
    if (given(seen, "--vector") && !given(seen, "--picture") && !given(seen, "--animation")) {
        return UsageError{"--vector applies only to --picture and --animation"};
    }
    if (!modes.empty() && modes[0] != "--picture" && given(seen, "--theta")) {
        return UsageError{"--theta applies only to the single-angle output and --picture, not to " +
                          std::string(modes[0]) + ", which covers every crank angle"};
    }
    return std::nullopt;
}

std::optional<UsageError> check_sweep_rows(const ToolOptions& o) {
    if (o.mode != ToolMode::sweep) {
        return std::nullopt;
    }
    const auto angles = sweep_angle_count(o.sweep_step);
    if (angles && *angles * o.engine.n <= max_sweep_rows) {
        return std::nullopt;
    }
    const std::string rows = angles ? std::to_string(*angles * o.engine.n) + " rows (" +
                                          std::to_string(*angles) + " crank angles x " +
                                          std::to_string(o.engine.n) + " cylinders)"
                                    : "over 10^15 rows";
    return UsageError{"--sweep " + shortest_text(o.sweep_step) + " would print " + rows +
                      "; at most " + std::to_string(max_sweep_rows) + ": take a larger step"};
}

std::optional<UsageError> check_combination(const ToolOptions& o,
                                            std::span<const std::string_view> seen) {
    if (auto error = check_alternatives(seen)) {
        return error;
    }
    if (auto error = check_modes(seen)) {
        return error;
    }
    if (o.engine.rp >= o.engine.d && given(seen, "--eccentricity")) {
        return UsageError{"--eccentricity gives a wrist-pin circle radius of " +
                          shortest_text(o.engine.rp) + ", which must be less than the rod " +
                          "length (" + shortest_text(o.engine.d) + ")"};
    }
    if (o.engine.rp >= o.engine.d) {
        return UsageError{"--wrist-radius takes " + std::string(wrist_radius_accepts) + " (" +
                          shortest_text(o.engine.d) + "), not '" + shortest_text(o.engine.rp) +
                          "'"};
    }
    return check_sweep_rows(o);
}

} // namespace

std::variant<ToolOptions, UsageError> parse_arguments(std::span<const std::string_view> args) {
    ToolOptions o;
    if (std::find(args.begin(), args.end(), "--help") != args.end() ||
        std::find(args.begin(), args.end(), "-h") != args.end()) {
        o.help = true;
        return o;
    }
    if (std::find(args.begin(), args.end(), "--version") != args.end()) {
        o.version = true;
        return o;
    }
    std::vector<std::string_view> seen;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const auto [name, attached] = split_argument(args[k]);
        const Flag* flag = find_flag(name);
        if (flag == nullptr) {
            return UsageError{"unknown argument '" + std::string(args[k]) + "' (see --help)"};
        }
        const bool takes_value = !flag->accepts.empty();
        if (!takes_value && attached) {
            return UsageError{std::string(flag->name) + " takes no value, not '" +
                              std::string(*attached) + "'"};
        }
        // A flag in the value's place means the value was left out.
        if (takes_value && !attached && (k + 1 == args.size() || names_flag(args[k + 1]))) {
            return UsageError{std::string(flag->name) +
                              " needs a value: " + std::string(flag->accepts)};
        }
        if (std::find(seen.begin(), seen.end(), flag->name) != seen.end()) {
            return UsageError{std::string(flag->name) + " is given twice"};
        }
        seen.push_back(flag->name);
        if (flag->name == "--summary") {
            o.mode = ToolMode::summary;
        }
        if (flag->name == "--balance") {
            o.mode = ToolMode::balance;
        }
        o.vector = o.vector || flag->name == "--vector";
        const std::string_view value = !takes_value ? "" : attached ? *attached : args[++k];
        if (takes_value && !read_value(o, flag->name, value)) {
            return refuse(*flag, value);
        }
    }
    if (auto error = check_combination(o, seen)) {
        return *error;
    }
    return o;
}

} // namespace radial
