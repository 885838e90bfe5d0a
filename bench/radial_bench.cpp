// Per-frame cost of the animation at a given cylinder count: the solve alone, the drawing into
// the window's image, and a whole frame as the loop runs it, without the pump's wait. And the
// time radial-kinematics takes to write one cycle's animation, with the file's size.
#include "core/frame_loop.h"
#include "kinematics_cli.h"
#include "mechanism/engine_solution.h"
#include "mechanism/link_rods.h"
#include "mechanism/mechanism_hooks.h"
#include "picture/steady_run.h"
#include "ui/image_surface.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

namespace radial {
namespace {

// One frame's solve: the body angles, the master rod and every link rod's bisection.
void BM_Solve(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    double theta = 5;
    for (auto _ : state) {
        theta += 0.05;
        const EngineState s = engine_at({n, 200, 52.5}, theta);
        for (int i = 2; i <= n; ++i) {
            benchmark::DoNotOptimize(solve_link_rod(s, i));
        }
    }
}

void BM_Draw(benchmark::State& state) {
    EngineState s = engine_at({static_cast<int>(state.range(0)), 200, 52.5}, 5);
    ImageSurface surface;
    MechanismHooks hooks;
    for (auto _ : state) {
        s.theta += 0.05;
        s.cam_ring_a.previous = s.cam_ring_a.current;
        s.cam_ring_a.current = s.theta / (s.n + 1);
        s.cam_ring_b.previous = s.cam_ring_b.current;
        s.cam_ring_b.current = -s.theta / (s.n - 1);
        surface.set_pen_width(2);
        hooks.draw_axes(s, surface);
        hooks.draw_cam_rings(s, surface);
        hooks.draw_crank_and_master_rod(s, surface);
        hooks.draw_link_rods(s, surface);
        benchmark::DoNotOptimize(surface.take_changed_rects());
    }
}

void BM_Frame(benchmark::State& state) {
    EngineState s;
    ImageSurface surface;
    NoWaitPump pump;
    MechanismHooks hooks;
    FrameLoop loop(s, surface, pump, hooks);
    loop.start_up();
    s.n = s.at_last_clear.n = static_cast<int>(state.range(0));
    s.vector_shown = true;
    for (auto _ : state) {
        loop.frame();
        benchmark::DoNotOptimize(surface.take_changed_rects());
    }
}

// radial-kinematics --animation FILE.gif --cylinders N, the rest at the start values: the 209
// frames drawn, encoded and written whole. Counter: the file's size in bytes.
void BM_AnimationFile(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("radial-bench-" + std::to_string(getpid()) + ".gif"))
                                 .string();
    const std::string n = std::to_string(state.range(0));
    const std::vector<std::string_view> args = {"--animation", path, "--cylinders", n};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (run_tool(args, out, err) != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

BENCHMARK(BM_Solve)->Arg(11)->Arg(35);
BENCHMARK(BM_Draw)->Arg(11)->Arg(35);
BENCHMARK(BM_Frame)->Arg(11)->Arg(35);
BENCHMARK(BM_AnimationFile)->Arg(11)->Arg(35)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace radial

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
