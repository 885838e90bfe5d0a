#include "argument_parsing.h"

#include "number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
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
    Flag{"--theta", "a finite number of radians"},
};

const Flag *find_flag(std::string_view name) {
    const auto *it =
        std::find_if(flags.begin(), flags.end(), [name](const Flag &f) { return f.name == name; });
    return it == flags.end() ? nullptr : it;
}

UsageError refuse(const Flag &flag, std::string_view got) {
    return {std::string(flag.name) + " takes " + std::string(flag.accepts) + ", not '" +
            std::string(got) + "'"};
}

bool is_finite(const std::optional<double> &value) {
    return value && std::isfinite(*value);
}

// Stores one flag's value; false when the value is not one the flag accepts.
bool read_value(ToolOptions &o, std::string_view flag, std::string_view text) {
    if (flag == "--cylinders") {
        const auto n = read_integer(text);
        if (!n || *n < 3 || *n > 35 || *n % 2 == 0) {
            return false;
        }
        o.cylinders = *n;
        return true;
    }
    const auto value = read_real(text);
    if (!is_finite(value)) {
        return false;
    }
    if (flag == "--rod-length") {
        o.rod_length = *value;
        return *value > 50 && *value <= 10000;
    }
    if (flag == "--wrist-radius") {
        o.wrist_radius = *value;
        return *value >= 0;
    }
    o.theta = *value;
    return true;
}

std::optional<UsageError> check_combination(const ToolOptions &o) {
    if (o.wrist_radius >= o.rod_length) {
        return UsageError{"--wrist-radius takes " + std::string(wrist_radius_accepts) + " (" +
                          shortest_text(o.rod_length) + "), not '" + shortest_text(o.wrist_radius) +
                          "'"};
    }
    return std::nullopt;
}

} // namespace

std::variant<ToolOptions, UsageError> parse_arguments(std::span<const std::string_view> args) {
    ToolOptions o;
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        o.help = true;
        return o;
    }
    std::vector<std::string_view> seen;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const Flag *flag = find_flag(args[k]);
        if (flag == nullptr) {
            return UsageError{"unknown argument '" + std::string(args[k]) + "' (see --help)"};
        }
        const bool takes_value = !flag->accepts.empty();
        if (takes_value && k + 1 == args.size()) {
            return UsageError{std::string(flag->name) +
                              " needs a value: " + std::string(flag->accepts)};
        }
        if (std::find(seen.begin(), seen.end(), flag->name) != seen.end()) {
            return UsageError{std::string(flag->name) + " is given twice"};
        }
        seen.push_back(flag->name);
        if (takes_value && !read_value(o, flag->name, args[++k])) {
            return refuse(*flag, args[k]);
        }
    }
    if (auto error = check_combination(o)) {
        return *error;
    }
    return o;
}

} // namespace radial
