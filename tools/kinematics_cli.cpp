#include "kinematics_cli.h"

#include "mechanism/engine_solution.h"
#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>
#include <vector>

namespace radial {

const char* const tool_usage =
    R"(Usage: radial-kinematics [--cylinders N] [--rod-length D] [--wrist-radius RP] [--theta T]

Prints where every piston pin of the radial engine sits at crank angle T, solved exactly as
the animation solves its frames (crank radius 50), as CSV on standard output:
  cylinder,axis,wrist_x,wrist_y,piston_x,piston_y,distance,midpoints
Cylinder 1 is the master rod: its wrist columns hold the crankpin centre. The other cylinders'
piston distances come from the animation's bisection, with the number of midpoints it took.

  --cylinders N      odd number of cylinders, 3 to 35 (default 11)
  --rod-length D     master rod length, more than 50 and at most 10000 (default 200)
  --wrist-radius RP  wrist-pin circle radius, at least 0 and less than D (default 52.5)
  --theta T          crank angle in radians from cylinder 1's axis, clockwise (default 0)
  --help             print this text
)";

namespace {

constexpr std::string_view cylinders_accepts = "an odd whole number from 3 to 35";
constexpr std::string_view rod_length_accepts = "a finite number greater than 50 and at most 10000";
constexpr std::string_view wrist_radius_accepts =
    "a finite number at least 0 and less than the rod length";
constexpr std::string_view theta_accepts = "a finite number of radians";

UsageError refuse(std::string_view flag, std::string_view accepts, std::string_view got) {
    return {std::string(flag) + " takes " + std::string(accepts) + ", not '" + std::string(got) +
            "'"};
}

std::optional<UsageError> read_flag(ToolOptions& o, std::string_view flag, std::string_view text) {
    if (flag == "--cylinders") {
        const auto n = read_integer(text);
        if (!n || *n < 3 || *n > 35 || *n % 2 == 0) {
            return refuse(flag, cylinders_accepts, text);
        }
        o.cylinders = *n;
        return std::nullopt;
    }
    const auto value = read_real(text);
    if (flag == "--rod-length") {
        if (!value || !std::isfinite(*value) || !(*value > 50) || *value > 10000) {
            return refuse(flag, rod_length_accepts, text);
        }
        o.rod_length = *value;
    } else if (flag == "--wrist-radius") {
        if (!value || !std::isfinite(*value) || *value < 0) {
            return refuse(flag, wrist_radius_accepts, text);
        }
        o.wrist_radius = *value;
    } else {
        if (!value || !std::isfinite(*value)) {
            return refuse(flag, theta_accepts, text);
        }
        o.theta = *value;
    }
    return std::nullopt;
}

std::optional<std::string_view> accepts_of(std::string_view flag) {
    if (flag == "--cylinders") {
        return cylinders_accepts;
    }
    if (flag == "--rod-length") {
        return rod_length_accepts;
    }
    if (flag == "--wrist-radius") {
        return wrist_radius_accepts;
    }
    if (flag == "--theta") {
        return theta_accepts;
    }
    return std::nullopt;
}

void print_csv(const ToolOptions& o, std::ostream& out) {
    out << "cylinder,axis,wrist_x,wrist_y,piston_x,piston_y,distance,midpoints\n";
    for (const CylinderSolution& c :
         solve_engine(o.cylinders, o.rod_length, o.wrist_radius, o.theta)) {
        out << c.cylinder << ',' << shortest_text(c.axis) << ',' << shortest_text(c.wrist_x) << ','
            << shortest_text(c.wrist_y) << ',' << shortest_text(c.piston_x) << ','
            << shortest_text(c.piston_y) << ',' << shortest_text(c.distance) << ',' << c.midpoints
            << '\n';
    }
}

} // namespace

std::variant<ToolOptions, UsageError> parse_arguments(std::span<const std::string_view> args) {
    ToolOptions o;
    for (std::string_view arg : args) {
        if (arg == "--help") {
            o.help = true;
            return o;
        }
    }
    std::vector<std::string_view> seen;
    for (std::size_t k = 0; k < args.size(); k += 2) {
        const std::string_view flag = args[k];
        const auto accepts = accepts_of(flag);
        if (!accepts) {
            return UsageError{"unknown argument '" + std::string(flag) + "' (see --help)"};
        }
        if (k + 1 == args.size()) {
            return UsageError{std::string(flag) + " needs a value: " + std::string(*accepts)};
        }
        if (std::find(seen.begin(), seen.end(), flag) != seen.end()) {
            return UsageError{std::string(flag) + " is given twice"};
        }
        seen.push_back(flag);
        if (auto error = read_flag(o, flag, args[k + 1])) {
            return *error;
        }
    }
    if (o.wrist_radius >= o.rod_length) {
        return UsageError{"--wrist-radius takes " + std::string(wrist_radius_accepts) + " (" +
                          shortest_text(o.rod_length) + "), not '" + shortest_text(o.wrist_radius) +
                          "'"};
    }
    return o;
}

int run_tool(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const auto parsed = parse_arguments(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        err << "radial-kinematics: " << error->message << '\n';
        return 2;
    }
    const auto& options = std::get<ToolOptions>(parsed);
    if (options.help) {
        out << tool_usage;
        return 0;
    }
    print_csv(options, out);
    return 0;
}

} // namespace radial
