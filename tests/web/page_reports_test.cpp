#include "page_reports.h"

#include "report/crank_sweep.h"

#include <gtest/gtest.h>

#include <numbers>
#include <sstream>

namespace radial {
namespace {

// The page writes the sweep into a string, the tool into its output stream: for the same engine
// "Download data" must be the tool's bytes. (The table against the tool's text: the page test.)
TEST(PageReports, SweepIsTheToolsBytes) {
    for (const EngineDesign& p :
         {EngineDesign{}, EngineDesign{35, 250, 40}, EngineDesign{3, 125, 75}}) {
        std::ostringstream sweep;
        print_sweep(p, std::numbers::pi / 180, sweep);
        EXPECT_EQ(degree_sweep_csv(p), sweep.str()) << p.cylinders << " cylinders";
    }
}

} // namespace
} // namespace radial
