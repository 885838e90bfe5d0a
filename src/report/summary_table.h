#pragma once

#include "analysis/cylinder_summary.h"
#include "core/engine_design.h"
#include "report/table_format.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace radial {

// The per-cylinder summary of one crank revolution of a design (strokes in its unit): with
// TableFormat::text, aligned columns (degrees to one decimal) and then a line for each cylinder
// whose rod cannot always reach its axis; with TableFormat::csv, the table alone at full precision:
//   cylinder,stroke,stroke_excess_percent,tdc_deg,tdc_offset_deg,bdc_deg,bdc_offset_deg,
//   max_bisection_error,reaches
// Crank angles are in [0, 360), offsets in (-180, 180]: top dead centre's from the cylinder's
// axis angle, bottom dead centre's from the axis angle + 180 degrees. Where a rod cannot always
// reach, the stroke, dead-centre and error fields are empty.
void print_summary(const EngineDesign& design, TableFormat format, std::ostream& out);

// For a page that shows the text form as a table, from summarise_cylinders(): the CSV form with
// the text form's rounded cells (empty ones "-"), and the text form's lines under its table, one
// for each cylinder whose rod cannot always reach its axis, each ending in a newline.
std::string rounded_summary_csv(const EngineDesign& design,
                                const std::vector<CylinderSummary>& cylinders);
std::string unreachable_lines(const std::vector<CylinderSummary>& cylinders);

} // namespace radial
