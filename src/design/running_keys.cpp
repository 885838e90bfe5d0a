#include "design/running_keys.h"

#include "svg/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace radial {

namespace {

using D = EngineDesign;
constexpr double most_mass = 1e6, most_pressure = 1e9;

// The masses and the gas cycle's values are those of a spark-ignition aero engine at full
// throttle unless a design gives its own: docs/radial-kinematics.md says where each comes from.
const std::array<RunningKey, running_key_count> rows = {{
    {"speed_rpm", &D::speed_rpm, 0, false, 100000, "rpm", std::nullopt},
    {"reciprocating_mass", &D::reciprocating_mass, 0, true, most_mass, "kg", std::nullopt},
    {"link_rod_mass", &D::link_rod_mass, 0, true, most_mass, "kg", 0},
    {"link_rod_centre", &D::link_rod_centre, 0, true, 1, "", 0.35},
    {"master_rod_mass", &D::master_rod_mass, 0, true, most_mass, "kg", 0},
    {"master_rod_centre", &D::master_rod_centre, 0, true, 1, "", 0.25},
    {"rotating_mass", &D::rotating_mass, 0, true, most_mass, "kg", 0},
    {"intake_pressure", &D::intake_pressure, 0, true, most_pressure, "Pa", 1e5},
    {"exhaust_pressure", &D::exhaust_pressure, 0, true, most_pressure, "Pa", 1.05e5},
    {"crankcase_pressure", &D::crankcase_pressure, 0, true, most_pressure, "Pa", 1e5},
    {"polytropic_exponent", &D::polytropic_exponent, 1, false, 2, "", 1.3},
    {"burn_start", &D::burn_start, -180, true, 180, "degrees", -15},
    {"burn_duration", &D::burn_duration, 0, false, 360, "degrees", 50},
    {"heat_release", &D::heat_release, 0, true, most_pressure, "J", std::nullopt},
}};

} // namespace

std::span<const RunningKey> running_keys() {
    return rows;
}

const RunningKey& running_key(std::string_view key) {
    return *std::find_if(rows.begin(), rows.end(),
                         [key](const RunningKey& row) { return row.key == key; });
}

double running_value(const EngineDesign& design, std::string_view key) {
    return *running_key(key).of(design);
}

std::string running_flag(const RunningKey& row) {
    std::string flag = "--" + std::string(row.key);
    std::replace(flag.begin(), flag.end(), '_', '-');
    return flag;
}

namespace {

// 100000 rather than 1e+05.
std::string bound_text(double value) {
    return value == std::floor(value) ? fixed_text(value, 0) : shortest_text(value);
}

} // namespace

std::string running_range(const RunningKey& row) {
    std::string text = "a number " + std::string(row.lowest_allowed ? "from " : "greater than ") +
                       bound_text(row.lowest) + (row.lowest_allowed ? " to " : " and at most ") +
                       bound_text(row.highest);
    if (!row.unit.empty()) {
        text += " (" + std::string(row.unit) + ")";
    }
    return text;
}

bool within_range(const RunningKey& row, double value) {
    return std::isfinite(value) && value <= row.highest &&
           (row.lowest_allowed ? value >= row.lowest : value > row.lowest);
}

} // namespace radial
