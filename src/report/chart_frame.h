#pragma once

#include "report/crank_angle_chart.h"
#include "svg/text_sink.h"

#include <string>
#include <vector>

namespace radial {

// The parts the crank-angle charts share: the revolution's chart of the pistons and the cycle's
// chart of the torque.

// A point of a curve: crank angle in degrees and the value.
struct ChartPoint {
    double degrees;
    double value;
};

// A round range around the values from lo to hi, and a round step between its ticks.
struct ChartScale {
    double lo = 0, hi = 1, step = 1;
};
ChartScale chart_scale(double lo, double hi);

// The plot area and the mapping into it, with the scale's step between ticks.
struct ChartFrame : CrankChartLayout {
    double step = 1;
};

// The grid (a line every span / 12 degrees and at each tick), its numbers and the plot area's
// frame.
void write_chart_axes(const ChartFrame& f, TextSink& svg);

// SVG path data for runs of points: a move to the start of each run of two points or more, then
// lines through the points that draw the run to within a tenth of a pixel.
std::string chart_path_data(const ChartFrame& f, const std::vector<std::vector<ChartPoint>>& runs);

} // namespace radial
