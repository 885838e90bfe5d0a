#include "report/summary_table.h"

#include "analysis/cylinder_summary.h"
#include "design/design_names.h"
#include "report/aligned_table.h"
#include "report/angle_degrees.h"
#include "report/engine_description.h"
#include "svg/number_text.h"
#include "svg/text_sink.h"
#include "svg/word_list.h"

#include <algorithm>
#include <numbers>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace radial {

namespace {

// The printed forms of one cylinder's angles and lengths: shortest round-trip text for CSV,
// fixed decimals for the terminal.
struct Style {
    bool full_precision;
    std::string number(double value, int decimals) const {
        return full_precision ? shortest_text(value) : fixed_text(value, decimals);
    }
    std::string crank(double radians) const {
        return full_precision ? shortest_text(crank_degrees(radians)) : crank_degrees_text(radians);
    }
    std::string offset(double radians) const {
        return full_precision ? shortest_text(offset_degrees(radians))
                              : offset_degrees_text(radians);
    }
};

// two_r: the master's stroke, twice the crank radius.
TableRow cells_of(const CylinderSummary& c, const Style& style, double two_r) {
    if (!c.reaches) {
        return {std::to_string(c.cylinder), "", "", "", "", "", "", "", "no"};
    }
    const DeadCentres& dc = c.dead_centres;
    return {std::to_string(c.cylinder),
            style.number(dc.stroke, 3),
            style.number((dc.stroke - two_r) / two_r * 100, 3),
            style.crank(dc.top),
            style.offset(dc.top - c.axis),
            style.crank(dc.bottom),
            style.offset(dc.bottom - c.axis - std::numbers::pi),
            style.number(c.max_bisection_error, 4),
            "yes"};
}

// empty_cell stands for the fields of a rod that cannot always reach.
void write_csv(const EngineDesign& design, const std::vector<CylinderSummary>& cylinders,
               const Style& style, std::string_view empty_cell, TextSink& out) {
    out << "cylinder,stroke,stroke_excess_percent,tdc_deg,tdc_offset_deg,bdc_deg,bdc_offset_deg,"
           "max_bisection_error,reaches\n";
    for (const CylinderSummary& c : cylinders) {
        const TableRow cells = cells_of(c, style, 2 * design.crank_radius);
        for (std::size_t k = 0; k < cells.size(); ++k) {
            out << (k == 0 ? "" : ",") << (cells[k].empty() ? empty_cell : cells[k]);
        }
        out << '\n';
    }
}

std::string ranges_text(const std::vector<AngleRange>& ranges) {
    if (ranges.size() == 1 && ranges[0].to - ranges[0].from >= two_pi) {
        return "at any crank angle";
    }
    const Style style{false};
    std::vector<std::string> spans;
    for (const AngleRange& range : ranges) {
        spans.push_back(style.crank(range.from) + " to " + style.crank(range.to));
    }
    return "at crank angles " + listed(spans) + " degrees";
}

void print_text(const EngineDesign& design, const std::vector<CylinderSummary>& cylinders,
                std::ostream& out) {
    out << engine_description(design) << ".\n"
        << "Stroke in " << unit_words(design.unit)
        << " and against the master's 2r; dead centres in degrees of crank\n"
        << "angle, offset from the cylinder's axis angle (BDC: from the axis angle + 180).\n\n";
    std::vector<TableRow> rows = {{"cylinder", "stroke", "vs 2r %", "TDC deg", "offset", "BDC deg",
                                   "offset", "bisection error", "reaches"}};
    for (const CylinderSummary& c : cylinders) {
        rows.push_back(cells_of(c, {false}, 2 * design.crank_radius));
    }
    print_aligned(rows, out);
    const std::string lines = unreachable_lines(cylinders);
    out << (lines.empty() ? "" : "\n") << lines;
}

} // namespace

void print_summary(const EngineDesign& design, TableFormat format, std::ostream& out) {
    const auto cylinders = summarise_cylinders(design);
    if (format == TableFormat::csv) {
        TextSink csv;
        write_csv(design, cylinders, {true}, "", csv);
        out << csv.text();
        return;
    }
    print_text(design, cylinders, out);
}

std::string rounded_summary_csv(const EngineDesign& design,
                                const std::vector<CylinderSummary>& cylinders) {
    TextSink csv;
    write_csv(design, cylinders, {false}, "-", csv);
    return std::move(csv.text());
}

std::string unreachable_lines(const std::vector<CylinderSummary>& cylinders) {
    std::string lines;
    for (const CylinderSummary& c : cylinders) {
        if (!c.reaches) {
            lines += "Cylinder " + std::to_string(c.cylinder) + "'s rod cannot reach its axis " +
                     ranges_text(c.unreachable) + ".\n";
        }
    }
    return lines;
}

} // namespace radial
