#include "report/pin_table.h"

#include "design/design_names.h"
#include "report/aligned_table.h"
#include "report/angle_degrees.h"
#include "report/engine_description.h"
#include "svg/number_text.h"
#include "svg/text_sink.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace radial {

namespace {

// The printed forms of a row: shortest round-trip text for CSV; for the terminal, lengths to
// four significant places of the crank radius (3 decimals for 50, 4 for 2.75, 6 for 0.05), angles
// to three decimals.
struct PinCellStyle {
    bool full_precision;
    int decimals = 3;
    std::string length(double value) const {
        return full_precision ? shortest_text(value) : fixed_text(value, decimals);
    }
    std::string angle(double degrees) const {
        return full_precision ? shortest_text(degrees) : fixed_text(degrees, 3);
    }
    std::string ratio(double value) const {
        return full_precision ? shortest_text(value) : fixed_text(value, 3);
    }
};

PinCellStyle pin_text_style(const EngineDesign& design) {
    return {false, length_decimals(design)};
}

TableRow pin_cells(const PinTableRow& row, const PinCellStyle& style) {
    TableRow cells{std::to_string(row.cylinder), style.angle(row.pin_angle_deg),
                   style.length(row.pin_x), style.length(row.pin_y), style.length(row.link_length)};
    if (!row.reaches) {
        cells.insert(cells.end(), 5, "");
        return cells;
    }
    cells.push_back(style.full_precision ? shortest_text(crank_degrees(row.tdc_crank))
                                         : fixed_text(crank_degrees(row.tdc_crank), 3));
    cells.push_back(style.length(row.tdc_height));
    cells.push_back(style.length(row.tdc_shortfall));
    cells.push_back(style.length(row.stroke));
    cells.push_back(row.compression_ratio ? style.ratio(*row.compression_ratio) : "");
    return cells;
}

void write_pin_csv(const std::vector<PinTableRow>& rows, const PinCellStyle& style,
                   std::string_view empty_cell, TextSink& out) {
    out << "cylinder,pin_angle_deg,pin_x,pin_y,link_length,tdc_crank_deg,tdc_height,"
           "tdc_shortfall,stroke,compression_ratio\n";
    for (const PinTableRow& row : rows) {
        const TableRow cells = pin_cells(row, style);
        for (std::size_t k = 0; k < cells.size(); ++k) {
            out << (k == 0 ? "" : ",") << (cells[k].empty() ? empty_cell : cells[k]);
        }
        out << '\n';
    }
}

void print_pin_text(const EngineDesign& design, const std::vector<PinTableRow>& rows,
                    std::ostream& out) {
    out << engine_description(design) << ".\n"
        << "Wrist-pin holes in the master rod's big end, from the crankpin centre (y along the\n"
        << "master rod towards its piston pin, x to the right at crank angle 0); lengths in "
        << unit_words(design.unit) << ",\n"
        << "angles in degrees; top dead centre: the crank angle it comes at, the piston pin's\n"
        << "distance from the crank centre then, and how far that falls short of the master's.\n";
    if (design.bore && design.compression_ratio) {
        out << "Compression ratios with every head at the master cylinder's deck height.\n";
    }
    out << '\n';
    std::vector<TableRow> table = {{"cylinder", "pin angle", "pin x", "pin y", "link length",
                                    "TDC deg", "TDC height", "shortfall", "stroke", "compression"}};
    const PinCellStyle style = pin_text_style(design);
    for (const PinTableRow& row : rows) {
        table.push_back(pin_cells(row, style));
    }
    print_aligned(table, out);
    const std::string lines = pin_table_lines(rows);
    out << (lines.empty() ? "" : "\n") << lines;
}

} // namespace

int length_decimals(const EngineDesign& design) {
    const int places = 3 - static_cast<int>(std::floor(std::log10(design.crank_radius)));
    return std::clamp(places, 0, 9) + 1;
}

void print_pin_table(const EngineDesign& design, TableFormat format, std::ostream& out) {
    const std::vector<PinTableRow> rows = pin_table(design);
    if (format == TableFormat::csv) {
        TextSink csv;
        write_pin_csv(rows, {true}, "", csv);
        out << csv.text();
        return;
    }
    print_pin_text(design, rows, out);
}

std::string rounded_pin_table_csv(const EngineDesign& design,
                                  const std::vector<PinTableRow>& rows) {
    TextSink csv;
    write_pin_csv(rows, pin_text_style(design), "-", csv);
    return std::move(csv.text());
}

std::string pin_table_lines(const std::vector<PinTableRow>& rows) {
    std::string lines;
    for (const PinTableRow& row : rows) {
        if (!row.reaches) {
            lines += "Cylinder " + std::to_string(row.cylinder) +
                     "'s rod cannot reach its axis at every crank angle: it has no top dead "
                     "centre or stroke.\n";
        } else if (rows.front().compression_ratio && !row.compression_ratio) {
            lines += "Cylinder " + std::to_string(row.cylinder) +
                     "'s piston would rise into a head at the master's deck height.\n";
        }
    }
    return lines;
}

} // namespace radial
