#include "core/frame_loop.h"

namespace radial {

void FrameLoop::start_up() {
    surface_.set_current_colour(black);
    start_values(s_);
    s_.view0 = surface_.get_view();
}

void FrameLoop::frame() {
    frame_start();
    wait_while_paused();
    frame_finish();
}

void FrameLoop::frame_start() {
    s_.dd = s_.d - s_.rp;
    s_.pin = 10;
    s_.crankpin = 27;
    hooks_.compute_body_angles(s_);
    pump_.pump_events_paced();
    change_check();
    hooks_.update_readouts(s_);
}

void FrameLoop::frame_finish() {
    advance();
    surface_.set_pen_width(2);
    hooks_.draw_axes(s_, surface_);
    hooks_.draw_cam_rings(s_, surface_);
    hooks_.draw_crank_and_master_rod(s_, surface_);
    hooks_.draw_link_rods(s_, surface_);
    if (s_.c == 1) {
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

void FrameLoop::change_check() {
    if (s_.n == s_.nlast && s_.d == s_.dlast && s_.rp == s_.rplast) {
        return;
    }
    if (s_.d != s_.dlast) {
        const View view = rescaled_view(s_.view0, rescale_zoom(s_.d, s_.d0, s_.r));
        surface_.set_view_height(view.height);
        surface_.set_view_width(view.width);
        surface_.set_view_left(view.left);
        surface_.set_view_top(view.top);
    }
    s_.nlast = s_.n;
    s_.dlast = s_.d;
    s_.rplast = s_.rp;
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
    s_.theta = s_.theta + s_.stepe;
    s_.phasea0 = s_.phasea;
    s_.phasea = s_.theta / (s_.n + 1);
    s_.phaseb0 = s_.phaseb;
    s_.phaseb = -s_.theta / (s_.n - 1);
    if (s_.theta > 4 * s_.pi) {
        s_.theta = s_.theta - 4 * s_.pi;
    }
}

} // namespace radial
