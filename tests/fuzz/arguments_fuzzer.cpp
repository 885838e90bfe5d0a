// libFuzzer target for radial-kinematics' argument parsing and number reading. The input is a
// command line, its arguments separated by NUL bytes. Whatever it holds, parsing must not crash or
// trip a sanitizer, and what it accepts must lie within the ranges the tool promises.
#include "argument_parsing.h"
#include "kinematics_cli.h"
#include "number_parsing.h"
#include "svg/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

void require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

void check_accepted(const radial::ToolOptions& o) {
    const radial::EngineDesign& d = o.design;
    require(d.cylinders >= 3 && d.cylinders <= 35 && d.cylinders % 2 == 1);
    require(std::isfinite(d.rod_length) && d.rod_length > d.crank_radius &&
            d.rod_length <= 200 * d.crank_radius);
    require(std::isfinite(d.wrist_radius) && d.wrist_radius >= 0 && d.wrist_radius < d.rod_length);
    require(std::isfinite(o.theta));
    require(o.frames >= 2 && o.frames <= 2000);
    require(o.orders >= 1 && o.orders <= 50);
}

void check_numbers(std::string_view text) {
    if (const auto value = radial::read_real(text); value && std::isfinite(*value)) {
        require(radial::read_real(radial::shortest_text(*value)) == value);
    }
    if (const auto value = radial::read_integer(text)) {
        require(radial::read_integer(std::to_string(*value)) == value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> args;
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        args.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    for (const std::string_view arg : args) {
        check_numbers(arg);
    }

    const auto parsed = radial::parse_arguments(args);
    const auto* options = std::get_if<radial::ToolOptions>(&parsed);
    if (options == nullptr || options->help) {
        return 0;
    }
    check_accepted(*options);
    // The single-angle output is cheap enough to run whole; the whole-cycle ones are left to the
    // unit tests, and the plot would write files.
    if (options->mode == radial::ToolMode::single_angle) {
        std::ostringstream out, err;
        require(radial::run_tool(args, out, err) == 0 && err.str().empty());
    }
    return 0;
}
