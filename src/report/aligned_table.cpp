#include "report/aligned_table.h"

#include <algorithm>
#include <ostream>

namespace radial {

void print_aligned(const std::vector<TableRow>& rows, std::ostream& out) {
    std::vector<std::size_t> widths(rows[0].size(), 0);
    for (const TableRow& row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            widths[k] = std::max(widths[k], std::max<std::size_t>(row[k].size(), 1));
        }
    }
    for (const TableRow& row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            const std::string cell = row[k].empty() ? "-" : row[k];
            out << (k == 0 ? "" : "  ") << std::string(widths[k] - cell.size(), ' ') << cell;
        }
        out << '\n';
    }
}

} // namespace radial
