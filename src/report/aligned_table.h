#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace radial {

using TableRow = std::vector<std::string>;

// Right-aligned columns for a terminal, each as wide as its widest cell, two blanks apart; "-"
// stands for an empty cell. Every row has as many cells as the first.
void print_aligned(const std::vector<TableRow>& rows, std::ostream& out);

} // namespace radial
