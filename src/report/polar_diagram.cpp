#include "report/polar_diagram.h"

#include "analysis/crank_grid.h"
#include "svg/number_text.h"
#include "svg/svg_text.h"

#include <algorithm>
#include <cmath>

namespace radial {

namespace {

std::string at(EngineVector v, const PolarRings& rings) {
    const PolarPoint p = polar_point(v, rings);
    return px(p.x) + ' ' + px(p.y);
}

} // namespace

PolarRings polar_rings(double largest) {
    if (!(largest > 0)) {
        return {};
    }
    const double step = round_step(largest / 4);
    return {step, std::max(1, static_cast<int>(std::ceil(largest / step - 1e-9)))};
}

PolarPoint polar_point(EngineVector v, const PolarRings& rings) {
    const double s = rings.px_per_unit();
    return {polar_centre_x + s * v.imag(), polar_centre_y - s * v.real()};
}

std::string ring_value(double value, double step) {
    return fixed_text(value, std::max(0, static_cast<int>(-std::floor(std::log10(step)))));
}

void write_polar_grid(const PolarRings& rings, std::string_view zero_words, TextSink& svg) {
    svg << "<g fill=\"none\" stroke=\"#dddddd\" stroke-width=\"1\">\n";
    for (int k = 1; k <= rings.count; ++k) {
        svg << "<circle cx=\"" << px(polar_centre_x) << "\" cy=\"" << px(polar_centre_y)
            << "\" r=\"" << px(polar_outer * k / rings.count) << "\"/>\n";
    }
    for (int degrees = 0; degrees < 360; degrees += 30) {
        const EngineVector end = std::polar(rings.step * rings.count, degrees * two_pi / 360);
        svg << "<path d=\"M" << px(polar_centre_x) << ' ' << px(polar_centre_y) << " L"
            << at(end, rings) << "\"/>\n";
    }
    svg << "</g>\n<g text-anchor=\"middle\" fill=\"#666666\">\n";
    for (int degrees = 0; degrees < 360; degrees += 30) {
        const EngineVector label =
            std::polar(rings.step * rings.count * 1.06, degrees * two_pi / 360);
        const double s = rings.px_per_unit();
        svg << "<text x=\"" << px(polar_centre_x + s * label.imag()) << "\" y=\""
            << px(polar_centre_y - s * label.real() + 4) << "\">" << degrees << "°"
            << (degrees == 0 ? zero_words : "") << "</text>\n";
    }
    svg << "</g>\n<g class=\"scale\" fill=\"#666666\">\n";
    for (int k = 1; k <= rings.count; ++k) {
        const EngineVector label = std::polar(rings.step * k, two_pi / 24);
        svg << "<text x=\"" << px(polar_centre_x + rings.px_per_unit() * label.imag() + 3)
            << "\" y=\"" << px(polar_centre_y - rings.px_per_unit() * label.real() - 3) << "\">"
            << ring_value(rings.step * k, rings.step) << "</text>\n";
    }
    svg << "</g>\n";
}

void write_polar_locus(const std::vector<EngineVector>& tips, const PolarRings& rings,
                       std::string_view attributes, std::string_view colour, TextSink& svg) {
    svg << "<path " << attributes << " fill=\"none\" stroke=\"" << colour
        << "\" stroke-width=\"2\" d=\"";
    for (std::size_t k = 0; k < tips.size(); ++k) {
        svg << (k == 0 ? "M" : " L") << at(tips[k], rings);
    }
    const PolarPoint start = polar_point(tips[0], rings);
    svg << " Z\"/>\n<circle cx=\"" << px(start.x) << "\" cy=\"" << px(start.y)
        << "\" r=\"4\" fill=\"" << colour << "\"/>\n";
}

} // namespace radial
