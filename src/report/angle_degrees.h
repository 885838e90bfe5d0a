#pragma once

#include <string>

namespace radial {

// A crank angle in radians as degrees in [0, 360).
double crank_degrees(double radians);

// crank_degrees to one decimal, "0.0" where that rounds up to 360.
std::string crank_degrees_text(double radians);

// An angle difference in radians as degrees in (-180, 180].
double offset_degrees(double radians);

// offset_degrees to one decimal, "180.0" where that rounds down to -180.
std::string offset_degrees_text(double radians);

} // namespace radial
