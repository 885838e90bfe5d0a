#include "report/pins_at_angle.h"

#include "mechanism/engine_solution.h"
#include "svg/number_text.h"

#include <ostream>

namespace radial {

void print_pins(const EngineDesign& design, double theta, std::ostream& out) {
    out << "cylinder,axis,wrist_x,wrist_y,piston_x,piston_y,distance,midpoints\n";
    for (const CylinderSolution& c : solve_engine(design, theta)) {
        out << c.cylinder << ',' << shortest_text(c.axis) << ',' << shortest_text(c.wrist_x) << ','
            << shortest_text(c.wrist_y) << ',' << shortest_text(c.piston_x) << ','
            << shortest_text(c.piston_y) << ',' << shortest_text(c.distance) << ',' << c.midpoints
            << '\n';
    }
}

} // namespace radial
