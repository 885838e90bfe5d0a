#include "analysis/reach_ranges.h"

#include "analysis/golden_section.h"

#include <algorithm>
#include <cmath>

namespace radial {

namespace {

struct Sample {
    double angle = 0;
    double margin = 0;
};

Sample lowest_margin(const ExactPiston& piston, double lo, double hi) {
    const Minimum m = golden_section_minimum(
        [&piston](double theta) { return piston.reach_margin(theta); }, lo, hi);
    return {m.at, m.value};
}

// The grid's margins, with each negative minimum hidden between grid points added, by angle.
std::vector<Sample> margins(const ExactPiston& piston, const CrankGrid& grid) {
    std::vector<Sample> samples;
    for (int k = 0; k < grid.steps; ++k) {
        samples.push_back({grid.angle(k), piston.reach_margin(grid.angle(k))});
    }
    for (int k = 0; k < grid.steps; ++k) {
        const double here = samples[static_cast<std::size_t>(k)].margin;
        if (here < 0 || here > samples[static_cast<std::size_t>(grid.wrap(k - 1))].margin ||
            here > samples[static_cast<std::size_t>(grid.wrap(k + 1))].margin) {
            continue;
        }
        Sample low = lowest_margin(piston, grid.angle(k - 1), grid.angle(k + 1));
        if (low.margin < 0) {
            low.angle = low.angle < 0 ? low.angle + two_pi : low.angle;
            samples.push_back(low);
        }
    }
    std::sort(samples.begin(), samples.end(),
              [](const Sample& x, const Sample& y) { return x.angle < y.angle; });
    return samples;
}

// The angle between lo and hi where the margin changes sign, to rounding.
double boundary(const ExactPiston& piston, double lo, double hi) {
    const bool lo_reaches = piston.reach_margin(lo) >= 0;
    for (int k = 0; k < 64; ++k) {
        const double mid = (lo + hi) / 2;
        ((piston.reach_margin(mid) >= 0) == lo_reaches ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

AngleRange normalised(double from, double to) {
    const double turns = std::floor(from / two_pi);
    return {from - turns * two_pi, to - turns * two_pi};
}

} // namespace

std::vector<AngleRange> unreachable_ranges(const ExactPiston& piston, const CrankGrid& grid) {
    const std::vector<Sample> samples = margins(piston, grid);
    const auto start =
        std::find_if(samples.begin(), samples.end(), [](const Sample& s) { return s.margin >= 0; });
    if (start == samples.end()) {
        return {{0, two_pi}};
    }
    // Once round from a sample where the rod reaches, with angles unrolled past 2 pi.
    const auto first = static_cast<std::size_t>(start - samples.begin());
    const auto at = [&](std::size_t j) {
        const std::size_t index = (first + j) % samples.size();
        return Sample{samples[index].angle + (first + j >= samples.size() ? two_pi : 0),
                      samples[index].margin};
    };
    std::vector<AngleRange> ranges;
    double from = 0;
    for (std::size_t j = 0; j < samples.size(); ++j) {
        const Sample a = at(j);
        const Sample b = at(j + 1);
        if ((a.margin >= 0) == (b.margin >= 0)) {
            continue;
        }
        const double edge = boundary(piston, a.angle, b.angle);
        if (a.margin >= 0) {
            from = edge;
        } else {
            ranges.push_back(normalised(from, edge));
        }
    }
    std::sort(ranges.begin(), ranges.end(),
              [](const AngleRange& x, const AngleRange& y) { return x.from < y.from; });
    return ranges;
}

} // namespace radial
