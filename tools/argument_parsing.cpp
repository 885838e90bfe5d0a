#include "argument_parsing.h"

#include "analysis/sweep_angles.h"
#include "design_arguments.h"
#include "flag_table.h"
#include "picture_arguments.h"
#include "report/crank_sweep.h"
#include "svg/number_text.h"
#include "svg/word_list.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace radial {

namespace {

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
    return find_flag_row(split_argument(arg).name) != nullptr;
}

UsageError refuse(const FlagRow& flag, std::string_view got) {
    return {std::string(flag.name) + " takes " + flag.accepts + ", not '" + std::string(got) + "'" +
            (flag.path && names_directory(got) ? ", which is a directory" : "")};
}

bool given(std::span<const FlagRow* const> seen, const FlagRow& row) {
    return std::find(seen.begin(), seen.end(), &row) != seen.end();
}

// Two given flags that set one parameter, each in its own units; or that choose an output each.
std::optional<UsageError> check_alternatives(std::span<const FlagRow* const> seen) {
    const auto rows = flag_rows();
    for (auto first = rows.begin(); first != rows.end(); ++first) {
        if (!given(seen, *first) || (first->sets.empty() && !first->mode)) {
            continue;
        }
        for (auto second = first + 1; second != rows.end(); ++second) {
            if (!given(seen, *second)) {
                continue;
            }
            if (!first->sets.empty() && second->sets == first->sets) {
                return UsageError{std::string(first->name) + " and " + std::string(second->name) +
                                  " both set " + std::string(first->sets) + ": give one"};
            }
            if (first->mode && second->mode) {
                return UsageError{std::string(first->name) + " and " + std::string(second->name) +
                                  " are separate outputs: give one"};
            }
        }
    }
    return std::nullopt;
}

// "--a", "--a and --b", "--a, --b and --c"; the default output by its description.
std::string outputs_text(const std::vector<ToolMode>& modes) {
    std::vector<std::string> names;
    for (const ToolMode mode : modes) {
        names.emplace_back(mode == ToolMode::single_angle
                               ? std::string_view("the single-angle output")
                               : mode_flag(mode));
    }
    return listed(names);
}

// A given flag that belongs to other outputs than the one chosen.
std::optional<UsageError> check_outputs(ToolMode mode, std::span<const FlagRow* const> seen) {
    for (const FlagRow& row : flag_rows()) {
        const auto& outputs = row.applies_to;
        if (outputs.empty() || !given(seen, row) ||
            std::find(outputs.begin(), outputs.end(), mode) != outputs.end()) {
            continue;
        }
        std::string message = std::string(row.name) + " applies only to " + outputs_text(outputs);
        if (std::find(outputs.begin(), outputs.end(), ToolMode::single_angle) != outputs.end()) {
            message +=
                ", not to " + std::string(mode_flag(mode)) + ", which covers every crank angle";
        }
        return UsageError{message};
    }
    return std::nullopt;
}

std::optional<UsageError> check_sweep_rows(const ToolOptions& o) {
    if (o.mode != ToolMode::sweep) {
        return std::nullopt;
    }
    const auto angles = sweep_angle_count(o.sweep_step);
    if (angles && *angles * o.design.cylinders <= max_sweep_rows) {
        return std::nullopt;
    }
    const std::string rows = angles ? std::to_string(*angles * o.design.cylinders) + " rows (" +
                                          std::to_string(*angles) + " crank angles x " +
                                          std::to_string(o.design.cylinders) + " cylinders)"
                                    : "over 10^15 rows";
    return UsageError{"--sweep " + shortest_text(o.sweep_step) + " would print " + rows +
                      "; at most " + std::to_string(max_sweep_rows) + ": take a larger step"};
}

std::optional<UsageError> check_combination(const ToolOptions& o,
                                            std::span<const FlagRow* const> seen) {
    if (auto error = check_alternatives(seen)) {
        return error;
    }
    if (auto error = check_outputs(o.mode, seen)) {
        return error;
    }
    if (o.design.wrist_radius >= o.design.rod_length &&
        given(seen, *find_flag_row("--eccentricity"))) {
        return UsageError{"--eccentricity gives a wrist-pin circle radius of " +
                          shortest_text(o.design.wrist_radius) +
                          ", which must be less than the rod " + "length (" +
                          shortest_text(o.design.rod_length) + ")"};
    }
    if (o.design.wrist_radius >= o.design.rod_length &&
        (o.design_flags.wrist_radius || o.design_path.empty())) {
        return UsageError{"--wrist-radius takes " + std::string(wrist_radius_accepts) + " (" +
                          shortest_text(o.design.rod_length) + "), not '" +
                          shortest_text(o.design.wrist_radius) + "'"};
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
    // The rod length's range follows from the crank radius, which these may change.
    o.crank_radius_given = std::any_of(args.begin(), args.end(), [](std::string_view arg) {
        const std::string_view name = split_argument(arg).name;
        return name == "--design" || name == "--crank-radius";
    });
    std::vector<const FlagRow*> seen;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const auto [name, attached] = split_argument(args[k]);
        const FlagRow* flag = find_flag_row(name);
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
            return UsageError{std::string(flag->name) + " needs a value: " + flag->accepts};
        }
        if (given(seen, *flag)) {
            return UsageError{std::string(flag->name) + " is given twice"};
        }
        seen.push_back(flag);
        if (flag->mode) {
            o.mode = *flag->mode;
        }
        const std::string_view value = !takes_value ? "" : attached ? *attached : args[++k];
        if (!flag->read(o, value)) {
            return refuse(*flag, value);
        }
    }
    auto read = resolve_design(o);
    if (auto* error = std::get_if<UsageError>(&read)) {
        return *error;
    }
    if (auto error = check_combination(o, seen)) {
        return *error;
    }
    if (auto error = design_refusal(o, std::get<ReadDesign>(read))) {
        return *error;
    }
    return o;
}

} // namespace radial
