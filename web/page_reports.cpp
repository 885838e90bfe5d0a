#include "page_reports.h"

#include "analysis/engine_balance.h"
#include "report/balance_table.h"
#include "report/crank_sweep.h"
#include "report/summary_table.h"

#include <numbers>
#include <vector>

namespace radial {

PageReports::PageReports(EngineParameters p, ChartQuantity quantity) : crank_(p, quantity) {
    const EngineBalance balance = balance_engine(p, 1);
    if (const auto refusal = radial::balance_refusal(balance)) {
        refusal_ = *refusal;
    } else {
        balance_.emplace(p, balance);
    }
    const std::vector<CylinderSummary> cylinders = summarise_cylinders(p);
    summary_ = rounded_summary_csv(cylinders);
    unreachable_ = radial::unreachable_lines(cylinders);
}

std::string degree_sweep_csv(EngineParameters p) {
    return sweep_csv(p, std::numbers::pi / 180);
}

} // namespace radial
