#pragma once

namespace radial {

// A crank angle in radians as degrees in [0, 360).
double crank_degrees(double radians);

// An angle difference in radians as degrees in (-180, 180].
double offset_degrees(double radians);

} // namespace radial
