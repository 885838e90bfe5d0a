#include "page_reports.h"

#include "analysis/engine_balance.h"
#include "report/balance_table.h"
#include "report/crank_sweep.h"
#include "report/summary_table.h"

#include <numbers>
#include <vector>

namespace radial {

PageReports::PageReports(const EngineDesign& design, ChartQuantity quantity)
    : crank_(design, quantity) {
    const EngineBalance balance = balance_engine(design, 1);
    if (const auto refusal = radial::balance_refusal(balance)) {
        refusal_ = *refusal;
    } else {
        balance_.emplace(design, balance);
    }
    const std::vector<CylinderSummary> cylinders = summarise_cylinders(design);
    summary_ = rounded_summary_csv(design, cylinders);
    unreachable_ = radial::unreachable_lines(cylinders);
}

std::string degree_sweep_csv(const EngineDesign& design) {
    return sweep_csv(design, std::numbers::pi / 180);
}

} // namespace radial
