#pragma once

#include "core/engine_design.h"
#include "core/engine_parameters.h"
#include "core/view.h"

namespace radial {

// Rows of the pin table: row i belongs to cylinder i, row 0 is never used, so 35 is the largest
// cylinder count.
constexpr int pin_table_rows = 36;
constexpr int max_cylinders = pin_table_rows - 1;

// The crank radius, half the stroke.
constexpr double crank_radius = 50;

// Where one cylinder's pins were last drawn. For a link rod (cylinders 2..n): the wrist pin on
// the master rod's big end and the piston pin. For the master rod (cylinder 1): the crankpin
// centre in the wrist pin's place and the master piston pin (0, height).
struct PinRow {
    double body_angle = 0;  // the wrist pin's angle on the master rod, from the rod's own axis
    double link_length = 0; // the link rod's, wrist pin to piston pin (world units)
    double wrist_x = 0, wrist_y = 0;
    double piston_x = 0, piston_y = 0;

    friend bool operator==(const PinRow&, const PinRow&) = default;
};

// A cam ring's phase (radians, clockwise) this frame and the frame before, where it is erased.
struct CamPhase {
    double current = 0;
    double previous = 0;
};

// The master rod of the current frame: the crankpin centre, the rod's lean beta (it points from
// the crankpin at angle -beta) and the master piston pin's height on cylinder 1's axis.
struct MasterRod {
    double crankpin_x = 0, crankpin_y = 0;
    double beta = 0;
    double piston_height = 0;
};

// One cylinder's link rod solved for the current frame: the wrist pin K on the master rod's big
// end, the piston pin P on the cylinder's axis (at angle axis), P's distance from the crank
// centre and how many bisection midpoints it took.
struct LinkRod {
    double axis = 0;
    double wrist_x = 0, wrist_y = 0;
    double piston_x = 0, piston_y = 0;
    double distance = 0; // the last midpoint: the piston pin's distance from the origin
    int midpoints = 0;
};

struct WorldSum {
    double x = 0, y = 0;
};

// Every value that more than one part of the program reads or writes. Lengths are world units,
// angles radians measured from +y towards +x: the point at angle phi and distance rho is
// (rho sin phi, rho cos phi). Cylinder i lies on the axis at angle 2 pi (i - 1) / n.
//
// Created with every field 0; start_values() gives it the values the animation starts with.
struct EngineState {
    // Parameters set by the scroll bars, at the animation's scale (r = 50).
    int n = 0;     // cylinders, odd, 3..35
    double d = 0;  // master rod length: crankpin centre to master piston pin
    double rp = 0; // wrist-pin circle radius on the master rod's big end

    // The engine the record runs, in the design's own unit: n, d and rp above are its cylinders,
    // rod length and wrist radius drawn at the animation's scale, its crank radius drawn as r.
    // The bars set both; the wrist pins' rule or listed angles and the listed link lengths come
    // from it.
    EngineDesign design;

    // Fixed geometry.
    double r = 0;               // crank radius (half the stroke)
    double link_rod_length = 0; // d - rp, recomputed every frame
    double pin_radius = 0;      // radius drawn for wrist and piston pins
    double crankpin_radius = 0; // radius drawn for the crankpin
    double pi = 0;
    double start_rod_length = 0; // the reference of the view's zoom

    // Motion.
    double default_crank_step = 0; // radians per frame
    double crank_step = 0;         // radians per frame; negative turns the engine backwards
    double theta = 0;              // crank angle, wrapped by 4 pi only while it grows
    CamPhase cam_ring_a, cam_ring_b;

    // Switches, all off at start.
    bool paused = false;
    bool vector_shown = false;     // the centroid vector
    bool mouse_sets_speed = false; // the pointer's position sets the crank step

    // n, d and rp as they were at the last clear.
    EngineParameters at_last_clear{0, 0, 0};

    // The view read at start; every rescale scales it about the origin.
    View start_view;

    // The current frame's pins, solved before any is drawn: the master rod, and the link rods of
    // cylinders 2..n (by row, as the pin table).
    MasterRod master_rod;
    LinkRod link_rods[pin_table_rows] = {};

    // Per cylinder, as last drawn.
    PinRow pins[pin_table_rows] = {};

    // Centroid vector: the sums of the piston pin positions, now and as last drawn.
    WorldSum centroid_sum, previous_centroid_sum;
};

// Gives the record its start values: pi, n = 11, r = 50, d = 200 (the start rod length),
// rp = 52.5, the step 0.05, the change copies, an empty pin table and theta = 5, and the default
// design, which is that engine. The view is not touched.
void start_values(EngineState& s);

// The record set to run a design: the design kept, and its cylinders, rod length and wrist radius
// at the animation's scale, r / the design's crank radius (1 for a crank radius of 50, which
// keeps every value as it is). The change copies are not touched: the next change check clears.
void take_design(EngineState& s, const EngineDesign& design);

// How many world units the design's one unit is drawn as.
double world_scale(const EngineState& s);

// l/s (d / 2r) as the window shows it, cut to two decimals: floor(50 d / r) / 100.
double ls_readout(const EngineState& s);

// rp / r as the window shows it, cut to two decimals: floor(100 rp / r) / 100.
double eccentricity_readout(const EngineState& s);

} // namespace radial
