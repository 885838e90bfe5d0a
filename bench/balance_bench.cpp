// What radial-kinematics --balance costs: the reach check, the sampled shaking force, its orders
// and the largest force with and without counterweight, at the start values' rods.
#include "analysis/engine_balance.h"

#include <benchmark/benchmark.h>

namespace radial {
namespace {

void BM_Balance(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int orders = static_cast<int>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(balance_engine({n, 200, 52.5}, orders));
    }
}

BENCHMARK(BM_Balance)->Args({11, 6})->Args({35, 6})->Args({35, 50})->Unit(benchmark::kMillisecond);

} // namespace
} // namespace radial
