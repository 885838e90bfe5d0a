#pragma once

#include <string>

namespace radial {

// What radial-kinematics prints: the pins at one crank angle (the default), or one whole crank
// revolution as CSV rows, as a per-cylinder table, or as an SVG chart.
enum class ToolMode { single_angle, sweep, summary, plot };

enum class TableFormat { text, csv };

// What radial-kinematics was asked for. Lengths in world units, angles in radians.
struct ToolOptions {
    int cylinders = 11;
    double rod_length = 200;
    double wrist_radius = 52.5;
    double theta = 0;
    ToolMode mode = ToolMode::single_angle;
    double sweep_step = 0;
    TableFormat format = TableFormat::text;
    std::string plot_path;
    bool help = false;
};

// A refusal: one line for standard error, without the program name.
struct UsageError {
    std::string message;
};

} // namespace radial
