#pragma once

#include "analysis/exact_piston.h"
#include "core/engine_design.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace radial {

// What the crank-angle chart plots for each cylinder: the exact piston pin's distance from the
// crank centre (world units), or its velocity or acceleration by crank angle (per radian, per
// radian squared), the columns of the sweep.
enum class ChartQuantity { distance, velocity, acceleration };

// Each quantity by the name the tool's --quantity, the charts window and the page call it, in the
// order they offer them.
struct NamedQuantity {
    ChartQuantity quantity;
    std::string_view name;
};
inline constexpr NamedQuantity chart_quantities[] = {{ChartQuantity::distance, "distance"},
                                                     {ChartQuantity::velocity, "velocity"},
                                                     {ChartQuantity::acceleration, "acceleration"}};
std::string_view quantity_name(ChartQuantity quantity);

// Where the chart puts things, in its own pixels: the plot area's left and right edges (0 and
// span degrees: 360 for a revolution, 720 for a four-stroke cycle) and its bottom and top (the
// lowest and highest values of its scale).
struct CrankChartLayout {
    double left = 0, right = 0, bottom = 0, top = 0;
    double lowest = 0, highest = 1;
    double span = 360;

    double x(double degrees) const { return left + (right - left) * degrees / span; }
    double y(double value) const {
        return bottom - (bottom - top) * (value - lowest) / (highest - lowest);
    }
    // The crank angle in degrees at x, within 0 to span.
    double degrees_at(double x) const;
};

// An SVG chart of every cylinder's quantity against crank angle, 0 to 360 degrees, for the engine
// at the animation's crank radius: one curve per cylinder (a path of class "curve", in
// cylinder_colour), broken where the rod cannot reach its axis, with a legend, labelled axes and
// the parameters in the title. A host that shows it draws only a cursor on top, placed by the
// layout and cursor().
class CrankAngleChart {
public:
    explicit CrankAngleChart(const EngineDesign& design,
                             ChartQuantity quantity = ChartQuantity::distance);

    const std::string& svg() const { return svg_; }
    const CrankChartLayout& layout() const { return layout_; }

    // The cursor at crank angle theta (radians, any value): theta in degrees reduced into
    // [0, 360), its x, and where it crosses each cylinder's curve (cylinders 1..n in order; none
    // where that rod cannot reach its axis).
    struct Cursor {
        double degrees = 0;
        double x = 0;
        std::vector<std::optional<double>> crossings;
    };
    Cursor cursor(double theta) const;
    // The crank angle theta (radians, any value) in degrees reduced into [0, 360), as the cursor
    // stands at it.
    static double cursor_degrees(double theta);

private:
    std::vector<ExactPiston> pistons_;
    ChartQuantity quantity_;
    CrankChartLayout layout_;
    std::string svg_;
};

// The distance chart, as --plot writes it.
std::string distance_plot_svg(const EngineDesign& design);

} // namespace radial
