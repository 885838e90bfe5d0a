#pragma once

#include "core/engine_state.h"
#include "core/surface.h"

namespace radial {

// The per-frame work of the mechanism and of the readouts, called by the frame loop in its fixed
// order. Each hook is empty here; the mechanism and the window fill them in.
class FrameHooks {
public:
    virtual ~FrameHooks() = default;

    virtual void place_wrist_pins(EngineState&) {}
    virtual void update_readouts(const EngineState&) {}
    virtual void solve_frame(EngineState&) {}
    virtual void draw_axes(const EngineState&, Surface&) {}
    virtual void draw_cam_rings(const EngineState&, Surface&) {}
    virtual void draw_crank_and_master_rod(EngineState&, Surface&) {}
    virtual void draw_link_rods(EngineState&, Surface&) {}
    virtual void draw_centroid_vector(EngineState&, Surface&) {}
};

} // namespace radial
