#include "page_reports.h"

#include "report/crank_sweep.h"
#include "report/summary_table.h"

#include <gtest/gtest.h>

#include <numbers>
#include <sstream>
#include <string>

namespace radial {
namespace {

// The page writes the sweep and the summary into strings, the tool into its output stream: for
// the same engine "Download data" must be the tool's bytes, and the page's table the tool's text
// table, cell for cell, with the lines under it.
TEST(PageReports, WriteTheToolsBytes) {
    for (const EngineParameters p :
         {EngineParameters{}, EngineParameters{35, 250, 40}, EngineParameters{3, 125, 75}}) {
        std::ostringstream sweep;
        print_sweep(p, std::numbers::pi / 180, sweep);
        EXPECT_EQ(degree_sweep_csv(p), sweep.str()) << p.n << " cylinders";

        std::ostringstream text;
        print_summary(p, TableFormat::text, text);
        std::istringstream tool(text.str());
        std::string line, rows;
        while (std::getline(tool, line) && line.rfind("cylinder ", 0) != 0) {
        }
        while (std::getline(tool, line) && !line.empty()) {
            std::istringstream cells(line);
            std::string cell, row;
            while (cells >> cell) {
                row += (row.empty() ? "" : ",") + cell;
            }
            rows += row + "\n";
        }
        const auto rest = tool.tellg(); // after the empty line under the table, or none
        const std::string lines = rest < 0 ? "" : text.str().substr(static_cast<std::size_t>(rest));
        const PageReports page(p, ChartQuantity::distance);
        const std::string& csv = page.summary_csv();
        EXPECT_EQ(csv.substr(csv.find('\n') + 1), rows) << p.n << " cylinders";
        EXPECT_EQ(page.unreachable_lines(), lines) << p.n << " cylinders";
    }
}

} // namespace
} // namespace radial
