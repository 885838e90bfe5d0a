#include "report/engine_description.h"

#include "design/design_names.h"
#include "svg/number_text.h"

namespace radial {

namespace {

std::string placement_words(const EngineDesign& d) {
    std::string words;
    if (static_cast<int>(d.pin_angles_deg.size()) == d.cylinders - 1) {
        words += ", wrist pins as listed";
    } else if (d.pin_rule == PinRule::even) {
        words += ", wrist pins evenly spaced";
    } else if (d.pin_rule == PinRule::level_tdc) {
        words += ", wrist pins for level TDC";
    }
    if (static_cast<int>(d.link_lengths.size()) == d.cylinders - 1) {
        words += ", link rods as listed";
    }
    return words;
}

} // namespace

std::string engine_description(const EngineDesign& d) {
    const double r = d.crank_radius;
    const std::string unit = unit_suffix(d.unit);
    return std::to_string(d.cylinders) + " cylinders, rod length " + shortest_text(d.rod_length) +
           unit + " (l/s " + fixed_text(d.rod_length / (2 * r), 2) + "), wrist radius " +
           shortest_text(d.wrist_radius) + unit + " (eccentricity " +
           fixed_text(d.wrist_radius / r, 2) + "), crank radius " + shortest_text(r) + unit +
           placement_words(d);
}

} // namespace radial
