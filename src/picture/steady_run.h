#pragma once

#include "core/engine_design.h"
#include "core/engine_state.h"
#include "core/event_pump.h"
#include "core/frame_loop.h"
#include "core/surface.h"
#include "mechanism/mechanism_hooks.h"

namespace radial {

// The pump of a frame loop run without a window: no events, no pacing, no waiting.
class NoWaitPump final : public EventPump {
public:
    void pump_events() override {}
    void pump_events_paced() override {}
    void wait_for_events() override {}
};

// One four-stroke cycle, 4 pi: the crank turns twice and both cam rings one lobe pitch.
double four_stroke_cycle();

// The crank angle as the window's loop holds it while running forward, which brings it back by
// 4 pi once it passes 4 pi: theta moved by whole cycles into (0, 4 pi].
double window_angle(double theta);

// Whether the pictures show the centroid vector, as the window does after "c".
enum class CentroidVector { off, on };

// The window's frame loop and the mechanism's drawing, run on any surface without a window: set
// up as the window sets it up, running the design (drawn at the animation's scale, its crank
// radius as 50) and, with the vector on, "c" typed before the first frame, so the first frame's
// change check zooms the view for the rod length and clears. No events, no pacing, no pause.
class SteadyRun {
public:
    SteadyRun(Surface& surface, const EngineDesign& design,
              CentroidVector vector = CentroidVector::off);
    SteadyRun(const SteadyRun&) = delete;
    SteadyRun& operator=(const SteadyRun&) = delete;

    // One whole frame that turns the crank from the last frame's angle to theta: the step is the
    // difference, exact where the two are within a factor of two of each other, so the frame
    // draws theta itself. Going past 4 pi, the loop brings the angle back as the window does.
    void frame_at(double theta);

    const EngineState& state() const { return s_; }

private:
    EngineState s_;
    NoWaitPump pump_;
    MechanismHooks hooks_;
    FrameLoop loop_;
};

// The window's picture at crank angle theta (moved into (0, 4 pi] by window_angle) in steady
// running at step radians a frame: the frames at theta - 2 step, theta - step and theta. A frame
// erases exactly what the frame before drew, so what the surface holds after it depends on those
// two frames alone; the first frame is there for good measure. Without step, the window's start
// step (0.05).
void draw_steady(Surface& surface, const EngineDesign& design, double theta,
                 CentroidVector vector = CentroidVector::off);
void draw_steady(Surface& surface, const EngineDesign& design, double theta, double step,
                 CentroidVector vector = CentroidVector::off);

} // namespace radial
