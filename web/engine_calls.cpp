// The page's calls into the engine on its own thread: plain C functions over one PageEngine, kept
// alive by emscripten for the page's script. The script queues input, runs the engine from its
// animation-frame callbacks, reads the run's status as one record and puts the changed rectangles
// on the canvas. Each call that hands back text or numbers hands back a buffer of its own, which
// only its next call overwrites.

#include "design/design_fault.h"
#include "design/design_file.h"
#include "design_numbers.h"
#include "page_engine.h"
#include "page_parameters.h"
#include "report/engine_description.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

using radial::PageEngine;
using radial::PageInput;

namespace {

radial::PageStart start;
std::unique_ptr<PageEngine> engine;
std::vector<radial::DesignEntry> design_entries;

radial::DesignValue design_value(int kind, double number, const char* text) {
    radial::DesignValue v;
    v.kind = static_cast<radial::DesignValue::Kind>(std::clamp(kind, 0, 4));
    v.number = number;
    (v.kind == radial::DesignValue::Kind::text ? v.text : v.other_type) = text;
    return v;
}

radial::PinPlacement placement_of(radial::PinRule rule) {
    return rule == radial::PinRule::even        ? radial::PinPlacement::even
           : rule == radial::PinRule::level_tdc ? radial::PinPlacement::level_tdc
                                                : radial::PinPlacement::animation;
}

bool queue(const PageInput& input) {
    return engine->queue(input);
}

// The index into parameter_bars of the bar the script calls by name ("cylinders", "ls",
// "eccentricity"), or parameter_bars.size().
std::size_t bar_named(const char* name) {
    std::size_t k = 0;
    while (k < radial::parameter_bars.size() && radial::parameter_bars[k].name != name) {
        ++k;
    }
    return k;
}

} // namespace

