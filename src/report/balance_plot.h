#pragma once

#include "analysis/engine_balance.h"
#include "analysis/shaking_force.h"
#include "core/engine_design.h"

#include <string>
#include <vector>

namespace radial {

// The colours of the two paths: the force as it is, and with the counterweight.
inline constexpr const char* balance_plain_colour = "#1f4e9c";
inline constexpr const char* balance_counterweight_colour = "#d0461c";

// An SVG polar diagram of the pistons' shaking force over one crank revolution, for a design,
// balance being balance_engine's for it with every rod reaching. Drawn in the engine's own
// orientation, cylinder 1's axis up and angles clockwise: the path the tip of the force vector
// takes, every 0.5 degree of crank angle, as it is and with a counterweight cancelling the
// first-order forward component (paths of class "locus" with data-counterweight "no" and "yes", in
// two colours, a dot at crank angle 0, a legend); rings at round multiples of m r omega^2 with
// their values, spokes every 30 degrees, the parameters in the title.
std::string balance_plot_svg(const EngineDesign& design, const EngineBalance& balance);

// That diagram, with what a host needs to draw a cursor on top of it: where the force at a crank
// angle lands, in the diagram's own pixels.
class BalanceChart {
public:
    BalanceChart(const EngineDesign& design, const EngineBalance& balance);

    const std::string& svg() const { return svg_; }

    // The centre, where the force vectors start, in pixels.
    double centre_x() const;
    double centre_y() const;

    // At crank angle theta (radians): the tip of the force as it is, and with the counterweight,
    // each on its path.
    struct Cursor {
        double x = 0, y = 0;                             // the force's tip
        double counterweight_x = 0, counterweight_y = 0; // with the counterweight
    };
    Cursor cursor(double theta) const;

private:
    BalanceForce force_;
    EngineVector cancelled_;
    double px_per_unit_ = 1;
    std::string svg_;
};

} // namespace radial
