#pragma once

#include <string>

namespace radial {

// The shortest text that reads back as exactly the same double.
std::string shortest_text(double value);

// The value rounded to a fixed number of decimals, as printf's %.*f but never "-0.0".
std::string fixed_text(double value, int decimals);

} // namespace radial
