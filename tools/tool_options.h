#pragma once

#include <string>

namespace radial {

// What radial-kinematics prints: the pins at one crank angle (the default), or one whole crank
// revolution as CSV rows, as a per-cylinder table, as an SVG chart, as the shaking force's
// harmonic orders, or as an SVG polar diagram of that force.
enum class ToolMode { single_angle, sweep, summary, plot, balance, balance_plot };

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
    int orders = 6;        // the balance's harmonic orders, 1..orders
    std::string plot_path; // --plot's or --balance-plot's SVG file
    bool help = false;
};

// A refusal: one line for standard error, without the program name.
struct UsageError {
    std::string message;
};

} // namespace radial
