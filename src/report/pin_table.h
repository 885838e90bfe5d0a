#pragma once

#include "analysis/pin_table.h"
#include "core/engine_design.h"
#include "report/table_format.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace radial {

// A design's builder's table (analysis/pin_table.h), the master first. With TableFormat::csv, the
// table alone at full precision:
//   cylinder,pin_angle_deg,pin_x,pin_y,link_length,tdc_crank_deg,tdc_height,tdc_shortfall,
//   stroke,compression_ratio
// lengths in the design's unit, angles in degrees (the TDC's in [0, 360)); the TDC, stroke and
// compression ratio fields empty for a rod that cannot reach its axis at every crank angle, the
// compression ratio also without a bore and the master's compression ratio. With TableFormat::text,
// the design, what the columns hold, the table aligned (lengths to the decimals the crank radius
// asks for, angles to three), and a line for each rod that cannot always reach.
void print_pin_table(const EngineDesign& design, TableFormat format, std::ostream& out);

// The decimals the text form gives a design's lengths: four significant places of its crank
// radius (3 for 50, 4 for 2.75, 6 for 0.05).
int length_decimals(const EngineDesign& design);

// For a page that shows the text form as a table: the CSV form with the text form's rounded
// cells ("-" for empty ones), and the lines under the text form's table.
std::string rounded_pin_table_csv(const EngineDesign& design, const std::vector<PinTableRow>& rows);
std::string pin_table_lines(const std::vector<PinTableRow>& rows);

} // namespace radial
