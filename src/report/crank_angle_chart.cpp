#include "report/crank_angle_chart.h"

#include "analysis/crank_grid.h"
#include "analysis/exact_piston.h"
#include "analysis/reach_ranges.h"
#include "core/engine_state.h"
#include "design/design_names.h"
#include "report/chart_frame.h"
#include "report/cylinder_colours.h"
#include "report/engine_description.h"
#include "report/polyline.h"
#include "svg/number_text.h"
#include "svg/svg_text.h"
#include "svg/text_sink.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace radial {

namespace {

// Pixels: the chart's size, the plot area's margins, and the legend's rows and columns.
constexpr double width = 1000, height = 620;
constexpr double left = 90, top = 80, bottom = 70, right_gap = 30;
constexpr int legend_rows = 18;
constexpr double legend_column = 100, legend_row = 22;

using Point = ChartPoint;

double value_of(const PistonMotion& m, ChartQuantity quantity) {
    switch (quantity) {
    case ChartQuantity::velocity:
        return m.velocity;
    case ChartQuantity::acceleration:
        return m.acceleration;
    case ChartQuantity::distance:
        break;
    }
    return m.distance;
}

// One cylinder's curve: runs of points the rod reaches, split where it cannot.
struct Curve {
    int cylinder = 0;
    std::vector<std::vector<Point>> runs;
    bool has_gaps = false;
};

// The plot grid's angles (0 to 360 degrees inclusive) and, for the distance, the ends of the
// unreachable ranges. Between the ends the rod cannot reach; at them it sits square to the axis,
// at the foot, where its velocity and acceleration are infinite.
Curve curve_of(int cylinder, const ExactPiston& piston, ChartQuantity quantity) {
    const auto ranges = unreachable_ranges(piston, summary_grid);
    struct Sample {
        double angle;
        bool edge;
    };
    std::vector<Sample> samples;
    for (int k = 0; k <= plot_grid.steps; ++k) {
        samples.push_back({plot_grid.angle(k), false});
    }
    for (const AngleRange& range :
         quantity == ChartQuantity::distance ? ranges : std::vector<AngleRange>{}) {
        for (const double end : {range.from, range.to, range.to - two_pi}) {
            if (end >= 0 && end <= two_pi && range.to - range.from < two_pi) {
                samples.push_back({end, true});
            }
        }
    }
    std::sort(samples.begin(), samples.end(),
              [](const Sample& a, const Sample& b) { return a.angle < b.angle; });
    Curve curve{cylinder, {{}}, !ranges.empty()};
    for (const Sample& s : samples) {
        const PistonMotion m = piston.at(s.angle);
        if (!m.reaches && !s.edge) {
            curve.runs.emplace_back();
            continue;
        }
        const double v = m.reaches ? value_of(m, quantity) : piston.nearest_axis_point(s.angle);
        curve.runs.back().push_back({s.angle * 180 / std::numbers::pi, v});
    }
    return curve;
}

// The quantity's name in the title, and the value axis's label in the design's unit.
struct QuantityWords {
    std::string name;
    std::string axis;
};

QuantityWords words_for(ChartQuantity quantity, LengthUnit unit) {
    const std::string u = unit_words(unit);
    const std::string name(quantity_name(quantity));
    switch (quantity) {
    case ChartQuantity::velocity:
        return {name, "piston pin velocity along its axis (" + u + " per radian)"};
    case ChartQuantity::acceleration:
        return {name, "piston pin acceleration along its axis (" + u + " per radian²)"};
    case ChartQuantity::distance:
        break;
    }
    return {name, "piston pin distance from the crank centre (" + u + ")"};
}

// The curves' lowest and highest values.
ChartScale scale_of(const std::vector<Curve>& curves) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (const Curve& c : curves) {
        for (const auto& run : c.runs) {
            for (const Point& p : run) {
                lo = std::min(lo, p.value);
                hi = std::max(hi, p.value);
            }
        }
    }
    return chart_scale(lo, hi);
}

void write_labels(const ChartFrame& f, ChartQuantity quantity, LengthUnit unit, TextSink& svg) {
    svg << "<text x=\"" << px((f.left + f.right) / 2) << "\" y=\"" << px(f.bottom + 48)
        << "\" text-anchor=\"middle\">crank angle (degrees from cylinder 1's axis)</text>\n"
        << "<text transform=\"translate(" << px(f.left - 62) << " " << px((f.bottom + f.top) / 2)
        << ") rotate(-90)\" text-anchor=\"middle\">" << words_for(quantity, unit).axis
        << "</text>\n";
}

