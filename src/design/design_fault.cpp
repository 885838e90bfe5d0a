#include "design/design_fault.h"

#include "design/running_keys.h"
#include "svg/number_text.h"

#include <cmath>
#include <string_view>

namespace radial {

namespace {

bool finite_within(double value, double above, double most) {
    return std::isfinite(value) && value > above && value <= most;
}

std::string length_range(double above, double most) {
    return "a number greater than " + shortest_text(above) + " and at most " + shortest_text(most);
}

std::optional<DesignFault> length_fault(const EngineDesign& d) {
    const double r = d.crank_radius;
    if (!finite_within(r, 0, largest_crank_radius) || r < smallest_crank_radius) {
        return DesignFault{"crank_radius",
                           "takes a number from 1e-06 to 1000000, not " + shortest_text(r)};
    }
    if (!finite_within(d.rod_length, r, longest_rod * r)) {
        return DesignFault{"rod_length", "takes " + length_range(r, longest_rod * r) +
                                             " (more than the crank radius), not " +
                                             shortest_text(d.rod_length)};
    }
    if (!std::isfinite(d.wrist_radius) || d.wrist_radius < 0 || d.wrist_radius >= d.rod_length) {
        return DesignFault{"wrist_radius",
                           "takes a number at least 0 and less than the rod length (" +
                               shortest_text(d.rod_length) + "), not " +
                               shortest_text(d.wrist_radius)};
    }
    return std::nullopt;
}

// A list for cylinders 2..n: n - 1 values, each within (above, most] once multiplied by shown
// (the unit the file writes them in) and quoted so.
std::optional<DesignFault> list_fault(std::string_view key, const std::vector<double>& values,
                                      int n, double shown, double above, double most) {
    if (values.empty()) {
        return std::nullopt;
    }
    if (static_cast<int>(values.size()) != n - 1) {
        return DesignFault{std::string(key), "takes " + std::to_string(n - 1) +
                                                 " values, one for each of cylinders 2 to " +
                                                 std::to_string(n) + ", not " +
                                                 std::to_string(values.size())};
    }
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (!finite_within(values[k] * shown, above, most)) {
            return DesignFault{std::string(key), "takes " + length_range(above, most) + ", not " +
                                                     shortest_text(values[k] * shown) +
                                                     " for cylinder " + std::to_string(k + 2)};
        }
    }
    return std::nullopt;
}

// Each value of how the design runs within its range, and the burn over before the exhaust opens
// half a turn after the firing.
std::optional<DesignFault> running_fault(const EngineDesign& d) {
    for (const RunningKey& row : running_keys()) {
        if (const std::optional<double>& value = d.*row.field;
            value && !within_range(row, *value)) {
            return DesignFault{std::string(row.key),
                               "takes " + running_range(row) + ", not " + shortest_text(*value)};
        }
    }
    const double start = running_value(d, "burn_start");
    const double duration = running_value(d, "burn_duration");
    if (start + duration <= 180) {
        return std::nullopt;
    }
    const std::string exhaust = ", ending the burn by 180 degrees after the firing, when the "
                                "exhaust opens";
    if (d.burn_duration) {
        return DesignFault{"burn_duration", "takes at most " + shortest_text(180 - start) +
                                                " after a start at " + shortest_text(start) +
                                                exhaust + ", not " + shortest_text(duration)};
    }
    return DesignFault{"burn_start", "takes at most " + shortest_text(180 - duration) +
                                         " for a burn of " + shortest_text(duration) + " degrees" +
                                         exhaust + ", not " + shortest_text(start)};
    return std::nullopt;
}

} // namespace

std::optional<DesignFault> design_fault(const EngineDesign& d) {
    if (d.cylinders < fewest_cylinders || d.cylinders > most_cylinders || d.cylinders % 2 == 0) {
        return DesignFault{"cylinders", "takes an odd whole number from 3 to 35, not " +
                                            std::to_string(d.cylinders)};
    }
    if (auto fault = length_fault(d)) {
        return fault;
    }
    const double most_rod = longest_rod * d.crank_radius;
    if (auto fault = list_fault("pin_angles", d.pin_angles_deg, d.cylinders, 1, -360, 360)) {
        return fault;
    }
    if (auto fault = list_fault("link_lengths", d.link_lengths, d.cylinders, 1, 0, most_rod)) {
        return fault;
    }
    if (d.bore && !finite_within(*d.bore, 0, most_rod)) {
        return DesignFault{"bore", "takes " + length_range(0, most_rod) + ", not " +
                                       shortest_text(*d.bore)};
    }
    if (d.compression_ratio && !finite_within(*d.compression_ratio, 1, largest_compression_ratio)) {
        return DesignFault{"compression_ratio", "takes " +
                                                    length_range(1, largest_compression_ratio) +
                                                    ", not " + shortest_text(*d.compression_ratio)};
    }
    return running_fault(d);
}

} // namespace radial
