#include "report/balance_plot.h"

#include "analysis/crank_grid.h"
#include "core/engine_state.h"
#include "report/angle_degrees.h"
#include "report/balance_table.h"
#include "report/dynamics_tables.h"
#include "report/engine_description.h"
#include "report/polar_diagram.h"
#include "svg/number_text.h"
#include "svg/svg_text.h"
#include "svg/text_sink.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace radial {

namespace {

// The force's tip at every plot-grid crank angle, less cancelled e^(i theta).
std::vector<EngineVector> locus(const BalanceForce& force, EngineVector cancelled) {
    std::vector<EngineVector> tips;
    for (int k = 0; k < plot_grid.steps; ++k) {
        const double theta = plot_grid.angle(k);
        tips.push_back(force.at(theta) - cancelled * std::polar(1.0, theta));
    }
    return tips;
}

// An amplitude as the legend shows it.
std::string legend_amplitude(const EngineBalance& balance, double value) {
    return balance.newtons ? significant_text(value, 5) : fixed_text(value, 3);
}

void write_locus(const std::vector<EngineVector>& tips, const PolarRings& rings, bool counterweight,
                 TextSink& svg) {
    write_polar_locus(tips, rings,
                      std::string("class=\"locus\" data-counterweight=\"") +
                          (counterweight ? "yes" : "no") + "\"",
                      counterweight ? balance_counterweight_colour : balance_plain_colour, svg);
}

std::string peak_text(const EngineBalance& balance, const PeakForce& peak) {
    const std::string size = legend_amplitude(balance, peak.magnitude) + balance_unit(balance);
    if (peak.constant) {
        return size + " at every crank angle";
    }
    return "largest " + size + " at crank angle " + crank_degrees_text(peak.theta) + "°";
}

void write_legend(const EngineBalance& balance, const PolarRings& rings, TextSink& svg) {
    const std::string keys[] = {"without counterweight: " + peak_text(balance, balance.largest),
                                "with a counterweight cancelling the first-order forward force: " +
                                    peak_text(balance, balance.largest_with_counterweight)};
    const char* colours[] = {balance_plain_colour, balance_counterweight_colour};
    svg << "<g class=\"legend\">\n";
    for (int k = 0; k < 2; ++k) {
        const double y = 84 + 22 * k;
        svg << "<line x1=\"30\" y1=\"" << px(y) << "\" x2=\"54\" y2=\"" << px(y) << "\" stroke=\""
            << colours[k] << "\" stroke-width=\"3\"/>\n<text x=\"62\" y=\"" << px(y + 4) << "\">"
            << keys[k] << "</text>\n";
    }
    svg << "</g>\n<text x=\"30\" y=\"" << px(polar_height - 16) << "\">"
        << (balance.newtons ? "Force of every moving mass in N"
                            : "Force in m r ω² (m the mass at each piston pin, r the crank "
                              "radius, ω the crank speed)")
        << ", rings every " << ring_value(rings.step, rings.step)
        << "; dots at crank angle 0.</text>\n";
}

} // namespace

BalanceChart::BalanceChart(const EngineDesign& design, const EngineBalance& balance)
    : force_(balance_force(design)), cancelled_(balance.orders[0].forward) {
    const auto plain = locus(force_, 0);
    const auto balanced = locus(force_, cancelled_);
    const PolarRings rings = polar_rings(
        std::max(balance.largest.magnitude, balance.largest_with_counterweight.magnitude));
    px_per_unit_ = rings.px_per_unit();
    TextSink svg;
    svg << svg_opening(polar_width, polar_height, chart_font);
    svg << "<text x=\"30\" y=\"30\" font-size=\"18\" font-weight=\"bold\">"
        << "Shaking force of the " << (balance.newtons ? "moving parts" : "pistons")
        << " over one crank revolution</text>\n"
        << "<text x=\"30\" y=\"54\">" << engine_description(design) << "</text>\n";
    write_polar_grid(rings, " (cylinder 1)", svg);
    write_locus(plain, rings, false, svg);
    write_locus(balanced, rings, true, svg);
    write_legend(balance, rings, svg);
    svg << "</svg>\n";
    svg_ = std::move(svg.text());
}

double BalanceChart::centre_x() const {
    return polar_centre_x;
}

double BalanceChart::centre_y() const {
    return polar_centre_y;
}

BalanceChart::Cursor BalanceChart::cursor(double theta) const {
    const EngineVector force = force_.at(theta);
    const EngineVector balanced = force - cancelled_ * std::polar(1.0, theta);
    const double s = px_per_unit_;
    return {polar_centre_x + s * force.imag(), polar_centre_y - s * force.real(),
            polar_centre_x + s * balanced.imag(), polar_centre_y - s * balanced.real()};
}

std::string balance_plot_svg(const EngineDesign& design, const EngineBalance& balance) {
    return BalanceChart(design, balance).svg();
}

} // namespace radial
