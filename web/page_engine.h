#pragma once

#include "core/engine_state.h"
#include "core/event_pump.h"
#include "core/frame_loop.h"
#include "frame_pacer.h"
#include "mechanism/mechanism_hooks.h"
#include "page_parameters.h"
#include "picture/pixel_surface.h"
#include "ui/window_layout.h"

#include <vector>

namespace radial {

// One input from the page, queued until the frame loop's next pump point: a character key (Esc is
// 27), a mouse press, a pointer position or a double click over the picture (in CSS pixels from
// its top-left corner, which are the picture's logical pixels), a bar let go at a value, a new
// device pixel ratio.
struct PageInput {
    enum class Kind { key, mouse_down, mouse_move, double_click, bar, device_pixel_ratio };
    Kind kind = Kind::key;
    double a = 0;
    double b = 0;
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

    Run run_state() const;
    const EngineState& state() const { return s_; }
    long frames() const { return frames_; }
    const PageReadouts& readouts() const { return readouts_; }
    int bar_value(int bar) const { return bars_[bar]; }
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
    void set_bar(int bar, int value);
    void finish_frame();

    EngineState s_;
    PixelSurface surface_;
    PageReadouts readouts_;
    Pump pump_{*this};
    Hooks hooks_{readouts_};
    FrameLoop loop_;
    FramePacer pacer_;
    std::vector<PageInput> queue_;
    int bars_[3] = {parameter_bars[0].start, parameter_bars[1].start, parameter_bars[2].start};
    bool pause_after_first_ = false;
    bool waiting_ = false; // stopped at the pause point of a frame
    bool ended_ = false;
    long frames_ = 0;
};

// The device pixels to put on the canvas for rects (logical) of the surface: the one rectangle
// around them all, cut to the picture; none when they are all empty.
std::vector<PixelRect> canvas_rects(const PixelSurface& surface,
                                    const std::vector<PixelRect>& rects);

} // namespace radial
