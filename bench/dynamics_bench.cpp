#include "analysis/engine_dynamics.h"
#include "analysis/torque_cycle.h"
#include "report/dynamics_tables.h"

#include <benchmark/benchmark.h>

#include <variant>

namespace radial {
namespace {

// The nine-cylinder aero example's geometry and running with n cylinders.
EngineDesign running_engine(int cylinders) {
    EngineDesign d{cylinders, 10.25, 2.3, 2.75};
    d.pin_rule = PinRule::even;
    d.unit = LengthUnit::in;
    d.bore = 5;
    d.compression_ratio = 5.1;
    d.speed_rpm = 1900;
    d.reciprocating_mass = 1.6;
    d.link_rod_mass = 0.9;
    d.master_rod_mass = 5.5;
    d.rotating_mass = 2;
    return d;
}

// The torque (--torque's text: the cycle at 5760 steps) and the loads at one-degree steps
// (--loads --format csv), each from the design: the dynamics made, then used.
void BM_Torque(benchmark::State& state) {
    const EngineDesign design = running_engine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto dynamics = std::get<EngineDynamics>(EngineDynamics::of(design));
        benchmark::DoNotOptimize(torque_cycle(dynamics, 0.02));
    }
}

void BM_LoadsCsv(benchmark::State& state) {
    const EngineDesign design = running_engine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto dynamics = std::get<EngineDynamics>(EngineDynamics::of(design));
        benchmark::DoNotOptimize(loads_report(design, dynamics, TableFormat::csv, 1));
    }
}

BENCHMARK(BM_Torque)->Arg(9)->Arg(35)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadsCsv)->Arg(9)->Arg(35)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace radial
