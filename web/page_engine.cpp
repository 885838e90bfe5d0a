#include "page_engine.h"

#include "controls/commands.h"
#include "picture/steady_run.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace radial {

void PageEngine::Hooks::update_readouts(const EngineState& s) {
    readouts_ = {s.n, ls_readout(s), eccentricity_readout(s)};
}

// Set up as the window sets up, then the address's settings as if the bars had been moved, the
// speed keys pressed and "c" typed before the first frame: its change check zooms the view for the
// rod length and clears. A pause is a space typed after the first frame, so that something shows.
PageEngine::PageEngine(double device_pixel_ratio, const PageStart& start)
    : surface_(design_width_px, design_height_px, device_pixel_ratio, nullptr,
               PixelOrder::canvas_bytes),
      loop_(s_, surface_, pump_, hooks_) {
    loop_.start_up();
    // Set even where the bar already stands: the cylinder bar starts at the position that means
    // 13 while the engine has 11, and the address's 13 must give 13.
    for (std::size_t bar = 0; bar < parameter_bars.size(); ++bar) {
        if (const auto position = bar_position_of(start, bar)) {
            bar_positions_[bar] = *position;
            set_from_bar(s_, bar, bar_positions_[bar]);
        }
    }
    if (start.pins) {
        place_pins(*start.pins);
    }
    if (start.speed) {
        s_.crank_step = clamp_step(*start.speed);
    }
    s_.vector_shown = start.vector;
    pause_after_first_ = start.paused;
    redraw_ = false; // the first frame draws whatever the address set
    hooks_.update_readouts(s_);
}

bool PageEngine::queue(PageInput input) {
    if (input.kind == PageInput::Kind::key) {
        EngineState scratch = s_;
        const KeyOutcome outcome = on_key_press(scratch, input.key);
        if (outcome == KeyOutcome::ignored || outcome == KeyOutcome::charts) {
            return false; // the page has no charts: "g" is not its key
        }
    }
    queue_.push_back(input);
    return true;
}

PageEngine::Run PageEngine::animation_frame(double now_ms) {
    for (int k = pacer_.frames_due(now_ms); k > 0 && run_state() == Run::running; --k) {
        run_frame();
    }
    return run_state();
}

PageEngine::Run PageEngine::run_frame() {
    if (run_state() != Run::running) {
        return run_state();
    }
    loop_.frame_start();
    if (ended_) {
        return Run::ended;
    }
    if (loop_.paused()) {
        waiting_ = true;
        return Run::paused;
    }
    finish_frame();
    return run_state();
}

PageEngine::Run PageEngine::wake() {
    if (!waiting_ || ended_) {
        return run_state();
    }
    handle_queue();
    if (!ended_ && !loop_.paused()) {
        waiting_ = false;
        pacer_.start();
        finish_frame();
    } else if (!ended_ && redraw_) {
        // A design or placement taken while paused shows at once, where the crank stands.
        turn_to(std::fmod(s_.theta, 2 * s_.pi));
    }
    redraw_ = false;
    return run_state();
}

// The frames draw_steady runs, from the start values' angle as it starts, on a cleared picture:
// the picture then holds the last two alone, which are the tool's. The loop then stops again
// where a paused frame waits, after the first half of the next frame.
bool PageEngine::turn_to(double angle) {
    if (run_state() != Run::paused) {
        return false;
    }
    const double cycle = four_stroke_cycle();
    const double target = window_angle((s_.theta > cycle / 2 ? cycle / 2 : 0) + angle);
    const double step = s_.crank_step;
    loop_.change_check();
    surface_.clear();
    EngineState start;
    start_values(start);
    s_.theta = start.theta;
    for (const double at : std::array{target - 2 * step, target - step, target}) {
        loop_.frame_start();
        s_.crank_step = at - s_.theta;
        loop_.frame_finish();
    }
    s_.crank_step = step;
    loop_.frame_start();
    return true;
}

PageStart PageEngine::settings() const {
    PageStart settings;
    for (std::size_t bar = 0; bar < parameter_bars.size(); ++bar) {
        set_bar_position(settings, bar, bar_positions_[bar]);
    }
    settings.cylinders = s_.n;
    settings.pins = placement_;
    settings.speed = s_.crank_step;
    settings.vector = s_.vector_shown;
    return settings;
}

std::string PageEngine::bar_words(std::size_t bar, int position) const {
    if (bar == cylinders_bar && position == bar_positions_[bar]) {
        position = parameter_bars[bar].base - s_.n;
    }
    return setting_words(bar, position);
}

PageStatus page_status(const PageEngine& engine) {
    const EngineState& s = engine.state();
    const PageReadouts& r = engine.readouts();
    const auto flag = [](bool on) { return on ? 1.0 : 0.0; };
    return {s.theta,
            static_cast<double>(s.n),
            s.d,
            s.rp,
            s.crank_step,
            flag(s.paused),
            flag(s.vector_shown),
            static_cast<double>(engine.frames()),
            flag(engine.run_state() == PageEngine::Run::paused),
            flag(engine.run_state() == PageEngine::Run::ended),
            static_cast<double>(r.n),
            r.ls,
            r.eccentricity,
            static_cast<double>(engine.design_changes()),
            static_cast<double>(engine.lists_dropped()),
            static_cast<double>(engine.placement())};
}

