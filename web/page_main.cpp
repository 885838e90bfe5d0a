// The page's calls into the engine: plain C functions over one PageEngine, kept alive by
// emscripten for the page's script. The script queues input, runs the engine from its
// animation-frame callbacks and copies the changed rectangles onto the canvas.

#include "page_engine.h"

#include <emscripten/emscripten.h>

#include <memory>
#include <string>

using radial::PageEngine;
using radial::PageInput;

namespace {

radial::PageStart start;
std::string refused;
std::unique_ptr<PageEngine> engine;
std::vector<radial::PixelRect> device_rects;

int run_code(PageEngine::Run run) {
    return static_cast<int>(run); // 0 running, 1 paused, 2 ended
}

bool queue(PageInput::Kind kind, double a = 0, double b = 0) {
    return engine->queue({kind, a, b});
}

} // namespace

extern "C" {

// One parameter of the address; the line to show when its value cannot be taken, else "".
EMSCRIPTEN_KEEPALIVE const char* web_parameter(const char* name, const char* value) {
    refused = radial::take_parameter(start, name, value);
    return refused.c_str();
}

// A new run: with the address's settings, or from the start values.
EMSCRIPTEN_KEEPALIVE void web_start(double device_pixel_ratio, int from_start_values) {
    engine.reset();
    engine = std::make_unique<PageEngine>(device_pixel_ratio,
                                          from_start_values ? radial::PageStart{} : start);
}

EMSCRIPTEN_KEEPALIVE int web_key(int code) {
    return queue(PageInput::Kind::key, code) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void web_mouse_down() {
    queue(PageInput::Kind::mouse_down);
}
EMSCRIPTEN_KEEPALIVE void web_mouse_move(double x, double y) {
    queue(PageInput::Kind::mouse_move, x, y);
}
EMSCRIPTEN_KEEPALIVE void web_double_click() {
    queue(PageInput::Kind::double_click);
}
EMSCRIPTEN_KEEPALIVE void web_bar(int bar, int value) {
    queue(PageInput::Kind::bar, bar, value);
}
EMSCRIPTEN_KEEPALIVE void web_device_pixel_ratio(double ratio) {
    queue(PageInput::Kind::device_pixel_ratio, ratio);
}

EMSCRIPTEN_KEEPALIVE int web_animation_frame(double now_ms) {
    return run_code(engine->animation_frame(now_ms));
}
EMSCRIPTEN_KEEPALIVE int web_wake() {
    return run_code(engine->wake());
}
EMSCRIPTEN_KEEPALIVE void web_restart_pacing() {
    engine->restart_pacing();
}

// The changed rectangles since the last call (or the whole picture), in device pixels: their
// count, then x, y, width, height of each from web_rects(). The canvas copies them from the
// picture's pixels, web_pixels(), which are in its own byte order.
EMSCRIPTEN_KEEPALIVE int web_take_rects(int whole) {
    radial::PixelSurface& surface = engine->surface();
    std::vector<radial::PixelRect> changed = surface.take_changed_rects();
    if (whole != 0) {
        changed = {{0, 0, surface.width(), surface.height()}};
    }
    device_rects = radial::canvas_rects(surface, changed);
    return static_cast<int>(device_rects.size());
}
EMSCRIPTEN_KEEPALIVE const int* web_rects() {
    return device_rects.empty() ? nullptr : &device_rects.front().x;
}
EMSCRIPTEN_KEEPALIVE const std::uint32_t* web_pixels() {
    return engine->surface().data().data();
}
EMSCRIPTEN_KEEPALIVE int web_device_width() {
    return engine->surface().device_width();
}
EMSCRIPTEN_KEEPALIVE int web_device_height() {
    return engine->surface().device_height();
}

// What status() and the readouts show: 0 theta, 1 n, 2 d, 3 rp, 4 stepe, 5 w, 6 c, 7 frames,
// 8 the cylinders readout, 9 l/s, 10 the eccentricity; 11 + bar: a bar's position.
EMSCRIPTEN_KEEPALIVE double web_value(int which) {
    const radial::EngineState& s = engine->state();
    const radial::PageReadouts& r = engine->readouts();
    const auto real = [](auto x) { return static_cast<double>(x); };
    const double values[] = {s.theta,   real(s.n), s.d,           s.rp,
                             s.stepe,   real(s.w), real(s.c),     real(engine->frames()),
                             real(r.n), r.ls,      r.eccentricity};
    constexpr int count = sizeof values / sizeof values[0];
    if (which >= 0 && which < count) {
        return values[which];
    }
    return which >= count && which < count + 3 ? engine->bar_value(which - count) : 0;
}

// A bar's minimum, maximum and step (what 0, 1, 2 ask for).
EMSCRIPTEN_KEEPALIVE int web_bar_setting(int bar, int what) {
    const radial::BarRange& b = radial::parameter_bars[bar];
    return what == 0 ? b.minimum : what == 1 ? b.maximum : b.single_step;
}

} // extern "C"
