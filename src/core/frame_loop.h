#pragma once

#include "core/engine_state.h"
#include "core/event_pump.h"
#include "core/frame_hooks.h"
#include "core/surface.h"

namespace radial {

// The program's main loop: frames back to back, each advancing the crank by the crank step, solving
// and redrawing the moving parts incrementally. Events are handled only at the pump points of
// frame().
class FrameLoop {
public:
    FrameLoop(EngineState& state, Surface& surface, EventPump& pump, FrameHooks& hooks)
        : s_(state), surface_(surface), pump_(pump), hooks_(hooks) {}

    // Start values, the view read as the start view, the change copies.
    void start_up();

    // One whole frame: frame_start(), the wait while paused, frame_finish().
    void frame();

    // The frame in two halves, split where a paused frame waits, for a host that cannot wait
    // inside a call: frame_start() runs the frame up to the readouts (the first pump included);
    // the host waits, pumping events, while paused() holds, then calls frame_finish(), which
    // advances the crank and draws.
    void frame_start();
    bool paused() const { return s_.paused; }
    void frame_finish();

    // start_up(), then frames until a pump throws QuitRequested; with a design, the record runs
    // it from the first frame, whose change check zooms and clears for it.
    [[noreturn]] void run();
    [[noreturn]] void run(const EngineDesign& design);

    // Acts on a changed n, d or rp: rescales the view if d changed, then clears.
    void change_check();

private:
    void wait_while_paused();
    void advance();

    EngineState& s_;
    Surface& surface_;
    EventPump& pump_;
    FrameHooks& hooks_;
};

} // namespace radial
