#pragma once

#include "analysis/engine_dynamics.h"
#include "core/engine_design.h"
#include "report/crank_angle_chart.h"

#include <string>
#include <vector>

namespace radial {

// The colours of the torque chart's curves and of the crankpin diagram's path.
inline constexpr const char* torque_gas_colour = "#d0461c";
inline constexpr const char* torque_inertia_colour = "#2a9d8f";
inline constexpr const char* torque_total_colour = "#1f4e9c";
inline constexpr const char* crankpin_colour = "#1f4e9c";

// The dynamics at every half degree of the four-stroke cycle, 0 to 720 degrees both included: what
// the torque chart and the crankpin diagram are drawn from, for a host showing both to make once.
std::vector<CrankAngleDynamics> cycle_samples(const EngineDynamics& dynamics);

// An SVG chart of the torque at the crank against crank angle over the four-stroke cycle (0 to
// 720 degrees from cylinder 1's firing): the gas's, the inertia's and the total (paths of class
// "curve" with data-part "gas", "inertia" and "total"), the mean as a dashed line (class "mean"),
// each cylinder's firing marked at the top with its number (class "firing"), labelled axes, a
// legend and the design in the title. A host draws only a cursor on top.
class TorqueChart {
public:
    TorqueChart(const EngineDesign& design, const EngineDynamics& dynamics);
    TorqueChart(const EngineDesign& design, const EngineDynamics& dynamics,
                const std::vector<CrankAngleDynamics>& samples); // cycle_samples(dynamics)

    const std::string& svg() const { return svg_; }
    const CrankChartLayout& layout() const { return layout_; }

    // At crank angle theta (radians, any value): theta in degrees reduced into [0, 720), the
    // cursor's x and where it crosses the three curves.
    struct Cursor {
        double degrees = 0, x = 0;
        double gas_y = 0, inertia_y = 0, total_y = 0;
    };
    Cursor cursor(double theta) const;

private:
    EngineDynamics dynamics_;
    CrankChartLayout layout_;
    std::string svg_;
};

// An SVG polar diagram of the crankpin's load over the cycle in the crank's own frame, as the
// engine makers draw it: outward along the crank arm up, forward (the way the crankpin moves) to
// the right, the path of the load vector's tip every half degree (class "locus"), a dot at crank
// angle 0, rings in newtons; drawn by the balance diagram's code.
class CrankpinChart {
public:
    CrankpinChart(const EngineDesign& design, const EngineDynamics& dynamics);
    CrankpinChart(const EngineDesign& design, const EngineDynamics& dynamics,
                  const std::vector<CrankAngleDynamics>& samples); // cycle_samples(dynamics)

    const std::string& svg() const { return svg_; }
    double centre_x() const;
    double centre_y() const;

    // The load's tip at crank angle theta, in pixels.
    struct Cursor {
        double x = 0, y = 0;
    };
    Cursor cursor(double theta) const;

private:
    EngineDynamics dynamics_;
    double px_per_newton_ = 1;
    std::string svg_;
};

} // namespace radial
