#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace radial {

// The shortest text that reads back as exactly the same double: std::to_chars's, fixed or
// scientific notation whichever is shorter (fixed on a tie).
std::string shortest_text(double value);

// The same texts worked out from the value's exact decimal digits, without std::to_chars for
// doubles (which emscripten's library lacks), printf or strtod, which would add a fifth to the web
// page: the fewest significant digits that read back as the value (correctly rounded, or beside a
// power of two the neighbour above), written as to_chars writes them; and the value rounded half
// to even, as printf's %.*f. The WebAssembly build's shortest_text and fixed_text.
std::string shortest_text_by_search(double value);
std::string fixed_text_by_digits(double value, int decimals);

// The double nearest to a number written as [sign] digits [. digits] [e [sign] digits] (at least
// one digit before the exponent; ties to even, as std::from_chars reads it); nothing for any
// other text and for a magnitude beyond the largest double. So every shortest_text reads back
// as its value. number_from_text_by_search works it out from the exact decimal digits as the
// WebAssembly build's, without std::from_chars for doubles or strtod.
std::optional<double> number_from_text(std::string_view text);
std::optional<double> number_from_text_by_search(std::string_view text);

// The value rounded to a fixed number of decimals, as printf's %.*f but never "-0.0".
std::string fixed_text(double value, int decimals);

} // namespace radial
