#pragma once

#include <string>

namespace radial {

// Cylinder i's colour of n as "#rrggbb": black for the master, and for the others hues spread
// evenly round the colour wheel, every other one darker, so neighbours in the legend differ.
std::string cylinder_colour(int i, int n);

} // namespace radial
