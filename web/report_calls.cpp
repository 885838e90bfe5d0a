// The page's calls into the report code, made where the analysis is made: in a worker of its own
// (the same WebAssembly instantiated there) or, where there is none, on the page's thread. They
// take the engine's settings as values and know nothing of the running engine. Each call that
// hands back text or numbers hands back a buffer of its own.

#include "analysis/master_match.h"
#include "design/design_names.h"
#include "design_numbers.h"
#include "page_reports.h"
#include "report/pin_table.h"
#include "svg/number_text.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<radial::PageReports> reports;
std::string misses;

// The design of numbers the page handed over (design_numbers), or the default one.
radial::EngineDesign design_at(const double* numbers, int count) {
    return radial::design_of_numbers({numbers, static_cast<std::size_t>(std::max(count, 0))})
        .value_or(radial::EngineDesign{});
}

} // namespace

extern "C" {

// The chart quantities' names, in their order: "distance,velocity,acceleration".
EMSCRIPTEN_KEEPALIVE const char* web_chart_quantities() {
    static std::string names;
    names.clear();
    for (const radial::NamedQuantity& q : radial::chart_quantities) {
        names += (names.empty() ? "" : ",") + std::string(q.name);
    }
    return names.c_str();
}

// The analysis for the design of these numbers (design_numbers): the crank-angle chart of the
// quantity (chart_quantities' number), the balance chart (or its refusal), the summary table and
// the pin table, made again; the calls below hand back what it made.
EMSCRIPTEN_KEEPALIVE void web_make_reports(const double* numbers, int count, int quantity) {
    reports = std::make_unique<radial::PageReports>(
        design_at(numbers, count), static_cast<radial::ChartQuantity>(std::clamp(quantity, 0, 2)));
}
EMSCRIPTEN_KEEPALIVE const char* web_crank_chart() {
    return reports->crank_chart().svg().c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_balance_chart() {
    return reports->balance_chart() ? reports->balance_chart()->svg().c_str() : "";
}
EMSCRIPTEN_KEEPALIVE const char* web_balance_refusal() {
    return reports->balance_refusal().c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_summary_csv() {
    return reports->summary_csv().c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_unreachable_lines() {
    return reports->unreachable_lines().c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_pin_table_csv() {
    return reports->pin_table_csv().c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_pin_table_lines() {
    return reports->pin_table_lines().c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_unit_words() {
    return reports->unit_words().c_str();
}

// The four-stroke cycle and the dynamics: the firing order in words; the torque chart and the
// crankpin diagram ("" for none) and the line saying what they are for or why there are none.
EMSCRIPTEN_KEEPALIVE const char* web_firing_order() {
    return reports->firing_order().c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_torque_chart() {
    return reports->torque_chart() ? reports->torque_chart()->svg().c_str() : "";
}
EMSCRIPTEN_KEEPALIVE const char* web_crankpin_chart() {
    return reports->crankpin_chart() ? reports->crankpin_chart()->svg().c_str() : "";
}
EMSCRIPTEN_KEEPALIVE const char* web_dynamics_note() {
    return reports->dynamics_note().c_str();
}
// Which cylinders are on each stroke at crank angle theta (radians), a line a stroke.
EMSCRIPTEN_KEEPALIVE const char* web_strokes_at(double theta) {
    static std::string strokes;
    strokes = reports->strokes_at(theta);
    return strokes.c_str();
}
// At crank angle theta (radians): for the torque chart its plot's top and bottom, the cursor's x
// and where it crosses the gas, inertia and total curves; for the crankpin diagram its centre and
// the load's tip, as x, y pairs. Null without the chart.
EMSCRIPTEN_KEEPALIVE const double* web_torque_cursor(double theta) {
    static double at[6];
    const radial::TorqueChart* chart = reports->torque_chart();
    if (chart == nullptr) {
        return nullptr;
    }
    const auto c = chart->cursor(theta);
    const double values[] = {
        chart->layout().top, chart->layout().bottom, c.x, c.gas_y, c.inertia_y, c.total_y};
    std::copy(std::begin(values), std::end(values), at);
    return at;
}
EMSCRIPTEN_KEEPALIVE const double* web_crankpin_cursor(double theta) {
    static double at[4];
    const radial::CrankpinChart* chart = reports->crankpin_chart();
    if (chart == nullptr) {
        return nullptr;
    }
    const auto c = chart->cursor(theta);
    const double values[] = {chart->centre_x(), chart->centre_y(), c.x, c.y};
    std::copy(std::begin(values), std::end(values), at);
    return at;
}

// The crank-angle chart's plot area in its pixels: left, right, bottom, top.
EMSCRIPTEN_KEEPALIVE const double* web_crank_plot_area() {
    static double area[4];
    const radial::CrankChartLayout& l = reports->crank_chart().layout();
    area[0] = l.left;
    area[1] = l.right;
    area[2] = l.bottom;
    area[3] = l.top;
    return area;
}
// The crank angle in degrees (0 to 360) at x in the pixels of a crank-angle chart whose plot
// area runs from left to right.
EMSCRIPTEN_KEEPALIVE double web_crank_degrees_at(double x, double left, double right) {
    radial::CrankChartLayout layout;
    layout.left = left;
    layout.right = right;
    return layout.degrees_at(x);
}

// The crank angle theta (radians) in degrees within [0, 360), where the cursors stand at it.
EMSCRIPTEN_KEEPALIVE double web_cursor_degrees(double theta) {
    return radial::CrankAngleChart::cursor_degrees(theta);
}

// The cursors at crank angle theta (radians), from the charts' own cursor(): for the crank-angle
// chart the angle in degrees within [0, 360), its x, then y where it crosses each cylinder's
// curve (NaN where the rod cannot reach); for the balance chart (when there is one) the centre,
// the force's tip and the tip with the counterweight, as x, y pairs.
EMSCRIPTEN_KEEPALIVE const double* web_crank_cursor(double theta) {
    static std::vector<double> at;
    const auto c = reports->crank_chart().cursor(theta);
    at = {c.degrees, c.x};
    for (const auto& y : c.crossings) {
        at.push_back(y.value_or(std::nan("")));
    }
    return at.data();
}
EMSCRIPTEN_KEEPALIVE const double* web_balance_cursor(double theta) {
    static double at[6];
    const radial::BalanceChart* chart = reports->balance_chart();
    if (chart == nullptr) {
        return nullptr;
    }
    const auto c = chart->cursor(theta);
    const double values[] = {chart->centre_x(), chart->centre_y(), c.x, c.y,
                             c.counterweight_x, c.counterweight_y};
    std::copy(std::begin(values), std::end(values), at);
    return at;
}

// The sweep at one-degree steps for the design of these numbers, as radial-kinematics --sweep
// writes it.
EMSCRIPTEN_KEEPALIVE const char* web_sweep_csv(const double* numbers, int count) {
    static std::string sweep;
    sweep = radial::degree_sweep_csv(design_at(numbers, count));
    return sweep.c_str();
}

// The design of these numbers matched to the master in top dead centre and stroke: its numbers,
// their count first; web_match_misses() then says which cylinders it could not match.
EMSCRIPTEN_KEEPALIVE const double* web_match_master(const double* numbers, int count) {
    static std::vector<double> matched;
    const radial::EngineDesign design = design_at(numbers, count);
    const radial::MatchedDesign m =
        radial::match_master(design, radial::MasterMatch::tdc_and_stroke);
    const auto length = [&design](double value) {
        return radial::fixed_text(value, radial::length_decimals(design)) +
               radial::unit_suffix(design.unit);
    };
    matched = radial::design_numbers(m.design);
    matched.insert(matched.begin(), static_cast<double>(matched.size()));
    misses.clear();
    for (const radial::MatchMiss& miss : m.misses) {
        misses += "Cylinder " + std::to_string(miss.cylinder) +
                  " cannot be matched to the master: its top dead centre stays " +
                  length(miss.tdc_shortfall) + " below and its stroke " +
                  length(miss.stroke_excess) + " longer.\n";
    }
    return matched.data();
}
EMSCRIPTEN_KEEPALIVE const char* web_match_misses() {
    return misses.c_str();
}

} // extern "C"
