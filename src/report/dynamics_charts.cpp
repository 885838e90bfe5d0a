#include "report/dynamics_charts.h"

#include "analysis/crank_grid.h"
#include "analysis/four_stroke.h"
#include "report/chart_frame.h"
#include "report/dynamics_tables.h"
#include "report/engine_description.h"
#include "report/polar_diagram.h"
#include "svg/number_text.h"
#include "svg/svg_text.h"
#include "svg/text_sink.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace radial {

namespace {

constexpr int cycle_points = 1440; // every half degree

// Pixels, as the revolution's chart has them, with room at the top for the firings' numbers.
constexpr double width = 1000, height = 620;
constexpr double left = 90, top = 96, bottom = 70, right_gap = 30, legend_width = 150;

double cycle_point_angle(int k) {
    return two_turns * k / cycle_points;
}

std::string speed_words(const EngineDesign& design) {
    return "; " + shortest_text(*design.speed_rpm) + " rpm";
}

struct TorqueCurves {
    std::vector<ChartPoint> gas, inertia, total;
};

TorqueCurves torque_curves(const std::vector<CrankAngleDynamics>& samples) {
    TorqueCurves c;
    for (int k = 0; k <= cycle_points; ++k) {
        const CrankAngleDynamics& d = samples[static_cast<std::size_t>(k)];
        const double degrees = 720.0 * k / cycle_points;
        c.gas.push_back({degrees, d.gas_torque});
        c.inertia.push_back({degrees, d.inertia_torque});
        c.total.push_back({degrees, d.gas_torque + d.inertia_torque});
    }
    return c;
}

void write_torque_curve(const ChartFrame& f, std::string_view part, const char* colour,
                        const std::vector<ChartPoint>& points, TextSink& svg) {
    svg << "<path class=\"curve\" data-part=\"" << part << "\" stroke=\"" << colour
        << "\" stroke-width=\"" << (part == "total" ? "2.5" : "1.5") << "\" d=\""
        << chart_path_data(f, {points}) << "\"/>\n";
}

void write_firings(const ChartFrame& f, const EngineDynamics& dynamics, TextSink& svg) {
    svg << "<g class=\"firings\" text-anchor=\"middle\" font-size=\"11\" fill=\"#444444\">\n";
    const std::vector<double>& fires = dynamics.firing_angles();
    for (std::size_t i = 0; i < fires.size(); ++i) {
        const double x = f.x(fires[i] / radians_per_degree);
        svg << "<g class=\"firing\" data-cylinder=\"" << static_cast<int>(i + 1) << "\"><line x1=\""
            << px(x) << "\" y1=\"" << px(f.top) << "\" x2=\"" << px(x) << "\" y2=\""
            << px(f.top + 8) << "\" stroke=\"#444444\" stroke-width=\"1.5\"/><text x=\"" << px(x)
            << "\" y=\"" << px(f.top - 5) << "\">" << static_cast<int>(i + 1) << "</text></g>\n";
    }
    svg << "</g>\n";
}

void write_torque_legend(double x, double mean, TextSink& svg) {
    const std::pair<const char*, const char*> keys[] = {{"total", torque_total_colour},
                                                        {"gas", torque_gas_colour},
                                                        {"inertia", torque_inertia_colour}};
    svg << "<g class=\"legend\">\n";
    double y = top + 10;
    for (const auto& [name, colour] : keys) {
        svg << "<line x1=\"" << px(x) << "\" y1=\"" << px(y) << "\" x2=\"" << px(x + 24)
            << "\" y2=\"" << px(y) << "\" stroke=\"" << colour
            << "\" stroke-width=\"3\"/>\n<text x=\"" << px(x + 30) << "\" y=\"" << px(y + 4)
            << "\">" << name << "</text>\n";
        y += 22;
    }
    svg << "<line x1=\"" << px(x) << "\" y1=\"" << px(y) << "\" x2=\"" << px(x + 24) << "\" y2=\""
        << px(y) << "\" stroke=\"#444444\" stroke-dasharray=\"6 4\"/>\n<text x=\"" << px(x + 30)
        << "\" y=\"" << px(y + 4) << "\">mean " << significant_text(mean, 5) << "</text>\n"
        << "<text x=\"" << px(x) << "\" y=\"" << px(y + 34) << "\">numbers: firings</text>\n</g>\n";
}

} // namespace

std::vector<CrankAngleDynamics> cycle_samples(const EngineDynamics& dynamics) {
    std::vector<CrankAngleDynamics> samples;
    samples.reserve(cycle_points + 1);
    for (int k = 0; k <= cycle_points; ++k) {
        samples.push_back(dynamics.at(cycle_point_angle(k)));
    }
    return samples;
}

TorqueChart::TorqueChart(const EngineDesign& design, const EngineDynamics& dynamics)
    : TorqueChart(design, dynamics, cycle_samples(dynamics)) {}

