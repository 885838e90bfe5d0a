#pragma once

#include <optional>
#include <string_view>

namespace radial {

// The whole text as a number, or nothing: no leading blanks or sign '+', no trailing junk. A real
// too small for a double reads as the nearest denormal or zero; one too large is refused.
std::optional<double> read_real(std::string_view text);
std::optional<int> read_integer(std::string_view text);

} // namespace radial
