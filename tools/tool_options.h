#pragma once

#include <string>

namespace radial {

// What radial-kinematics prints: the pins at one crank angle (the default), or one whole crank
// revolution as CSV rows, as a per-cylinder table, or as an SVG chart; or the window's picture
// at one crank angle, or over one four-stroke cycle.
enum class ToolMode { single_angle, sweep, summary, plot, picture, animation };

// --frames: how many frames the animation's cycle takes.
constexpr int default_animation_frames = 209; // about 3 radians a second at 50 frames a second
constexpr int min_animation_frames = 2;
constexpr int max_animation_frames = 2000;

enum class SummaryFormat { text, csv };

// What radial-kinematics was asked for. Lengths in world units, angles in radians.
struct ToolOptions {
    int cylinders = 11;
    double rod_length = 200;
    double wrist_radius = 52.5;
    double theta = 0;
    ToolMode mode = ToolMode::single_angle;
    double sweep_step = 0;
    SummaryFormat format = SummaryFormat::text;
    std::string plot_path;
    std::string picture_path; // --picture or --animation
    int frames = default_animation_frames;
    bool help = false;
    bool version = false;
};

// A refusal: one line for standard error, without the program name.
struct UsageError {
    std::string message;
};

} // namespace radial
