#pragma once

#include "core/engine_design.h"

#include <optional>
#include <vector>

namespace radial {

// One row of a builder's table: where cylinder i's wrist pin is drilled in the master rod's big
// end, how long its link rod is, and where its piston turns at the top. Lengths in the design's
// unit. For the master (cylinder 1) the pin is the crankpin centre itself and the rod the master
// rod.
struct PinTableRow {
    int cylinder = 0;
    double axis = 0;          // the cylinder's axis angle, radians
    double pin_angle = 0;     // radians on the master rod from its own axis; 0 for the master
    double pin_angle_deg = 0; // the same in degrees, as the design lists it
    // The hole's centre on the big end: origin the crankpin centre, y along the master rod
    // towards its piston pin, x to the right as the picture shows it at crank angle 0.
    double pin_x = 0, pin_y = 0;
    double link_length = 0;
    bool reaches = false;     // its rod reaches its axis at every crank angle; else none below
    double tdc_crank = 0;     // the crank angle of its top dead centre, radians in [0, 2 pi)
    double tdc_height = 0;    // the piston pin's distance from the crank centre there
    double tdc_shortfall = 0; // the master's TDC height less this one's
    double stroke = 0;
    // With the bore and the master's compression ratio, and a head at the master's deck
    // height: its clearance volume is the master's and the bore's area times its shortfall.
    // None without them, or where a piston would rise into that head (its clearance <= 0).
    std::optional<double> compression_ratio;
};

// The table of a design, cylinders 1..n. Top dead centres and strokes come from the exact
// closed-form pistons, their turning points found to rounding (far below 1e-9 of the crank
// radius).
std::vector<PinTableRow> pin_table(const EngineDesign& design);

// A cylinder's clearance volume over the bore's area, in the design's unit, with its head at the
// master's deck height: the master's S / (CR - 1) and the row's TDC shortfall. None without a
// compression ratio, for a rod that cannot always reach, or where the piston would rise into
// that head (a clearance <= 0).
std::optional<double> clearance_height(const EngineDesign& design, const PinTableRow& master,
                                       const PinTableRow& row);

} // namespace radial
