// Prints a hash of every frame the page's engine draws over a sweep of cylinder counts, bars,
// speeds, the centroid vector, device pixel ratios and input, past the crank angle's 4 pi wrap.
// Built natively and for WebAssembly, the two outputs must be the same line for line: the C
// libraries' sin, cos and atan may differ in the last bit, and any pixel that follows shows here.
//
// A frame's hash covers the device pixels the page would put on its canvas after it (the changed
// rectangles) and where they go; a run starts from a blank picture, so equal hashes frame after
// frame mean equal pictures.

#include "controls/parameter_bars.h"
#include "page_engine.h"

#include <cstdint>
#include <cstdio>

namespace {

using radial::PageEngine;
using radial::PageInput;

// FNV-1a taken a 32-bit word at a time.
std::uint64_t mix(std::uint64_t hash, std::uint32_t word) {
    return (hash ^ word) * 0x100000001b3u;
}

// The changed rectangles' device pixels and where they are.
std::uint64_t frame_hash(radial::PixelSurface& surface) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    const auto pixels = surface.data();
    const auto width = static_cast<std::size_t>(surface.device_width());
    for (const radial::PixelRect& logical : surface.take_changed_rects()) {
        const radial::PixelRect r = radial::device_rect(
            logical, surface.device_pixel_ratio(), surface.device_width(), surface.device_height());
        for (const int v : {r.x, r.y, r.width, r.height}) {
            hash = mix(hash, static_cast<std::uint32_t>(v));
        }
        for (int y = r.y; y < r.y + r.height; ++y) {
            const std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * width;
            for (int x = r.x; x < r.x + r.width; ++x) {
                hash = mix(hash, row[x]);
            }
        }
    }
    return hash;
}

struct Sweep {
    int cylinders;
    int rod_bar;   // the l/s bar: 330 (l/s 2.85) .. 650 (1.25)
    int wrist_bar; // the eccentricity bar: 50 (eccentricity 1.5) .. 130 (0.7)
    double speed;
    bool vector;
    double device_pixel_ratio;
};

// Input during a run: at frame 40 the bars move, at 90 the speed keys and the mouse.
void feed(PageEngine& engine, long frame) {
    if (frame == 40) {
        engine.queue(PageInput::bar_moved(radial::cylinders_bar, 33));
        engine.queue(PageInput::bar_moved(radial::rod_length_bar, 400));
        engine.queue(PageInput::bar_moved(radial::wrist_radius_bar, 70));
    } else if (frame == 90) {
        engine.queue(PageInput::key_press('.'));
        engine.queue(PageInput::mouse_press());
        engine.queue(PageInput::pointer_at(600, 80));
        engine.queue(PageInput::key_press('c'));
    }
}

void run(const Sweep& w, bool with_input, long frames) {
    radial::PageStart start;
    start.cylinders = w.cylinders;
    set_bar_position(start, radial::rod_length_bar, w.rod_bar);
    set_bar_position(start, radial::wrist_radius_bar, w.wrist_bar);
    start.speed = w.speed;
    start.vector = w.vector;
    PageEngine engine(w.device_pixel_ratio, start);
    for (long frame = 1; frame <= frames; ++frame) {
        if (with_input) {
            feed(engine, frame);
        }
        engine.run_frame();
        const std::uint64_t hash = frame_hash(engine.surface());
        std::printf("%d %d %d %.17g %d %g %d %ld %016llx\n", w.cylinders, w.rod_bar, w.wrist_bar,
                    w.speed, w.vector ? 1 : 0, w.device_pixel_ratio, with_input ? 1 : 0, frame,
                    static_cast<unsigned long long>(hash));
    }
}

} // namespace

int main() {
    // From theta 5 at 0.05 a frame the angle passes 4 pi at frame 152; 160 frames cover it.
    for (const int n : {3, 5, 9, 11, 19, 27, 35}) {
        for (const int rod_bar : {330, 500, 650}) {
            for (const int wrist_bar : {50, 95, 130}) {
                for (const bool vector : {false, true}) {
                    run({n, rod_bar, wrist_bar, 0.05, vector, 1.0}, false, 160);
                }
            }
        }
    }
    // Other speeds, both ways, reach angles the start speed does not; the last run starts just
    // below the fastest speed and wraps on nearly every frame.
    for (const double speed : {0.37, -0.23, 1.9, 12.5}) {
        for (const int n : {7, 35}) {
            run({n, 500, 95, speed, true, 1.0}, false, 200);
        }
    }
    // Fractional and whole device pixel ratios, and input in the middle of a run.
    // 1122 / 711 is a 390 px phone at ratio 3, 304 / 711 a 320 px frame at ratio 1: the page draws
    // at the shown width's ratio.
    for (const double ratio : {1.25, 1.5, 2.0, 3.0, 1122.0 / 711, 304.0 / 711}) {
        run({11, 500, 95, 0.05, false, ratio}, true, 160);
    }
    run({35, 330, 50, 0.05, true, 1.0}, true, 160);
    return 0;
}
