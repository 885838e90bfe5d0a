#include "mechanism/engine_solution.h"

#include "core/engine_state.h"
#include "mechanism/crank.h"
#include "mechanism/link_rods.h"

namespace radial {

std::vector<CylinderSolution> solve_engine(int n, double d, double rp, double theta) {
    EngineState s;
    start_values(s);
    s.n = n;
    s.d = d;
    s.rp = rp;
    s.dd = s.d - s.rp;
    s.theta = theta;
    compute_body_angles(s);
    const MasterRod m = solve_master_rod(s.r, s.d, s.theta);
    s.xc = m.xc;
    s.yc = m.yc;
    s.beta = m.beta;
    s.ym = m.ym;

    std::vector<CylinderSolution> rows;
    rows.reserve(static_cast<std::size_t>(n));
    rows.push_back({1, 0, m.xc, m.yc, 0, m.ym, m.ym, 0});
    for (int i = 2; i <= n; ++i) {
        const LinkRod rod = solve_link_rod(s, i);
        rows.push_back({i, rod.axis, rod.wrist_x, rod.wrist_y, rod.piston_x, rod.piston_y,
                        rod.distance, rod.midpoints});
    }
    return rows;
}

} // namespace radial