TorqueChart::TorqueChart(const EngineDesign& design, const EngineDynamics& dynamics,
                         const std::vector<CrankAngleDynamics>& samples)
    : dynamics_(dynamics) {
    const TorqueCurves curves = torque_curves(samples);
    double lo = 0, hi = 0;
    for (const auto* points : {&curves.gas, &curves.inertia, &curves.total}) {
        for (const ChartPoint& p : *points) {
            lo = std::min(lo, p.value);
            hi = std::max(hi, p.value);
        }
    }
    const ChartScale scale = chart_scale(lo, hi);
    ChartFrame frame;
    frame.left = left;
    frame.right = width - right_gap - legend_width;
    frame.bottom = height - bottom;
    frame.top = top;
    frame.lowest = scale.lo;
    frame.highest = scale.hi;
    frame.step = scale.step;
    frame.span = 720;
    layout_ = frame;
    const double mean = dynamics.mean_torque();

    TextSink svg;
    svg << svg_opening(width, height, chart_font);
    svg << "<text x=\"" << px(left) << "\" y=\"30\" font-size=\"18\" font-weight=\"bold\">"
        << "Torque at the crank over the four-stroke cycle</text>\n<text x=\"" << px(left)
        << "\" y=\"54\">" << engine_description(design) << speed_words(design)
        << (dynamics.has_gas() ? "" : "; no gas cycle") << "</text>\n";
    write_chart_axes(frame, svg);
    svg << "<text x=\"" << px((frame.left + frame.right) / 2) << "\" y=\"" << px(frame.bottom + 48)
        << "\" text-anchor=\"middle\">crank angle (degrees from cylinder 1's firing)</text>\n"
        << "<text transform=\"translate(" << px(frame.left - 62) << " "
        << px((frame.bottom + frame.top) / 2)
        << ") rotate(-90)\" text-anchor=\"middle\">torque (N·m), positive driving the crank "
           "forward</text>\n";
    svg << "<line class=\"mean\" x1=\"" << px(frame.left) << "\" y1=\"" << px(frame.y(mean))
        << "\" x2=\"" << px(frame.right) << "\" y2=\"" << px(frame.y(mean))
        << "\" stroke=\"#444444\" stroke-dasharray=\"6 4\"/>\n";
    svg << "<g fill=\"none\" stroke-linejoin=\"round\">\n";
    write_torque_curve(frame, "inertia", torque_inertia_colour, curves.inertia, svg);
    write_torque_curve(frame, "gas", torque_gas_colour, curves.gas, svg);
    write_torque_curve(frame, "total", torque_total_colour, curves.total, svg);
    svg << "</g>\n";
    write_firings(frame, dynamics, svg);
    write_torque_legend(frame.right + 30, mean, svg);
    svg << "</svg>\n";
    svg_ = std::move(svg.text());
}

TorqueChart::Cursor TorqueChart::cursor(double theta) const {
    const double within = within_cycle(theta);
    const CrankAngleDynamics d = dynamics_.at(within);
    Cursor c;
    c.degrees = std::min(within / radians_per_degree, std::nextafter(720.0, 0.0));
    c.x = layout_.x(c.degrees);
    c.gas_y = layout_.y(d.gas_torque);
    c.inertia_y = layout_.y(d.inertia_torque);
    c.total_y = layout_.y(d.gas_torque + d.inertia_torque);
    return c;
}

namespace {

// The load in the crank's frame as a vector drawn up for outward, right for forward.
EngineVector crank_frame_load(const CrankAngleDynamics& d) {
    return {d.crankpin_radial, d.crankpin_forward};
}

} // namespace

CrankpinChart::CrankpinChart(const EngineDesign& design, const EngineDynamics& dynamics)
    : CrankpinChart(design, dynamics, cycle_samples(dynamics)) {}

CrankpinChart::CrankpinChart(const EngineDesign& design, const EngineDynamics& dynamics,
                             const std::vector<CrankAngleDynamics>& samples)
    : dynamics_(dynamics) {
    std::vector<EngineVector> tips;
    double largest = 0;
    for (int k = 0; k < cycle_points; ++k) {
        tips.push_back(crank_frame_load(samples[static_cast<std::size_t>(k)]));
        largest = std::max(largest, std::abs(tips.back()));
    }
    const PolarRings rings = polar_rings(largest);
    px_per_newton_ = rings.px_per_unit();
    TextSink svg;
    svg << svg_opening(polar_width, polar_height, chart_font);
    svg << "<text x=\"30\" y=\"30\" font-size=\"18\" font-weight=\"bold\">"
        << "Load on the crankpin over the four-stroke cycle, in the crank's frame</text>\n"
        << "<text x=\"30\" y=\"54\">" << engine_description(design) << "</text>\n";
    write_polar_grid(rings, " (outward along the crank)", svg);
    write_polar_locus(tips, rings, "class=\"locus\"", crankpin_colour, svg);
    svg << "<text x=\"30\" y=\"84\">" << shortest_text(*design.speed_rpm) << " rpm; largest "
        << significant_text(largest, 5)
        << " N; the tip of the load the rods put on the crankpin, every half degree</text>\n"
        << "<text x=\"30\" y=\"" << px(polar_height - 16) << "\">Load in N, rings every "
        << ring_value(rings.step, rings.step)
        << "; angles clockwise from the crank arm, forward to the right; dot at crank angle "
           "0.</text>\n</svg>\n";
    svg_ = std::move(svg.text());
}

double CrankpinChart::centre_x() const {
    return polar_centre_x;
}

double CrankpinChart::centre_y() const {
    return polar_centre_y;
}

CrankpinChart::Cursor CrankpinChart::cursor(double theta) const {
    const EngineVector load = crank_frame_load(dynamics_.at(within_cycle(theta)));
    return {polar_centre_x + px_per_newton_ * load.imag(),
            polar_centre_y - px_per_newton_ * load.real()};
}

} // namespace radial
