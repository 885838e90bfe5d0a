#pragma once

#include "controls/parameter_bars.h"
#include "core/engine_state.h"
#include "core/event_pump.h"
#include "core/frame_loop.h"
#include "frame_pacer.h"
#include "mechanism/mechanism_hooks.h"
#include "page_parameters.h"
#include "picture/pixel_surface.h"

#include <string>
#include <string_view>
#include <vector>

namespace radial {

// One input from the page, queued until the frame loop's next pump point: a character key (Esc is
// 27), a mouse press, a pointer position over the picture (in CSS pixels from its top-left corner,
// which are the picture's logical pixels), a double click, a bar let go at a position, a new
// device pixel ratio. Each kind uses only its own fields.
struct PageInput {
    enum class Kind {
        key,
        mouse_down,
        mouse_move,
        double_click,
        bar,
        device_pixel_ratio,
        design,
        placement
    };
    Kind kind = Kind::key;
    char32_t key = 0;
    double x = 0, y = 0;
    std::size_t bar = 0; // an index into parameter_bars
    int position = 0;
    double device_pixel_ratio = 1;
    EngineDesign design{};                            // a design to run, from a file or a match
    PinPlacement placement = PinPlacement::animation; // the wrist pins' placement
    static PageInput key_press(char32_t key) { return {.kind = Kind::key, .key = key}; }
    static PageInput mouse_press() { return {.kind = Kind::mouse_down}; }
    static PageInput pointer_at(double x, double y) {
        return {.kind = Kind::mouse_move, .x = x, .y = y};
    }
    static PageInput double_click_input() { return {.kind = Kind::double_click}; }
    static PageInput bar_moved(std::size_t bar, int position) {
        return {.kind = Kind::bar, .bar = bar, .position = position};
    }
    static PageInput ratio_changed(double ratio) {
        return {.kind = Kind::device_pixel_ratio, .device_pixel_ratio = ratio};
    }
    // listed: the design's own angles (placement animation stands for "as the design has it").
    static PageInput design_given(const EngineDesign& design, PinPlacement placement) {
        return {.kind = Kind::design, .design = design, .placement = placement};
    }
    static PageInput placement_chosen(PinPlacement placement) {
        return {.kind = Kind::placement, .placement = placement};
    }
};

// The readouts under the bars, as numbers; the page writes them in the browser's language.
struct PageReadouts {
    int n = 0;
    double ls = 0;
    double eccentricity = 0;
};

// The animation in a web page: the window's engine record, frame loop and mechanism on a picture
// of the window's design size, its pixels in the canvas's byte order, driven by the browser's
// animation-frame callbacks instead of a loop that waits. Input is queued by the page and handled
// where the window's event pumps handle it; a pause leaves the frame stopped at its pause point
// until input resumes it.
class PageEngine {
public:
    enum class Run { running, paused, ended };

    PageEngine(double device_pixel_ratio, const PageStart& start);
    PageEngine(const PageEngine&) = delete;
    PageEngine& operator=(const PageEngine&) = delete;

    // Input for the next pump point. A key that is no command is not queued: false.
    bool queue(PageInput input);

    // The frames due at now_ms (the callback's timestamp), each whole unless it pauses.
    Run animation_frame(double now_ms);
    // One frame, due or not; what a paused page does when input comes is wake().
    Run run_frame();
    // While paused: handles the queued input as the window's wait does, and ends the frame when
    // that resumed it. The pacing starts afresh.
    Run wake();
    // A hidden page runs no frames; when it shows again, the pacing starts afresh.
    void restart_pacing() { pacer_.start(); }

    // While paused: the crank turned to angle (radians, 0 to 2 pi) in the revolution it is in,
    // theta kept in (0, 4 pi], and the picture cleared and drawn there afresh as draw_steady draws
    // it at the engine's step, as a change of setting draws it; resuming goes on from there. False,
    // and nothing done, when the engine is not paused.
    bool turn_to(double angle);