extern "C" {

// One parameter of the address; the line to show when its value cannot be taken, else "".
EMSCRIPTEN_KEEPALIVE const char* web_parameter(const char* name, const char* value) {
    static std::string refused;
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
    const std::size_t bar = bar_named(name);
    if (bar < radial::parameter_bars.size()) {
        queue(PageInput::bar_moved(bar, position));
    }
}
EMSCRIPTEN_KEEPALIVE void web_device_pixel_ratio(double ratio) {
    queue(PageInput::ratio_changed(ratio));
}

// The frames due at the callback's timestamp; while paused, the queued input handled at once.
// web_status() then tells where the run is.
EMSCRIPTEN_KEEPALIVE void web_animation_frame(double now_ms) {
    engine->animation_frame(now_ms);
}
EMSCRIPTEN_KEEPALIVE void web_wake() {
    engine->wake();
}
EMSCRIPTEN_KEEPALIVE void web_restart_pacing() {
    engine->restart_pacing();
}

// The run's status: the fields web_status_fields() names, in order.
EMSCRIPTEN_KEEPALIVE const double* web_status() {
    static radial::PageStatus status;
    status = radial::page_status(*engine);
    return &status.theta;
}
EMSCRIPTEN_KEEPALIVE const char* web_status_fields() {
    static const std::string fields(radial::page_status_fields);
    return fields.c_str();
}

// The changed rectangles since the last call (or the whole picture), in device pixels: their
// count, the picture's device width and height, then x, y, width, height of each. The canvas
// copies them from the picture's pixels, web_pixels(), which are in its own byte order.
EMSCRIPTEN_KEEPALIVE const int* web_take_rects(int whole) {
    static std::vector<int> taken;
    radial::PixelSurface& surface = engine->surface();
    std::vector<radial::PixelRect> changed = surface.take_changed_rects();
    if (whole != 0) {
        changed = {{0, 0, surface.width(), surface.height()}};
    }
    const std::vector<radial::PixelRect> rects = radial::canvas_rects(surface, changed);
    taken = {static_cast<int>(rects.size()), surface.device_width(), surface.device_height()};
    for (const radial::PixelRect& r : rects) {
        taken.insert(taken.end(), {r.x, r.y, r.width, r.height});
    }
    return taken.data();
}
EMSCRIPTEN_KEEPALIVE const std::uint32_t* web_pixels() {
    return engine->surface().data().data();
}

// The bar named: its minimum, maximum, step and position; all 0 for a name that is no bar's.
EMSCRIPTEN_KEEPALIVE const int* web_bar_range(const char* name) {
    static int range[4];
    const std::size_t bar = bar_named(name);
    if (bar == radial::parameter_bars.size()) {
        range[0] = range[1] = range[2] = range[3] = 0;
        return range;
    }
    const radial::BarRange& b = radial::parameter_bars[bar];
    range[0] = b.minimum;
    range[1] = b.maximum;
    range[2] = b.single_step;
    range[3] = engine->bar_position(bar);
    return range;
}

// What a position of the bar named means, in words ("11 cylinders"), for screen readers.
EMSCRIPTEN_KEEPALIVE const char* web_bar_words(const char* name, int position) {
    static std::string words;
    const std::size_t bar = bar_named(name);
    words = bar < radial::parameter_bars.size() ? engine->bar_words(bar, position) : "";
    return words.c_str();
}

// The address's parameters that give the engine's settings back, for the link to them.
EMSCRIPTEN_KEEPALIVE const char* web_address_query() {
    static std::string query;
    query = radial::address_query(engine->settings());
    return query.c_str();
}

// While paused: the engine turned to the crank angle (degrees, 0 to 360) in its current
// revolution and drawn there afresh; 0 when it is not paused.
EMSCRIPTEN_KEEPALIVE int web_turn_to(double degrees) {
    return engine->turn_to(degrees * std::numbers::pi / 180) ? 1 : 0;
}

// A design file the page read as TOML, handed over a key at a time: web_design_entry for each
// top-level key (kind 0 a whole number, 1 another number, 2 a string in text, 3 a list whose
// items web_design_item gives, 4 anything else, text saying what), then web_read_design with the
// file's name: the line refusing it (as radial-kinematics would), or "" with the design queued
// to run from the next pump.
EMSCRIPTEN_KEEPALIVE void web_design_entry(const char* key, int line, int kind, double number,
                                           const char* text) {
    design_entries.push_back({key, line, design_value(kind, number, text)});
}
EMSCRIPTEN_KEEPALIVE void web_design_item(int kind, double number, const char* text) {
    if (!design_entries.empty()) {
        design_entries.back().value.items.push_back(design_value(kind, number, text));
    }
}
EMSCRIPTEN_KEEPALIVE const char* web_read_design(const char* file) {
    static std::string refusal;
    const auto read = radial::design_from_entries(file, design_entries);
    design_entries.clear();
    if (const auto* line = std::get_if<std::string>(&read)) {
        refusal = *line;
        return refusal.c_str();
    }
    const radial::ReadDesign& design = std::get<radial::ReadDesign>(read);
    if (const auto fault = radial::design_fault(design.design)) {
        refusal = radial::design_refusal(file, design, *fault);
        return refusal.c_str();
    }
    refusal.clear();
    queue(PageInput::design_given(design.design, design.design.pin_angles_deg.empty()
                                                     ? placement_of(design.design.pin_rule)
                                                     : radial::PinPlacement::listed));
    return refusal.c_str();
}
// The line refusing a file that is not TOML, where the page's TOML reader stopped.
EMSCRIPTEN_KEEPALIVE const char* web_not_toml(const char* file, int line, const char* what) {
    static std::string refusal;
    refusal = std::string(file) + ":" + std::to_string(line) +
              ": this is not TOML: " + radial::one_line(what);
    return refusal.c_str();
}

// The design the engine runs now, as design_numbers: their count, then the numbers.
EMSCRIPTEN_KEEPALIVE const double* web_design_numbers() {
    static std::vector<double> numbers;
    numbers = radial::design_numbers(engine->design());
    numbers.insert(numbers.begin(), static_cast<double>(numbers.size()));
    return numbers.data();
}
// A design as numbers (a match the analysis worked out), queued to run with its placement
// (PinPlacement's number).
EMSCRIPTEN_KEEPALIVE void web_take_design_numbers(const double* numbers, int count, int placement) {
    const auto design =
        radial::design_of_numbers({numbers, static_cast<std::size_t>(std::max(count, 0))});
    if (design) {
        queue(PageInput::design_given(*design, static_cast<radial::PinPlacement>(placement)));
    }
}
// The wrist pins placed by name: animation, even, level-tdc or matched.
EMSCRIPTEN_KEEPALIVE void web_place_pins(const char* name) {
    if (const auto placement = radial::placement_named(name)) {
        queue(PageInput::placement_chosen(*placement));
    }
}
// The design the engine runs now as a design file, to save.
EMSCRIPTEN_KEEPALIVE const char* web_design_file_text() {
    static std::string text;
    text = radial::design_file_text(engine->design(),
                                    "A design saved from the radial engine's page:\n" +
                                        radial::engine_description(engine->design()) + ".");
    return text.c_str();
}

} // extern "C"
