#include "analysis/peak_shaking_force.h"

#include "analysis/crank_grid.h"
#include "analysis/golden_section.h"

#include <algorithm>
#include <cmath>

namespace radial {

namespace {

// Grid maxima refined, highest first: the true peak lies near one of the highest, not always
// near the highest.
constexpr std::size_t refined_maxima = 8;

// Peaks closer than this, relative to the largest, are equal.
constexpr double tie = 1e-12;

// Sizes equal to the same tie, taken as absolute below one m r omega^2: a force that small is
// what rounding leaves of a cancellation, such as a counterweight's of a force that only turns.
bool equal_sizes(double a, double b, double scale) {
    return std::abs(a - b) <= tie * std::max({scale, std::abs(a), std::abs(b)});
}

// |F(theta) - cancelled e^(i theta)|.
struct Residual {
    const ForceAtAngle& force;
    EngineVector cancelled;
    double at(double theta) const {
        return std::abs(force(theta) - cancelled * std::polar(1.0, theta));
    }
};

double within_one_turn(double theta) {
    const double wrapped = theta - std::floor(theta / two_pi) * two_pi;
    return wrapped < two_pi ? wrapped : 0;
}

// The largest value in [lo, hi], found as the smallest of its negative (exactly the same steps).
PeakForce highest(const Residual& f, double lo, double hi) {
    const Minimum m = golden_section_minimum([&f](double theta) { return -f.at(theta); }, lo, hi);
    return {-m.value, within_one_turn(m.at)};
}

// The grid points higher than the next and at least as high as the one before, highest first.
std::vector<int> grid_maxima(const std::vector<double>& values, const CrankGrid& grid) {
    const auto value = [&](int j) { return values[static_cast<std::size_t>(grid.wrap(j))]; };
    std::vector<int> maxima;
    for (int j = 0; j < grid.steps; ++j) {
        if (value(j) >= value(j - 1) && value(j) > value(j + 1)) {
            maxima.push_back(j);
        }
    }
    std::sort(maxima.begin(), maxima.end(), [&](int a, int b) { return value(a) > value(b); });
    maxima.resize(std::min(maxima.size(), refined_maxima));
    return maxima;
}

} // namespace

PeakForce largest_shaking_force(const std::vector<ExactPiston>& pistons,
                                const std::vector<EngineVector>& samples, EngineVector cancelled) {
    return largest_force([&pistons](double theta) { return shaking_force(pistons, theta); },
                         samples, cancelled, 1);
}

PeakForce largest_force(const ForceAtAngle& force, const std::vector<EngineVector>& samples,
                        EngineVector cancelled, double scale) {
    const CrankGrid grid{static_cast<int>(samples.size())};
    std::vector<double> values;
    for (int j = 0; j < grid.steps; ++j) {
        const EngineVector counter = cancelled * std::polar(1.0, grid.angle(j));
        values.push_back(std::abs(samples[static_cast<std::size_t>(j)] - counter));
    }
    const auto [bottom, top] = std::minmax_element(values.begin(), values.end());
    if (equal_sizes(*bottom, *top, scale)) {
        return {*top, 0, true};
    }
    std::vector<PeakForce> peaks = {{*top, grid.angle(static_cast<int>(top - values.begin()))}};
    const Residual residual{force, cancelled};
    for (const int j : grid_maxima(values, grid)) {
        peaks.push_back(highest(residual, grid.angle(j - 1), grid.angle(j + 1)));
    }
    // Of peaks equal to rounding (a symmetric engine's mirror images), the first crank angle.
    const double largest =
        std::max_element(peaks.begin(), peaks.end(), [](const PeakForce& a, const PeakForce& b) {
            return a.magnitude < b.magnitude;
        })->magnitude;
    PeakForce first{0, two_pi};
    for (const PeakForce& peak : peaks) {
        if (peak.magnitude >= largest * (1 - tie) && peak.theta < first.theta) {
            first = peak;
        }
    }
    return first;
}

} // namespace radial
