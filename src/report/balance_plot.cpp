#include "report/balance_plot.h"

#include "analysis/crank_grid.h"
#include "core/engine_state.h"
#include "report/angle_degrees.h"
#include "report/engine_description.h"
#include "svg/number_text.h"
#include "svg/svg_text.h"
#include "svg/text_sink.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace radial {

namespace {

// Pixels: the diagram's size, its centre and the radius of its outer ring.
constexpr double diagram_width = 800, diagram_height = 860;
constexpr double centre_px_x = 400, centre_px_y = 470, outer_px = 320;

// The force's tip at every plot-grid crank angle, less cancelled e^(i theta).
std::vector<EngineVector> locus(const std::vector<ExactPiston>& pistons, EngineVector cancelled) {
    std::vector<EngineVector> tips;
    for (int k = 0; k < plot_grid.steps; ++k) {
        const double theta = plot_grid.angle(k);
        tips.push_back(shaking_force(pistons, theta) - cancelled * std::polar(1.0, theta));
    }
    return tips;
}

// Rings at whole multiples of a round step (1, 2 or 5 times a power of ten), the outermost at or
// beyond the largest force.
struct Rings {
    double step = 1;
    int count = 1;
    double px_per_unit() const { return outer_px / (step * count); }
};

Rings rings_for(double largest) {
    if (!(largest > 0)) {
        return {};
    }
    const double step = round_step(largest / 4);
    return {step, std::max(1, static_cast<int>(std::ceil(largest / step - 1e-9)))};
}

// Where a vector lands: +y (cylinder 1) up the page, +x (90 degrees clockwise) to the right.
std::string at(EngineVector v, const Rings& rings) {
    const double s = rings.px_per_unit();
    return px(centre_px_x + s * v.imag()) + ' ' + px(centre_px_y - s * v.real());
}

// Decimals enough for every multiple of the step.
std::string ring_value(double value, double step) {
    return fixed_text(value, std::max(0, static_cast<int>(-std::floor(std::log10(step)))));
}

void write_grid(const Rings& rings, TextSink& svg) {
    svg << "<g fill=\"none\" stroke=\"#dddddd\" stroke-width=\"1\">\n";
    for (int k = 1; k <= rings.count; ++k) {
        svg << "<circle cx=\"" << px(centre_px_x) << "\" cy=\"" << px(centre_px_y) << "\" r=\""
            << px(outer_px * k / rings.count) << "\"/>\n";
    }
    for (int degrees = 0; degrees < 360; degrees += 30) {
        const EngineVector end = std::polar(rings.step * rings.count, degrees * two_pi / 360);
        svg << "<path d=\"M" << px(centre_px_x) << ' ' << px(centre_px_y) << " L" << at(end, rings)
            << "\"/>\n";
    }
    svg << "</g>\n<g text-anchor=\"middle\" fill=\"#666666\">\n";
    for (int degrees = 0; degrees < 360; degrees += 30) {
        const EngineVector label =
            std::polar(rings.step * rings.count * 1.06, degrees * two_pi / 360);
        const double s = rings.px_per_unit();
        svg << "<text x=\"" << px(centre_px_x + s * label.imag()) << "\" y=\""
            << px(centre_px_y - s * label.real() + 4) << "\">" << degrees
            << (degrees == 0 ? "° (cylinder 1)" : "°") << "</text>\n";
    }
    // The rings' values along the 15 degree line, between the spokes.
    svg << "</g>\n<g class=\"scale\" fill=\"#666666\">\n";
    for (int k = 1; k <= rings.count; ++k) {
        const EngineVector label = std::polar(rings.step * k, two_pi / 24);
        svg << "<text x=\"" << px(centre_px_x + rings.px_per_unit() * label.imag() + 3) << "\" y=\""
            << px(centre_px_y - rings.px_per_unit() * label.real() - 3) << "\">"
            << ring_value(rings.step * k, rings.step) << "</text>\n";
    }
    svg << "</g>\n";
}

void write_locus(const std::vector<EngineVector>& tips, const Rings& rings, bool counterweight,
                 TextSink& svg) {
    const char* colour = counterweight ? balance_counterweight_colour : balance_plain_colour;
    svg << "<path class=\"locus\" data-counterweight=\"" << (counterweight ? "yes" : "no")
        << "\" fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"2\" d=\"";
    for (std::size_t k = 0; k < tips.size(); ++k) {
        svg << (k == 0 ? "M" : " L") << at(tips[k], rings);
    }
    const std::string start = at(tips[0], rings);
    svg << " Z\"/>\n<circle cx=\"" << start.substr(0, start.find(' ')) << "\" cy=\""
        << start.substr(start.find(' ') + 1) << "\" r=\"4\" fill=\"" << colour << "\"/>\n";
}

std::string peak_text(const PeakForce& peak) {
    if (peak.constant) {
        return fixed_text(peak.magnitude, 3) + " m r ω² at every crank angle";
    }
    return "largest " + fixed_text(peak.magnitude, 3) + " m r ω² at crank angle " +
           crank_degrees_text(peak.theta) + "°";
}

void write_legend(const EngineBalance& balance, const Rings& rings, TextSink& svg) {
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
    svg << "</g>\n<text x=\"30\" y=\"" << px(diagram_height - 16)
        << "\">Force in m r ω² (m the mass at "
        << "each piston pin, r the crank radius, ω the crank speed), rings every "
        << ring_value(rings.step, rings.step) << "; dots at crank angle 0.</text>\n";
}

} // namespace

BalanceChart::BalanceChart(const EngineDesign& design, const EngineBalance& balance)
    : pistons_(exact_pistons(design)), cancelled_(balance.orders[0].forward) {
    const auto plain = locus(pistons_, 0);
    const auto balanced = locus(pistons_, cancelled_);
    const Rings rings = rings_for(
        std::max(balance.largest.magnitude, balance.largest_with_counterweight.magnitude));
    px_per_unit_ = rings.px_per_unit();
    TextSink svg;
    svg << svg_opening(diagram_width, diagram_height, chart_font);
    svg << "<text x=\"30\" y=\"30\" font-size=\"18\" font-weight=\"bold\">"
        << "Shaking force of the pistons over one crank revolution</text>\n"
        << "<text x=\"30\" y=\"54\">" << engine_description(design) << "</text>\n";
    write_grid(rings, svg);
    write_locus(plain, rings, false, svg);
    write_locus(balanced, rings, true, svg);
    write_legend(balance, rings, svg);
    svg << "</svg>\n";
    svg_ = std::move(svg.text());
}

double BalanceChart::centre_x() const {
    return centre_px_x;
}

double BalanceChart::centre_y() const {
    return centre_px_y;
}

BalanceChart::Cursor BalanceChart::cursor(double theta) const {
    const EngineVector force = shaking_force(pistons_, theta);
    const EngineVector balanced = force - cancelled_ * std::polar(1.0, theta);
    const double s = px_per_unit_;
    return {centre_px_x + s * force.imag(), centre_px_y - s * force.real(),
            centre_px_x + s * balanced.imag(), centre_px_y - s * balanced.real()};
}

std::string balance_plot_svg(const EngineDesign& design, const EngineBalance& balance) {
    return BalanceChart(design, balance).svg();
}

} // namespace radial
