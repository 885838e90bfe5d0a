#pragma once

#include "core/frame_hooks.h"

namespace radial {

// The frame loop's hooks filled in with the engine's moving parts; the readouts stay empty for
// the window to supply.
class MechanismHooks : public FrameHooks {
public:
    void place_wrist_pins(EngineState& s) override;
    void solve_frame(EngineState& s) override;
    void draw_axes(const EngineState& s, Surface& surface) override;
    void draw_cam_rings(const EngineState& s, Surface& surface) override;
    void draw_crank_and_master_rod(EngineState& s, Surface& surface) override;
    void draw_link_rods(EngineState& s, Surface& surface) override;
    void draw_centroid_vector(EngineState& s, Surface& surface) override;
};

} // namespace radial
