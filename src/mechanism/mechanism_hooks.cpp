#include "mechanism/mechanism_hooks.h"

#include "mechanism/cam_rings.h"
#include "mechanism/centroid_vector.h"
#include "mechanism/crank.h"
#include "mechanism/engine_solution.h"
#include "mechanism/link_rods.h"
#include "mechanism/wrist_pins.h"

namespace radial {

void MechanismHooks::place_wrist_pins(EngineState& s) {
    radial::place_wrist_pins(s);
}

void MechanismHooks::solve_frame(EngineState& s) {
    radial::solve_frame(s);
}

void MechanismHooks::draw_axes(const EngineState& s, Surface& surface) {
    radial::draw_axes(s, surface);
}

void MechanismHooks::draw_cam_rings(const EngineState& s, Surface& surface) {
    radial::draw_cam_rings(s, surface);
}

void MechanismHooks::draw_crank_and_master_rod(EngineState& s, Surface& surface) {
    radial::draw_crank_and_master_rod(s, surface);
}

void MechanismHooks::draw_link_rods(EngineState& s, Surface& surface) {
    radial::draw_link_rods(s, surface);
}

void MechanismHooks::draw_centroid_vector(EngineState& s, Surface& surface) {
    radial::draw_centroid_vector(s, surface);
}

} // namespace radial
