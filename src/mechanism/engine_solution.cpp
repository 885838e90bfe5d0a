#include "mechanism/engine_solution.h"

#include "mechanism/crank.h"
#include "mechanism/link_rods.h"

namespace radial {

EngineState engine_at(EngineParameters p, double theta) {
    EngineState s;
    start_values(s);
    s.n = p.n;
    s.d = p.d;
    s.rp = p.rp;
    s.link_rod_length = s.d - s.rp;
    s.pin_radius = 10;
    s.crankpin_radius = 27;
    s.theta = theta;
    compute_body_angles(s);
    s.master_rod = solve_master_rod(s.r, s.d, s.theta);
    return s;
}

std::vector<CylinderSolution> solve_engine(EngineParameters p, double theta) {
    const EngineState s = engine_at(p, theta);
    std::vector<CylinderSolution> rows;
    rows.reserve(static_cast<std::size_t>(p.n));
    const MasterRod& m = s.master_rod;
    rows.push_back({1, 0, m.crankpin_x, m.crankpin_y, 0, m.piston_height, m.piston_height, 0});
    for (int i = 2; i <= p.n; ++i) {
        const LinkRod rod = solve_link_rod(s, i);
        rows.push_back({i, rod.axis, rod.wrist_x, rod.wrist_y, rod.piston_x, rod.piston_y,
                        rod.distance, rod.midpoints});
    }
    return rows;
}

} // namespace radial
