#include "report/aligned_table.h"

#include <algorithm>
#include <ostream>

namespace radial {

std::string aligned_text(const std::vector<TableRow>& rows) {
    std::vector<std::size_t> widths(rows[0].size(), 0);
    for (const TableRow& row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            widths[k] = std::max(widths[k], std::max<std::size_t>(row[k].size(), 1));
        }
    }
    std::string text;
    for (const TableRow& row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            const std::string cell = row[k].empty() ? "-" : row[k];
            text += (k == 0 ? "" : "  ") + std::string(widths[k] - cell.size(), ' ') + cell;
        }
        text += '\n';
    }
    return text;
}

std::string wrapped(std::string_view paragraph, std::size_t width) {
    std::string text, line;
    std::size_t from = 0;
    while (from < paragraph.size()) {
        const std::size_t blank = std::min(paragraph.find(' ', from), paragraph.size());
        const std::string_view word = paragraph.substr(from, blank - from);
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            text += line + '\n';
            line.clear();
        }
        line += (line.empty() ? "" : " ") + std::string(word);
        from = blank + 1;
    }
    return text + line + '\n';
}

void print_aligned(const std::vector<TableRow>& rows, std::ostream& out) {
    out << aligned_text(rows);
}

} // namespace radial
