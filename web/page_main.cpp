// The page's calls into the engine: plain C functions over one PageEngine, kept alive by
// emscripten for the page's script. The script queues input, runs the engine from its
// animation-frame callbacks and copies the changed rectangles onto the canvas.

#include "page_engine.h"
#include "page_reports.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

using radial::PageEngine;
using radial::PageInput;

namespace {

radial::PageStart start;
std::string refused;
std::string words;
std::unique_ptr<PageEngine> engine;
std::vector<radial::PixelRect> device_rects;
std::unique_ptr<radial::PageReports> reports;
// What the calls below return the address of, each its own so that one does not move another.
std::vector<double> plot_area, crank_cursor, balance_cursor;

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

// The analysis beside the engine, for the engine's settings now: web_make_charts(quantity) makes
// the crank-angle chart of distance (0), velocity (1) or acceleration (2), the balance chart (or
// its refusal) and the summary table again; the getters return what it made.
EMSCRIPTEN_KEEPALIVE void web_make_charts(int quantity) {
    reports = std::make_unique<radial::PageReports>(
        engine->parameters(), static_cast<radial::ChartQuantity>(std::clamp(quantity, 0, 2)));
}
EMSCRIPTEN_KEEPALIVE const char* web_crank_chart() {
    return reports->crank_chart().svg().c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_balance_chart() {
    return reports->balance_chart() ? reports->balance_chart()->svg().c_str() : "";
}
EMSCRIPTEN_KEEPALIVE const char* web_balance_refusal() {
    return reports->balance_refusal().c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_summary_csv() {
    return reports->summary_csv().c_str();
}
EMSCRIPTEN_KEEPALIVE const char* web_unreachable_lines() {
    return reports->unreachable_lines().c_str();
}

// The crank-angle chart's plot area in its pixels: left, right, bottom, top.
EMSCRIPTEN_KEEPALIVE const double* web_crank_plot_area() {
    const radial::CrankChartLayout& l = reports->crank_chart().layout();
    plot_area = {l.left, l.right, l.bottom, l.top};
    return plot_area.data();
}
// The crank angle in degrees (0 to 360) at x in the chart's pixels.
EMSCRIPTEN_KEEPALIVE double web_crank_degrees_at(double x) {
    return reports->crank_chart().layout().degrees_at(x);
}

// The cursors at the engine's crank angle, from the charts' own cursor(): for the crank-angle
// chart the angle in degrees within [0, 360), its x, then y where it crosses each cylinder's
// curve (NaN where the rod cannot reach); for the balance chart (when there is one) the centre,
// the force's tip and the tip with the counterweight, as x, y pairs.
EMSCRIPTEN_KEEPALIVE const double* web_crank_cursor() {
    const auto c = reports->crank_chart().cursor(engine->state().theta);
    crank_cursor = {c.degrees, c.x};
    for (const auto& y : c.crossings) {
        crank_cursor.push_back(y.value_or(std::nan("")));
    }
    return crank_cursor.data();
}
EMSCRIPTEN_KEEPALIVE const double* web_balance_cursor() {
    const radial::BalanceChart* chart = reports->balance_chart();
    if (chart == nullptr) {
        return nullptr;
    }
    const auto c = chart->cursor(engine->state().theta);
    balance_cursor = {chart->centre_x(), chart->centre_y(), c.x, c.y,
                      c.counterweight_x, c.counterweight_y};
    return balance_cursor.data();
}

// While paused: the engine turned to the crank angle (degrees, 0 to 360) in its current
// revolution and drawn there afresh; 0 when it is not paused.
EMSCRIPTEN_KEEPALIVE int web_turn_to(double degrees) {
    return engine->turn_to(degrees * std::numbers::pi / 180) ? 1 : 0;
}

// The sweep at one-degree steps for the engine's settings now, as radial-kinematics --sweep
// writes it.
EMSCRIPTEN_KEEPALIVE const char* web_sweep_csv() {
    words = radial::degree_sweep_csv(engine->parameters());
    return words.c_str();
}

} // extern "C"
