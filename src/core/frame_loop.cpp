#include "core/frame_loop.h"

namespace radial {

void FrameLoop::start_up() {
    surface_.set_current_colour(black);
    start_values(s_);
    s_.start_view = surface_.get_view();
}

void FrameLoop::frame() {
    frame_start();
    wait_while_paused();
    frame_finish();
}

void FrameLoop::frame_start() {
    s_.link_rod_length = s_.d - s_.rp;
    s_.pin_radius = 10;
    s_.crankpin_radius = 27;
    hooks_.place_wrist_pins(s_);
    pump_.pump_events_paced();
    change_check();
    hooks_.update_readouts(s_);
}

void FrameLoop::frame_finish() {
    advance();
    hooks_.solve_frame(s_);
    surface_.set_pen_width(2);
    hooks_.draw_axes(s_, surface_);
    hooks_.draw_cam_rings(s_, surface_);
    hooks_.draw_crank_and_master_rod(s_, surface_);
    hooks_.draw_link_rods(s_, surface_);
    if (s_.vector_shown) {
        hooks_.draw_centroid_vector(s_, surface_);
        pump_.pump_events();
    }
    change_check();
}

void FrameLoop::run() {
    start_up();
    for (;;) {
        frame();
    }
}

void FrameLoop::run(const EngineDesign& design) {
    start_up();
    take_design(s_, design);
    for (;;) {
        frame();
    }
}

void FrameLoop::change_check() {
    const EngineParameters now{s_.n, s_.d, s_.rp};
    if (now == s_.at_last_clear) {
        return;
    }
    if (s_.d != s_.at_last_clear.d) {
        const View view =
            rescaled_view(s_.start_view, rescale_zoom(s_.d, s_.start_rod_length, s_.r));
        surface_.set_view_height(view.height);
        surface_.set_view_width(view.width);
        surface_.set_view_left(view.left);
        surface_.set_view_top(view.top);
    }
    s_.at_last_clear = now;
    surface_.clear();
}

void FrameLoop::wait_while_paused() {
    while (paused()) {
        pump_.wait_for_events();
    }
}

// The cam phases are taken from the unwrapped angle; only then is a growing angle brought back
// by one four-stroke cycle (4 pi), where both rings stand exactly one lobe pitch on.
void FrameLoop::advance() {
    s_.theta = s_.theta + s_.crank_step;
    s_.cam_ring_a.previous = s_.cam_ring_a.current;
    s_.cam_ring_a.current = s_.theta / (s_.n + 1);
    s_.cam_ring_b.previous = s_.cam_ring_b.current;
    s_.cam_ring_b.current = -s_.theta / (s_.n - 1);
    if (s_.theta > 4 * s_.pi) {
        s_.theta = s_.theta - 4 * s_.pi;
    }
}

} // namespace radial