void write_curves(const ChartFrame& f, const std::vector<Curve>& curves, int n, TextSink& svg) {
    svg << "<g fill=\"none\" stroke-linejoin=\"round\">\n";
    for (const Curve& c : curves) {
        svg << "<path class=\"curve\" data-cylinder=\"" << c.cylinder << "\" stroke=\""
            << cylinder_colour(c.cylinder, n) << "\" stroke-width=\""
            << (c.cylinder == 1 ? "2.5" : "1.5") << "\" d=\"" << chart_path_data(f, c.runs)
            << "\"/>\n";
    }
    svg << "</g>\n";
}

void write_legend(double x, const std::vector<Curve>& curves, int n, TextSink& svg) {
    svg << "<g class=\"legend\">\n";
    for (std::size_t k = 0; k < curves.size(); ++k) {
        const Curve& c = curves[k];
        const double cx = x + legend_column * static_cast<double>(k / legend_rows);
        const double cy = top + 10 + legend_row * static_cast<double>(k % legend_rows);
        svg << "<line x1=\"" << px(cx) << "\" y1=\"" << px(cy) << "\" x2=\"" << px(cx + 24)
            << "\" y2=\"" << px(cy) << "\" stroke=\"" << cylinder_colour(c.cylinder, n)
            << "\" stroke-width=\"3\"/>\n<text x=\"" << px(cx + 30) << "\" y=\"" << px(cy + 4)
            << "\">" << c.cylinder << (c.cylinder == 1 ? " master" : "")
            << (c.has_gaps ? " (gaps)" : "") << "</text>\n";
    }
    svg << "</g>\n";
}

void write_title(const EngineDesign& design, ChartQuantity quantity, bool gaps, TextSink& svg) {
    svg << "<text x=\"" << px(left) << "\" y=\"30\" font-size=\"18\" font-weight=\"bold\">"
        << "Piston pin " << words_for(quantity, design.unit).name
        << " over one crank revolution</text>\n<text x=\"" << px(left) << "\" y=\"54\">"
        << engine_description(design)
        << (gaps ? "; gaps where a link rod cannot reach its cylinder axis" : "") << "</text>\n";
}

} // namespace

std::string_view quantity_name(ChartQuantity quantity) {
    for (const NamedQuantity& q : chart_quantities) {
        if (q.quantity == quantity) {
            return q.name;
        }
    }
    return "";
}

double CrankChartLayout::degrees_at(double x) const {
    return std::clamp(span * (x - left) / (right - left), 0.0, span);
}

CrankAngleChart::CrankAngleChart(const EngineDesign& design, ChartQuantity quantity)
    : pistons_(exact_pistons(design)), quantity_(quantity) {
    const int n = design.cylinders;
    std::vector<Curve> curves;
    for (int i = 1; i <= n; ++i) {
        curves.push_back(curve_of(i, pistons_[static_cast<std::size_t>(i - 1)], quantity));
    }
    const int columns = (n + legend_rows - 1) / legend_rows;
    const double legend_x = width - right_gap - legend_column * columns;
    const ChartScale scale = scale_of(curves);
    ChartFrame frame;
    frame.left = left;
    frame.right = legend_x - 30;
    frame.bottom = height - bottom;
    frame.top = top;
    frame.lowest = scale.lo;
    frame.highest = scale.hi;
    frame.step = scale.step;
    layout_ = frame;
    const bool gaps =
        std::any_of(curves.begin(), curves.end(), [](const Curve& c) { return c.has_gaps; });

    TextSink svg;
    svg << svg_opening(width, height, chart_font);
    write_title(design, quantity, gaps, svg);
    write_chart_axes(frame, svg);
    write_labels(frame, quantity, design.unit, svg);
    write_curves(frame, curves, n, svg);
    write_legend(legend_x, curves, n, svg);
    svg << "</svg>\n";
    svg_ = std::move(svg.text());
}

namespace {

double within_turn(double theta) {
    const double within = std::fmod(theta, two_pi);
    return within < 0 ? within + two_pi : within;
}

} // namespace

double CrankAngleChart::cursor_degrees(double theta) {
    return std::min(within_turn(theta) * 180 / std::numbers::pi, std::nextafter(360.0, 0.0));
}

CrankAngleChart::Cursor CrankAngleChart::cursor(double theta) const {
    const double within = within_turn(theta);
    Cursor c;
    c.degrees = cursor_degrees(theta);
    c.x = layout_.x(c.degrees);
    for (const ExactPiston& piston : pistons_) {
        const PistonMotion m = piston.at(within);
        c.crossings.push_back(m.reaches ? std::optional(layout_.y(value_of(m, quantity_)))
                                        : std::nullopt);
    }
    return c;
}

std::string distance_plot_svg(const EngineDesign& design) {
    return CrankAngleChart(design).svg();
}

} // namespace radial
