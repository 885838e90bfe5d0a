#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace radial {

using TableRow = std::vector<std::string>;

// Right-aligned columns for a terminal, each as wide as its widest cell, two blanks apart; "-"
// stands for an empty cell. Every row has as many cells as the first.
void print_aligned(const std::vector<TableRow>& rows, std::ostream& out);
std::string aligned_text(const std::vector<TableRow>& rows);

// A paragraph broken at blanks into lines of at most width bytes (a longer word stands alone),
// each ending in a line break.
std::string wrapped(std::string_view paragraph, std::size_t width = 96);

} // namespace radial
