#pragma once

namespace radial {

// How a report prints a table: aligned columns for a terminal, or CSV at full precision.
enum class TableFormat { text, csv };

} // namespace radial
