#include "report/balance_plot.h"

#include "analysis/crank_grid.h"
#include "core/engine_state.h"
#include "report/angle_degrees.h"
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
std::vector<EngineVector> locus(const std::vector<ExactPiston>& pistons, EngineVector cancelled) {
    std::vector<EngineVector> tips;
    for (int k = 0; k < plot_grid.steps; ++k) {
        const double theta = plot_grid.angle(k);
        tips.push_back(shaking_force(pistons, theta) - cancelled * std::polar(1.0, theta));
    }
    return tips;
}

void write_locus(const std::vector<EngineVector>& tips, const PolarRings& rings, bool counterweight,
                 TextSink& svg) {
    write_polar_locus(tips, rings,
                      std::string("class=\"locus\" data-counterweight=\"") +
                          (counterweight ? "yes" : "no") + "\"",
                      counterweight ? balance_counterweight_colour : balance_plain_colour, svg);
}

std::string peak_text(const PeakForce& peak) {
    if (peak.constant) {
        return fixed_text(peak.magnitude, 3) + " m r ω² at every crank angle";
    }
    return "largest " + fixed_text(peak.magnitude, 3) + " m r ω² at crank angle " +
           crank_degrees_text(peak.theta) + "°";
}

void write_legend(const EngineBalance& balance, const PolarRings& rings, TextSink& svg) {
    const std::string keys[] = {"without counterweight: " + peak_text(balance.largest),
                                "with a counterweight cancelling the first-order forward force: " +
                                    peak_text(balance.largest_with_counterweight)};
    const char* colours[] = {balance_plain_colour, balance_counterweight_colour};
    svg << "<g class=\"legend\">\n";
    for (int k = 0; k < 2; ++k) {
        const double y = 84 + 22 * k;
        svg << "<line x1=\"30\" y1=\"" << px(y) << "\" x2=\"54\" y2=\"" << px(y) << "\" stroke=\""
            << colours[k] << "\" stroke-width=\"3\"/>\n<text x=\"62\" y=\"" << px(y + 4) << "\">"
            << keys[k] << "</text>\n";
    }
    svg << "</g>\n<text x=\"30\" y=\"" << px(polar_height - 16)
        << "\">Force in m r ω² (m the mass at "
        << "each piston pin, r the crank radius, ω the crank speed), rings every "
        << ring_value(rings.step, rings.step) << "; dots at crank angle 0.</text>\n";
}

} // namespace

BalanceChart::BalanceChart(const EngineDesign& design, const EngineBalance& balance)
    : pistons_(exact_pistons(design)), cancelled_(balance.orders[0].forward) {
    const auto plain = locus(pistons_, 0);
    const auto balanced = locus(pistons_, cancelled_);
    const PolarRings rings = polar_rings(
        std::max(balance.largest.magnitude, balance.largest_with_counterweight.magnitude));
    px_per_unit_ = rings.px_per_unit();
    TextSink svg;
    svg << svg_opening(polar_width, polar_height, chart_font);
    svg << "<text x=\"30\" y=\"30\" font-size=\"18\" font-weight=\"bold\">"
        << "Shaking force of the pistons over one crank revolution</text>\n"
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
    const EngineVector force = shaking_force(pistons_, theta);
    const EngineVector balanced = force - cancelled_ * std::polar(1.0, theta);
    const double s = px_per_unit_;
    return {polar_centre_x + s * force.imag(), polar_centre_y - s * force.real(),
            polar_centre_x + s * balanced.imag(), polar_centre_y - s * balanced.real()};
}

std::string balance_plot_svg(const EngineDesign& design, const EngineBalance& balance) {
    return BalanceChart(design, balance).svg();
}

} // namespace radial
