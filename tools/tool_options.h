#pragma once

#include "analysis/master_match.h"
#include "core/engine_design.h"
#include "design/running_keys.h"
#include "report/crank_angle_chart.h"
#include "report/table_format.h"

#include <array>
#include <optional>
#include <string>

namespace radial {

// What radial-kinematics prints: the pins at one crank angle (the default), or one whole crank
// revolution as CSV rows, as a per-cylinder table, as an SVG chart, as the shaking force's
// harmonic orders, or as an SVG polar diagram of that force; or the window's picture at one crank
// angle, or over one four-stroke cycle.
enum class ToolMode {
    single_angle,
    sweep,
    summary,
    plot,
    balance,
    balance_plot,
    picture,
    animation,
    pin_table,
    match_master,
    firing_order,
    cylinder_pressures,
    torque,
    torque_orders,
    loads,
    torque_plot,
    crankpin_plot
};

// The flags that change the design, as given; each overrides the design file's value (or the
// default's). A ratio takes the crank radius of the design it ends in.
struct DesignFlags {
    std::optional<int> cylinders;
    std::optional<double> crank_radius, rod_length, ls, wrist_radius, eccentricity;
    std::optional<double> bore, compression_ratio;
    std::optional<PinRule> pin_rule;
    // How the design runs, in the order of running_keys().
    std::array<std::optional<double>, running_key_count> running{};
};

// --frames: how many frames the animation's cycle takes.
constexpr int default_animation_frames = 209; // about 3 radians a second at 50 frames a second
constexpr int min_animation_frames = 2;
constexpr int max_animation_frames = 2000;

// What radial-kinematics was asked for. Lengths in the design's unit, angles in radians.
struct ToolOptions {
    EngineDesign design;     // the design file's or the default, with the flags' values
    std::string design_path; // --design
    DesignFlags design_flags;
    // The design's crank radius may differ from 50 (--design or --crank-radius is given): the
    // rod length's range is then checked with the whole design, not as the flag is read.
    bool crank_radius_given = false;
    MasterMatch match_aim = MasterMatch::tdc; // --match-master
    std::string save_path;                    // --save-design
    double theta = 0;
    ToolMode mode = ToolMode::single_angle;
    double sweep_step = 0;
    TableFormat format = TableFormat::text;
    int orders = 6;            // the balance's harmonic orders, 1..orders; the torque's 0.5..orders
    bool orders_given = false; // the torque's are up to the cylinder count without --orders
    double step_degrees = 1;   // --step: the dynamics' CSV rows
    double speed_fluctuation = 0.02; // --fluctuation: what the flywheel keeps the speed within
    std::string plot_path;           // --plot's or --balance-plot's SVG file
    ChartQuantity quantity = ChartQuantity::distance; // what --plot plots
    std::string picture_path;                         // --picture or --animation
    int frames = default_animation_frames;
    bool vector = false; // --vector: the pictures with the centroid vector on
    bool help = false;
    bool version = false;
};

// A refusal: one line for standard error, without the program name.
struct UsageError {
    std::string message;
};

} // namespace radial
