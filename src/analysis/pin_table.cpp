#include "analysis/pin_table.h"

#include "analysis/crank_grid.h"
#include "analysis/dead_centres.h"
#include "analysis/exact_piston.h"
#include "analysis/reach_ranges.h"
#include "mechanism/wrist_pins.h"

#include <cmath>

namespace radial {

namespace {

// V = A (clearance + S) against A clearance: the bore's area cancels.
std::optional<double> compression_ratio_of(const EngineDesign& d, const PinTableRow& master,
                                           const PinTableRow& row) {
    const std::optional<double> clearance = clearance_height(d, master, row);
    if (!d.bore || !clearance) {
        return std::nullopt;
    }
    return (*clearance + row.stroke) / *clearance;
}

} // namespace

std::vector<PinTableRow> pin_table(const EngineDesign& design) {
    const std::vector<ExactPiston> pistons = exact_pistons(design);
    std::vector<PinTableRow> rows;
    for (int i = 1; i <= design.cylinders; ++i) {
        const ExactPiston& piston = pistons[static_cast<std::size_t>(i - 1)];
        PinTableRow row;
        row.cylinder = i;
        row.axis = piston.axis();
        row.link_length = piston.rod();
        if (i > 1) {
            row.pin_angle = wrist_pin_angle(design, i);
            row.pin_angle_deg = wrist_pin_degrees(design, i);
            row.pin_x = design.wrist_radius * std::sin(row.pin_angle);
            row.pin_y = design.wrist_radius * std::cos(row.pin_angle);
        }
        row.reaches = unreachable_ranges(piston, summary_grid).empty();
        if (row.reaches) {
            const DeadCentres dc = find_dead_centres(piston, summary_grid);
            const double turn = std::fmod(dc.top, two_pi);
            row.tdc_crank = turn < 0 ? turn + two_pi : turn;
            row.tdc_height = piston.at(dc.top).distance;
            row.stroke = dc.stroke;
        }
        rows.push_back(row);
    }
    for (PinTableRow& row : rows) {
        if (row.reaches) {
            row.tdc_shortfall = rows.front().tdc_height - row.tdc_height;
            row.compression_ratio = compression_ratio_of(design, rows.front(), row);
        }
    }
    return rows;
}

std::optional<double> clearance_height(const EngineDesign& design, const PinTableRow& master,
                                       const PinTableRow& row) {
    if (!design.compression_ratio || !row.reaches) {
        return std::nullopt;
    }
    const double clearance = master.stroke / (*design.compression_ratio - 1) + row.tdc_shortfall;
    if (!(clearance > 0)) {
        return std::nullopt;
    }
    return clearance;
}

} // namespace radial
