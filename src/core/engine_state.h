#pragma once

#include "core/view.h"

namespace radial {

// Rows of the per-cylinder table: row i belongs to cylinder i, row 0 is never used, so 35 is
// the largest cylinder count.
constexpr int pintab_rows = 36;
constexpr int pintab_columns = 5;
constexpr int max_cylinders = pintab_rows - 1;

// The crank radius, half the stroke.
constexpr double crank_radius = 50;

// Every value that more than one part of the program reads or writes. Lengths are world units,
// angles radians measured from +y towards +x: the point at angle phi and distance rho is
// (rho sin phi, rho cos phi). Cylinder i lies on the axis at angle 2 pi (i - 1) / n.
//
// Created with every field 0; start_values() gives it the values the animation starts with.
struct EngineState {
    // Parameters set by the scroll bars.
    int n = 0;     // cylinders, odd, 3..35
    double d = 0;  // master rod length: crankpin centre to master piston pin
    double rp = 0; // wrist-pin circle radius on the master rod big end

    // Fixed geometry.
    double r = 0;        // crank radius (half the stroke)
    double dd = 0;       // link rod length d - rp, recomputed every frame
    double pin = 0;      // radius drawn for wrist and piston pins
    double crankpin = 0; // radius drawn for the crankpin
    double pi = 0;
    double d0 = 0; // the starting master rod length, the reference of the view's zoom

    // Motion.
    double stepe1 = 0; // default crank step per frame
    double stepe = 0;  // current crank step per frame; negative turns the engine backwards
    double theta = 0;  // crank angle, wrapped by 4 pi only while it grows
    double phasea = 0, phasea0 = 0; // cam ring A: current and previous phase
    double phaseb = 0, phaseb0 = 0; // cam ring B: current and previous phase

    // Toggles, 0 or 1: paused, centroid vector shown, mouse sets the speed.
    int w = 0;
    int c = 0;
    int mou = 0;

    // n, d and rp as they were at the last clear.
    int nlast = 0;
    double dlast = 0;
    double rplast = 0;

    // The view read at start; every rescale scales it about the origin.
    View view0;

    // Master rod of the current frame: crankpin centre, rod angle (the rod points from the
    // crankpin at angle -beta) and the master piston pin's height on cylinder 1's axis.
    double xc = 0, yc = 0, beta = 0, ym = 0;

    // Per cylinder, as last drawn. Row 1 (master rod): -, crankpin x, y, 0, piston pin height.
    // Rows 2..n (link rods): wrist-pin body angle, wrist pin x, y, piston pin x, y.
    double pintab[pintab_rows][pintab_columns] = {};

    // Centroid vector: current and previous sums of the piston pin positions.
    double sumx = 0, sumy = 0, sumx0 = 0, sumy0 = 0;
};

// Gives the record its start values: pi, n = 11, r = 50, d = d0 = 200, rp = 52.5, the step 0.05,
// the change copies, an empty pintab and theta = 5. The view is not touched.
void start_values(EngineState& s);

// l/s (d / 2r) as the window shows it, cut to two decimals: floor(50 d / r) / 100.
double ls_readout(const EngineState& s);

// rp / r as the window shows it, cut to two decimals: floor(100 rp / r) / 100.
double eccentricity_readout(const EngineState& s);

} // namespace radial
