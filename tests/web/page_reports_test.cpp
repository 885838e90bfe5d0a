#include "page_reports.h"

#include "report/crank_sweep.h"
#include "report/summary_table.h"

#include <gtest/gtest.h>

#include <numbers>
#include <sstream>

namespace radial {
namespace {

// The page writes the sweep and the summary into strings, the tool into its output stream: for
// the same engine the bytes must be the same, or "Download data" and the page's table are not
// what radial-kinematics prints.
TEST(PageReports, WriteTheToolsBytes) {
    for (const EngineParameters p :
         {EngineParameters{}, EngineParameters{35, 250, 40}, EngineParameters{3, 125, 70}}) {
        std::ostringstream sweep;
        print_sweep(p, std::numbers::pi / 180, sweep);
        EXPECT_EQ(degree_sweep_csv(p), sweep.str()) << p.n << " cylinders";
        std::ostringstream summary;
        print_summary(p, TableFormat::csv, summary);
        EXPECT_EQ(PageReports(p, ChartQuantity::distance).summary_csv(), summary.str())
            << p.n << " cylinders";
    }
}

} // namespace
} // namespace radial