PageEngine::Run PageEngine::run_state() const {
    if (ended_) {
        return Run::ended;
    }
    return waiting_ ? Run::paused : Run::running;
}

void PageEngine::finish_frame() {
    loop_.frame_finish();
    ++frames_;
    if (frames_ == 1 && pause_after_first_) {
        queue(PageInput::key_press(U' '));
    }
}

// Everything after a quit command is dropped: the window ends at the pump that delivered it.
void PageEngine::handle_queue() {
    for (std::size_t k = 0; k < queue_.size() && !ended_; ++k) {
        handle(queue_[k]);
    }
    queue_.clear();
}

void PageEngine::handle(const PageInput& input) {
    switch (input.kind) {
    case PageInput::Kind::key:
        if (on_key_press(s_, input.key) == KeyOutcome::quit) {
            surface_.clear();
            ended_ = true;
        }
        return;
    case PageInput::Kind::mouse_down:
        on_mouse_down(s_);
        return;
    case PageInput::Kind::mouse_move: {
        const PixelPoint world = surface_.world_of(input.x, input.y);
        on_mouse_move(s_, static_cast<float>(world.x), static_cast<float>(world.y));
        return;
    }
    case PageInput::Kind::double_click:
        surface_.clear();
        ended_ = true;
        return;
    case PageInput::Kind::bar:
        set_bar(input.bar, input.position);
        return;
    case PageInput::Kind::device_pixel_ratio:
        surface_.resize(design_width_px, design_height_px, input.device_pixel_ratio);
        return;
    case PageInput::Kind::design:
        take(input.design, input.placement);
        return;
    case PageInput::Kind::placement:
        place_pins(input.placement);
        return;
    }
}

// A design from a file or a match: the record runs it, and the bars stand for its settings.
void PageEngine::take(const EngineDesign& design, PinPlacement placement) {
    redraw_ = true;
    take_design(s_, design);
    for (std::size_t bar = 0; bar < parameter_bars.size(); ++bar) {
        bar_positions_[bar] = radial::bar_position(bar, design);
    }
    placement_ = placement;
    ++design_changes_;
}

// A rule replaces listed angles, and listed lengths too where a match put them there; matched,
// the design stays as it is until the match comes (take).
void PageEngine::place_pins(PinPlacement placement) {
    redraw_ = true;
    EngineDesign& d = s_.design;
    if (placement != PinPlacement::matched) {
        d.pin_rule = placement == PinPlacement::even        ? PinRule::even
                     : placement == PinPlacement::level_tdc ? PinRule::level_tdc
                                                            : PinRule::animation;
        d.pin_angles_deg.clear();
        if (placement_ == PinPlacement::matched) {
            d.link_lengths.clear();
        }
    }
    placement_ = placement;
    ++design_changes_;
}

// A bar's handler sets its parameter only when its value really changed.
void PageEngine::set_bar(std::size_t bar, int position) {
    if (bar >= parameter_bars.size()) {
        return;
    }
    const BarRange& b = parameter_bars[bar];
    const int v = std::clamp(position, b.minimum, b.maximum);
    if (v == bar_positions_[bar]) {
        return;
    }
    bar_positions_[bar] = v;
    const bool listed = !s_.design.pin_angles_deg.empty() || !s_.design.link_lengths.empty();
    set_from_bar(s_, bar, v);
    if (listed && s_.design.pin_angles_deg.empty() && s_.design.link_lengths.empty()) {
        ++lists_dropped_;
        placement_ = placement_ == PinPlacement::matched ? placement_ : PinPlacement::animation;
    }
    ++design_changes_;
}

// The changed tiles' rectangles in device pixels, joined where a call would cost more than the
// pixels it saves: within a band, a gap of fewer than canvas_call_pixels pixels is put along with
// its neighbours, and a band that is then one rectangle in the columns of the one above joins it.
// At high ratios the box around them all is mostly unchanged pixels, which cost more to put than
// the few dozen calls.
std::vector<PixelRect> canvas_rects(const PixelSurface& surface,
                                    const std::vector<PixelRect>& rects) {
    std::vector<PixelRect> out;
    std::size_t band = 0; // where the last band begins in out
    for (const PixelRect& logical : rects) {
        const PixelRect d = device_rect(logical, surface.device_pixel_ratio(),
                                        surface.device_width(), surface.device_height());
        if (d.empty()) {
            continue;
        }
        if (band < out.size() && out.back().y == d.y && out.back().height == d.height) {
            PixelRect& last = out.back();
            const long gap = d.x - (last.x + last.width);
            if (gap * d.height < canvas_call_pixels) {
                last.width = d.x + d.width - last.x;
                continue;
            }
            out.push_back(d);
            continue;
        }
        // A new band; the one before it joins the band above when each is a single rectangle in
        // the same columns, one right below the other.
        if (out.size() >= 2 && band == out.size() - 1 && band >= 1) {
            const PixelRect& above = out[band - 1];
            const PixelRect& last = out[band];
            const bool single_above = band == 1 || out[band - 2].y != above.y;
            if (single_above && above.x == last.x && above.width == last.width &&
                above.y + above.height >= last.y) {
                out[band - 1].height = last.y + last.height - above.y;
                out.pop_back();
            }
        }
        band = out.size();
        out.push_back(d);
    }
    return out;
}

} // namespace radial