    Run run_state() const;
    // The settings as the address gives them back (page_parameters.h): the bars where they stand,
    // but the cylinder bar at the position that means the engine's count, the speed and the
    // vector.
    PageStart settings() const;
    // What a bar at position says in words (setting_words): the engine's own setting where the
    // bar stands where the engine's bar stands, so that the cylinder bar, which starts at the
    // position that means 13, says the engine's 11.
    std::string bar_words(std::size_t bar, int position) const;
    const EngineState& state() const { return s_; }
    const EngineDesign& design() const { return s_.design; }
    // How the wrist pins are placed; how many times the design has changed (a bar, a placement,
    // a design taken) and how many of those dropped listed angles or lengths that were for another
    // cylinder count.
    PinPlacement placement() const { return placement_; }
    long design_changes() const { return design_changes_; }
    long lists_dropped() const { return lists_dropped_; }
    long frames() const { return frames_; }
    const PageReadouts& readouts() const { return readouts_; }
    int bar_position(std::size_t bar) const { return bar_positions_[bar]; }
    PixelSurface& surface() { return surface_; }

private:
    class Pump final : public EventPump {
    public:
        explicit Pump(PageEngine& engine) : engine_(engine) {}
        void pump_events() override { engine_.handle_queue(); }
        void pump_events_paced() override { engine_.handle_queue(); }
        void wait_for_events() override { engine_.handle_queue(); }

    private:
        PageEngine& engine_;
    };
    class Hooks final : public MechanismHooks {
    public:
        explicit Hooks(PageReadouts& readouts) : readouts_(readouts) {}
        void update_readouts(const EngineState& s) override;

    private:
        PageReadouts& readouts_;
    };

    void handle_queue();
    void handle(const PageInput& input);
    void set_bar(std::size_t bar, int position);
    void take(const EngineDesign& design, PinPlacement placement);
    void place_pins(PinPlacement placement);
    void finish_frame();

    EngineState s_;
    PixelSurface surface_;
    PageReadouts readouts_;
    Pump pump_{*this};
    Hooks hooks_{readouts_};
    FrameLoop loop_;
    FramePacer pacer_;
    std::vector<PageInput> queue_;
    int bar_positions_[parameter_bars.size()] = {parameter_bars[0].start, parameter_bars[1].start,
                                                 parameter_bars[2].start};
    bool pause_after_first_ = false;
    bool waiting_ = false; // stopped at the pause point of a frame
    bool ended_ = false;
    long frames_ = 0;
    PinPlacement placement_ = PinPlacement::animation;
    long design_changes_ = 0;
    bool redraw_ = false; // a design or placement was taken: a paused picture shows it at once
    long lists_dropped_ = 0;
};

// The run as the page's script reads it after every call that may change it, in one record of
// doubles whose fields page_status_fields names in order: the crank angle (radians), the engine's
// cylinders, rod length, wrist-pin radius (at the animation's scale) and crank step (radians a
// frame), the record's pause and vector switches, the frames run, whether the run waits at its
// pause point or has ended, the readouts under the bars, and the design's changes, lists dropped
// and placement (PinPlacement's number).
struct PageStatus {
    double theta, cylinders, rod_length, wrist_radius, crank_step;
    double paused, vector, frames, waiting, ended;
    double cylinders_readout, ls_readout, eccentricity_readout;
    double design_changes, lists_dropped, placement;
};
inline constexpr std::string_view page_status_fields =
    "theta,cylinders,rodLength,wristRadius,crankStep,paused,vector,frames,waiting,ended,"
    "cylindersReadout,lsReadout,eccentricityReadout,designChanges,listsDropped,placement";
PageStatus page_status(const PageEngine& engine);

// What one putImageData call costs, in pixels put: the canvas takes a gap of fewer pixels than this
// along with the rectangles either side of it faster than it takes two calls.
inline constexpr long canvas_call_pixels = 16384;

// The device pixels to put on the canvas for rects (logical, in ChangedArea::take_rects' bands) of
// the surface: their device rectangles cut to the picture, in the same bands, with small gaps
// between them filled; none when they are all empty.
std::vector<PixelRect> canvas_rects(const PixelSurface& surface,
                                    const std::vector<PixelRect>& rects);

} // namespace radial
