#pragma once

#include "core/engine_design.h"
#include "report/balance_plot.h"
#include "report/crank_angle_chart.h"
#include "report/dynamics_charts.h"

#include <optional>
#include <string>
#include <vector>

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

    // The firing order in words ("Firing order 1, 3, 5, 2, 4: a cylinder fires every 144.0
    // degrees of crank."), and at crank angle theta which cylinders are on each stroke, a line a
    // stroke in the order power, exhaust, intake, compression ("power: 1, 4").
    const std::string& firing_order() const { return firing_order_; }
    std::string strokes_at(double theta) const;

    // The torque chart and the crankpin diagram (page_dynamics_design's), or none; the line
    // saying what they are for, or why there are none.
    const TorqueChart* torque_chart() const { return torque_ ? &*torque_ : nullptr; }
    const CrankpinChart* crankpin_chart() const { return crankpin_ ? &*crankpin_ : nullptr; }
    const std::string& dynamics_note() const { return dynamics_note_; }

private:
    CrankAngleChart crank_;
    std::optional<BalanceChart> balance_;
    std::string refusal_;
    std::string summary_;
    std::string unreachable_;
    std::string pin_table_;
    std::string pin_lines_;
    std::string unit_;
    std::vector<double> firing_angles_; // cylinders 1..n
    std::vector<int> order_;            // the cylinders in their firing order
    std::string firing_order_;
    std::optional<TorqueChart> torque_;
    std::optional<CrankpinChart> crankpin_;
    std::string dynamics_note_;
};

// How the nine-cylinder aero example (examples/nine-cylinder-aero.toml) runs: its speed, masses,
// bore and compression ratio, in inches, with the gas cycle's defaults.
EngineDesign aero_example_running();

// What the page's torque and loads are for: a design that gives its unit, as it is; one in the
// animation's world units scaled to the aero example's crank radius, 2.75 in, with every other
// length in proportion, and running as that example does (each value it does not give), so that a
// visitor sees a torque without a design of their own. Whether it was stood in for so.
struct PageDynamicsDesign {
    EngineDesign design;
    bool example = false;
};
PageDynamicsDesign page_dynamics_design(const EngineDesign& design);

// The sweep of the engine p at one-degree steps, as radial-kinematics --sweep 0.017453292519943295
// writes it.
std::string degree_sweep_csv(const EngineDesign& design);

} // namespace radial
