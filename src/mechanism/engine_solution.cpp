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
    s.dd = s.d - s.rp;
    s.pin = 10;
    s.crankpin = 27;
    s.theta = theta;
    compute_body_angles(s);
    const MasterRod m = solve_master_rod(s.r, s.d, s.theta);
    s.xc = m.xc;
    s.yc = m.yc;
    s.beta = m.beta;
    s.ym = m.ym;
    return s;
}

std::vector<CylinderSolution> solve_engine(EngineParameters p, double theta) {
    const EngineState s = engine_at(p, theta);
    std::vector<CylinderSolution> rows;
    rows.reserve(static_cast<std::size_t>(p.n));
    rows.push_back({1, 0, s.xc, s.yc, 0, s.ym, s.ym, 0});
    for (int i = 2; i <= p.n; ++i) {
        const LinkRod rod = solve_link_rod(s, i);
        rows.push_back({i, rod.axis, rod.wrist_x, rod.wrist_y, rod.piston_x, rod.piston_y,
                        rod.distance, rod.midpoints});
    }
    return rows;
}

} // namespace radial
