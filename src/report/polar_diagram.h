#pragma once

#include "analysis/shaking_force.h"
#include "svg/text_sink.h"

#include <string>
#include <string_view>
#include <vector>

namespace radial {

// The polar diagrams' common parts: the balance's shaking force and the crankpin's load. A
// vector v is drawn from the centre with v.real() up the page and v.imag() to the right, so
// that an engine vector (cylinder 1 up, angles clockwise) is drawn as the engine stands.

// Pixels: the diagram's size, its centre and the radius of its outer ring.
inline constexpr double polar_width = 800, polar_height = 860;
inline constexpr double polar_centre_x = 400, polar_centre_y = 470, polar_outer = 320;

// Rings at whole multiples of a round step (1, 2 or 5 times a power of ten), the outermost at or
// beyond the largest vector.
struct PolarRings {
    double step = 1;
    int count = 1;
    double px_per_unit() const { return polar_outer / (step * count); }
};

PolarRings polar_rings(double largest);

// Where a vector's tip lands, in pixels.
struct PolarPoint {
    double x = 0, y = 0;
};
PolarPoint polar_point(EngineVector v, const PolarRings& rings);

// The rings, spokes every 30 degrees labelled clockwise from the top (zero_words after "0°"),
// and the rings' values along the 15 degree line.
void write_polar_grid(const PolarRings& rings, std::string_view zero_words, TextSink& svg);

// A closed path through the tips (with the attributes given, such as a class) and a dot at the
// first.
void write_polar_locus(const std::vector<EngineVector>& tips, const PolarRings& rings,
                       std::string_view attributes, std::string_view colour, TextSink& svg);

// A ring's value with decimals enough for every multiple of the step.
std::string ring_value(double value, double step);

} // namespace radial
