#include "mechanism/engine_solution.h"

#include "mechanism/crank.h"
#include "mechanism/link_rods.h"
#include "mechanism/wrist_pins.h"

namespace radial {

void solve_frame(EngineState& s) {
    s.master_rod = solve_master_rod(s.r, s.d, s.theta);
    for (int i = 2; i <= s.n; ++i) {
        s.link_rods[i] = solve_link_rod(s, i);
    }
}

EngineState engine_at(const EngineDesign& design, double theta) {
    EngineState s;
    start_values(s);
    take_design(s, design);
    s.link_rod_length = s.d - s.rp;
    s.pin_radius = 10;
    s.crankpin_radius = 27;
    s.theta = theta;
    place_wrist_pins(s);
    solve_frame(s);
    return s;
}

std::vector<CylinderSolution> solve_engine(const EngineDesign& design, double theta) {
    const EngineState s = engine_at(design, theta);
    const double unit = 1 / world_scale(s); // the design's units per world unit
    const auto back = [unit](double world) { return world * unit; };
    std::vector<CylinderSolution> rows;
    rows.reserve(static_cast<std::size_t>(design.cylinders));
    const MasterRod& m = s.master_rod;
    rows.push_back({1, 0, back(m.crankpin_x), back(m.crankpin_y), 0, back(m.piston_height),
                    back(m.piston_height), 0});
    for (int i = 2; i <= design.cylinders; ++i) {
        const LinkRod& rod = s.link_rods[i];
        rows.push_back({i, rod.axis, back(rod.wrist_x), back(rod.wrist_y), back(rod.piston_x),
                        back(rod.piston_y), back(rod.distance), rod.midpoints});
    }
    return rows;
}

} // namespace radial
