#include "page_reports.h"

#include "analysis/engine_balance.h"
#include "analysis/engine_dynamics.h"
#include "analysis/four_stroke.h"
#include "design/design_names.h"
#include "design/running_keys.h"
#include "report/balance_table.h"
#include "report/crank_sweep.h"
#include "report/dynamics_tables.h"
#include "report/pin_table.h"
#include "report/summary_table.h"
#include "svg/number_text.h"

#include <array>
#include <numbers>
#include <variant>
#include <vector>

namespace radial {

EngineDesign aero_example_running() {
    EngineDesign d{9, 10.25, 2.3, 2.75};
    d.unit = LengthUnit::in;
    d.bore = 5.0;
    d.compression_ratio = 5.1;
    d.speed_rpm = 1900;
    d.reciprocating_mass = 1.6;
    d.link_rod_mass = 0.9;
    d.link_rod_centre = 0.4;
    d.master_rod_mass = 5.5;
    d.master_rod_centre = 0.2;
    d.rotating_mass = 2.0;
    return d;
}

PageDynamicsDesign page_dynamics_design(const EngineDesign& design) {
    if (design.unit != LengthUnit::none) {
        return {design, false};
    }
    const EngineDesign example = aero_example_running();
    const double scale = example.crank_radius / design.crank_radius;
    EngineDesign d = design;
    d.unit = example.unit;
    d.crank_radius = example.crank_radius;
    d.rod_length *= scale;
    d.wrist_radius *= scale;
    for (double& length : d.link_lengths) {
        length *= scale;
    }
    d.bore = design.bore ? *design.bore * scale : *example.bore;
    if (!d.compression_ratio) {
        d.compression_ratio = example.compression_ratio;
    }
    for (const RunningKey& key : running_keys()) {
        if (!(d.*key.field)) {
            d.*key.field = example.*key.field;
        }
    }
    return {d, true};
}

namespace {

constexpr std::array<Stroke, 4> strokes = {Stroke::power, Stroke::exhaust, Stroke::intake,
                                           Stroke::compression};

std::string firing_order_words(int cylinders) {
    return "Firing order " + firing_order_line(cylinders) + ": a cylinder fires every " +
           fixed_text(720.0 / cylinders, 1) + " degrees of crank.";
}

} // namespace

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
    firing_angles_ = radial::firing_angles(pins);
    order_ = radial::firing_order(design.cylinders);
    firing_order_ = firing_order_words(design.cylinders);

    const PageDynamicsDesign running = page_dynamics_design(design);
    auto dynamics = EngineDynamics::of(running.design);
    if (const auto* refusal = std::get_if<std::string>(&dynamics)) {
        dynamics_note_ =
            "No torque chart: " + std::string(refusal->starts_with("needs") ? "it " : "") +
            *refusal + ".";
        return;
    }
    const EngineDynamics& made = std::get<EngineDynamics>(dynamics);
    const std::vector<CrankAngleDynamics> samples = cycle_samples(made);
    torque_.emplace(running.design, made, samples);
    crankpin_.emplace(running.design, made, samples);
    if (running.example) {
        dynamics_note_ = "Torque and loads with this engine's geometry at the size of the "
                         "nine-cylinder aero example (crank radius 2.75 in, every length in "
                         "proportion), running as it does: " +
                         shortest_text(*running.design.speed_rpm) +
                         " rpm, its masses, bore and compression ratio. A design file with its "
                         "own units, speed and masses shows its own.";
    }
}

std::string PageReports::strokes_at(double theta) const {
    std::string text;
    for (const Stroke stroke : strokes) {
        std::string cylinders;
        for (const int cylinder : order_) {
            if (stroke_at(firing_angles_[static_cast<std::size_t>(cylinder - 1)], theta) ==
                stroke) {
                cylinders += (cylinders.empty() ? " " : ", ") + std::to_string(cylinder);
            }
        }
        text += std::string(stroke_name(stroke)) + ":" + (cylinders.empty() ? " none" : cylinders) +
                "\n";
    }
    return text;
}

std::string degree_sweep_csv(const EngineDesign& design) {
    return sweep_csv(design, std::numbers::pi / 180);
}

} // namespace radial
