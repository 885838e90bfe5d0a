#pragma once

#include "core/engine_design.h"
#include "report/balance_plot.h"
#include "report/crank_angle_chart.h"

#include <optional>
#include <string>

namespace radial {

// The analysis the page shows beside the engine, made once for one setting of the engine: the
// crank-angle chart of a quantity, the balance chart (or, for an engine whose balance cannot be
// reported, the line that says why), the per-cylinder summary and the builder's pin table. Each is
// what radial-kinematics writes for the same settings (--plot with --quantity, --balance-plot,
// --summary): the summary as CSV with the text form's rounded cells, and the text form's lines
// under its table.
class PageReports {
public:
    PageReports(const EngineDesign& design, ChartQuantity quantity);

    const CrankAngleChart& crank_chart() const { return crank_; }
    // None when the balance cannot be reported; balance_refusal() then says why.
    const BalanceChart* balance_chart() const { return balance_ ? &*balance_ : nullptr; }
    const std::string& balance_refusal() const { return refusal_; }
    const std::string& summary_csv() const { return summary_; }
    const std::string& unreachable_lines() const { return unreachable_; }
    // The builder's pin table, as --pin-table's text form has it: its cells and its lines.
    const std::string& pin_table_csv() const { return pin_table_; }
    const std::string& pin_table_lines() const { return pin_lines_; }
    // The design's unit in words, for the tables' captions: "mm", "world units".
    const std::string& unit_words() const { return unit_; }

private:
    CrankAngleChart crank_;
    std::optional<BalanceChart> balance_;
    std::string refusal_;
    std::string summary_;
    std::string unreachable_;
    std::string pin_table_;
    std::string pin_lines_;
    std::string unit_;
};

// The sweep of the engine p at one-degree steps, as radial-kinematics --sweep 0.017453292519943295
// writes it.
std::string degree_sweep_csv(const EngineDesign& design);

} // namespace radial
