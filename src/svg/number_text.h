#pragma once

#include <string>

namespace radial {

// The shortest text that reads back as exactly the same double: std::to_chars's, fixed or
// scientific notation whichever is shorter (fixed on a tie).
std::string shortest_text(double value);

// The same text found without std::to_chars for doubles, which emscripten's library lacks: the
// fewest correctly rounded significant digits that read back as the value, written as to_chars
// writes them. The WebAssembly build's shortest_text.
std::string shortest_text_by_search(double value);

// The value rounded to a fixed number of decimals, as printf's %.*f but never "-0.0".
std::string fixed_text(double value, int decimals);

} // namespace radial
