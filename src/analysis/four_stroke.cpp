#include "analysis/four_stroke.h"

#include "analysis/crank_grid.h"

#include <algorithm>
#include <cmath>

namespace radial {

namespace {

constexpr double cycle = two_turns;

} // namespace

double within_cycle(double angle) {
    const double within = std::fmod(angle, cycle);
    return within < 0 ? within + cycle : within;
}

std::vector<int> firing_order(int cylinders) {
    std::vector<int> order;
    for (int i = 1; i <= cylinders; i += 2) {
        order.push_back(i);
    }
    for (int i = 2; i <= cylinders; i += 2) {
        order.push_back(i);
    }
    return order;
}

std::vector<double> firing_angles(const std::vector<PinTableRow>& pins) {
    const int n = static_cast<int>(pins.size());
    const std::vector<int> order = firing_order(n);
    std::vector<double> angles(pins.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const PinTableRow& row = pins[static_cast<std::size_t>(order[k] - 1)];
        const double nominal = cycle * static_cast<double>(k) / n;
        // The TDC of the revolution nearest the nominal angle: the first for the odd cylinders,
        // the second for the even ones.
        double fires = nominal;
        if (row.reaches) {
            fires = row.tdc_crank + (nominal >= two_pi ? two_pi : 0);
            if (fires - nominal > std::numbers::pi) {
                fires -= two_pi;
            } else if (nominal - fires > std::numbers::pi) {
                fires += two_pi;
            }
        }
        angles[static_cast<std::size_t>(order[k] - 1)] = within_cycle(fires);
    }
    return angles;
}

std::string_view stroke_name(Stroke stroke) {
    switch (stroke) {
    case Stroke::power:
        return "power";
    case Stroke::exhaust:
        return "exhaust";
    case Stroke::intake:
        return "intake";
    case Stroke::compression:
        break;
    }
    return "compression";
}

double since_firing(double fires, double theta) {
    return within_cycle(theta - fires);
}

Stroke stroke_at(double fires, double theta) {
    const int half_turns = static_cast<int>(since_firing(fires, theta) / std::numbers::pi);
    return static_cast<Stroke>(std::min(half_turns, 3));
}

} // namespace radial
