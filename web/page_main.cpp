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
std::string words;
std::unique_ptr<PageEngine> engine;
std::vector<radial::PixelRect> device_rects;

const char* run_name(PageEngine::Run run) {
    return PageEngine::run_name(run);
}

bool queue(const PageInput& input) {
    return engine->queue(input);
}

// The bar the page's address and the script call by name ("cylinders", "ls", "eccentricity"),
// or nullptr.
const radial::BarRange* bar_named(const char* name, std::size_t* index = nullptr) {
    for (std::size_t k = 0; k < radial::parameter_bars.size(); ++k) {
        if (radial::parameter_bars[k].name == name) {
            if (index != nullptr) {
                *index = k;
            }
            return &radial::parameter_bars[k];
        }
    }
    return nullptr;
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

// The picture's size in CSS pixels: the window's design size.
EMSCRIPTEN_KEEPALIVE int web_design_width() {
    return radial::design_width_px;
}
EMSCRIPTEN_KEEPALIVE int web_design_height() {
    return radial::design_height_px;
}

EMSCRIPTEN_KEEPALIVE int web_key(int code) {
    return queue(PageInput::key_press(static_cast<char32_t>(code))) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void web_mouse_down() {
    queue(PageInput::mouse_press());
}
EMSCRIPTEN_KEEPALIVE void web_mouse_move(double x, double y) {
    queue(PageInput::pointer_at(x, y));
}
EMSCRIPTEN_KEEPALIVE void web_double_click() {
    queue(PageInput::double_click_input());
}
EMSCRIPTEN_KEEPALIVE void web_bar(const char* name, int position) {
    std::size_t index = 0;
    if (bar_named(name, &index) != nullptr) {
        queue(PageInput::bar_moved(index, position));
    }
}
EMSCRIPTEN_KEEPALIVE void web_device_pixel_ratio(double ratio) {
    queue(PageInput::ratio_changed(ratio));
}

// Each returns the run's state by name: "running", "paused" or "ended".
EMSCRIPTEN_KEEPALIVE const char* web_animation_frame(double now_ms) {
    return run_name(engine->animation_frame(now_ms));
}
EMSCRIPTEN_KEEPALIVE const char* web_wake() {
    return run_name(engine->wake());
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

// The engine record, for status().
EMSCRIPTEN_KEEPALIVE double web_theta() {
    return engine->state().theta;
}
EMSCRIPTEN_KEEPALIVE int web_cylinders() {
    return engine->state().n;
}
EMSCRIPTEN_KEEPALIVE double web_rod_length() {
    return engine->state().d;
}
EMSCRIPTEN_KEEPALIVE double web_wrist_radius() {
    return engine->state().rp;
}
EMSCRIPTEN_KEEPALIVE double web_crank_step() {
    return engine->state().crank_step;
}
EMSCRIPTEN_KEEPALIVE int web_paused() {
    return engine->state().paused ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int web_vector_shown() {
    return engine->state().vector_shown ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE double web_frames() {
    return static_cast<double>(engine->frames());
}

// The readouts under the bars, as numbers.
EMSCRIPTEN_KEEPALIVE int web_cylinders_readout() {
    return engine->readouts().n;
}
EMSCRIPTEN_KEEPALIVE double web_ls_readout() {
    return engine->readouts().ls;
}
EMSCRIPTEN_KEEPALIVE double web_eccentricity_readout() {
    return engine->readouts().eccentricity;
}

// What a position of the bar named means, in words ("11 cylinders"), for screen readers; and the
// setting the bar now stands for as the address writes it (for cylinders, the engine's count).
EMSCRIPTEN_KEEPALIVE const char* web_bar_words(const char* name, int position) {
    std::size_t index = 0;
    words = bar_named(name, &index) != nullptr ? radial::setting_words(index, position) : "";
    return words.c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_setting(const char* name) {
    std::size_t index = 0;
    if (bar_named(name, &index) == nullptr) {
        words.clear();
    } else if (index == radial::cylinders_bar) {
        words = std::to_string(engine->state().n);
    } else {
        words = radial::setting_text(index, engine->bar_position(index));
    }
    return words.c_str();
}

// A bar's range, step and position, by its name; 0 for a name that is no bar's.
EMSCRIPTEN_KEEPALIVE int web_bar_minimum(const char* name) {
    const radial::BarRange* bar = bar_named(name);
    return bar != nullptr ? bar->minimum : 0;
}
EMSCRIPTEN_KEEPALIVE int web_bar_maximum(const char* name) {
    const radial::BarRange* bar = bar_named(name);
    return bar != nullptr ? bar->maximum : 0;
}
EMSCRIPTEN_KEEPALIVE int web_bar_step(const char* name) {
    const radial::BarRange* bar = bar_named(name);
    return bar != nullptr ? bar->single_step : 0;
}
EMSCRIPTEN_KEEPALIVE int web_bar_position(const char* name) {
    std::size_t index = 0;
    return bar_named(name, &index) != nullptr ? engine->bar_position(index) : 0;
}

} // extern "C"
