#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace radial {

// The shortest text that reads back as exactly the same double.
std::string shortest_text(double value);

// The whole text as a number, or nothing: no leading blanks or sign '+', no trailing junk.
std::optional<double> read_real(std::string_view text);
std::optional<int> read_integer(std::string_view text);

} // namespace radial
