#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace radial {

// The shortest text that reads back as exactly the same double.
std::string shortest_text(double value);

// The value rounded to a fixed number of decimals, as printf's %.*f but never "-0.0".
std::string fixed_text(double value, int decimals);

// The whole text as a number, or nothing: no leading blanks or sign '+', no trailing junk. A real
// too small for a double reads as the nearest denormal or zero; one too large is refused.
std::optional<double> read_real(std::string_view text);
std::optional<int> read_integer(std::string_view text);

} // namespace radial
