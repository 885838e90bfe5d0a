#include "mechanism/axis_directions.h"

#include <cmath>
#include <vector>

namespace radial {

namespace {

AxisDirection worked_out(int k, int n, double pi) {
    const double angle = 2 * pi * (k - 1) / n;
    return {std::sin(angle), std::cos(angle)};
}

struct AxisTable {
    int n = 0;
    double pi = 0;
    std::vector<AxisDirection> directions;
};

} // namespace

AxisDirection axis_direction(int k, int n, double pi) {
    thread_local AxisTable table;
    if (k < 1 || k > n) {
        return worked_out(k, n, pi);
    }
    if (table.n != n || table.pi != pi) {
        table.n = n;
        table.pi = pi;
        table.directions.resize(static_cast<std::size_t>(n));
        for (int j = 1; j <= n; ++j) {
            table.directions[static_cast<std::size_t>(j - 1)] = worked_out(j, n, pi);
        }
    }
    return table.directions[static_cast<std::size_t>(k - 1)];
}

} // namespace radial
