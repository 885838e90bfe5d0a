#include "page_reports.h"

#include "analysis/engine_balance.h"
#include "design/design_names.h"
#include "report/balance_table.h"
#include "report/crank_sweep.h"
#include "report/pin_table.h"
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
    const std::vector<PinTableRow> pins = pin_table(design);
    pin_table_ = rounded_pin_table_csv(design, pins);
    pin_lines_ = radial::pin_table_lines(pins);
    unit_ = radial::unit_words(design.unit);
}

std::string degree_sweep_csv(const EngineDesign& design) {
    return sweep_csv(design, std::numbers::pi / 180);
}

} // namespace radial
