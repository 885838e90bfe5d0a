#pragma once

#include <cstddef>
#include <vector>

namespace radial {

// A chart's point in whole tenths of a pixel, as the chart writes it (to 0.1 px).
struct TenthPoint {
    long long x = 0, y = 0;

    friend bool operator==(const TenthPoint&, const TenthPoint&) = default;
};

// The points of a polyline that draw it to within tolerance tenths of a pixel: the first and the
// last, and between them those that Douglas and Peucker's method keeps, each point dropped lying
// within tolerance of the segment between the kept points either side of it. The polyline through
// the kept points then stays within tolerance of the whole one everywhere. Exact: the distances
// are compared in whole numbers.
std::vector<TenthPoint> simplified_polyline(const std::vector<TenthPoint>& points,
                                            long long tolerance);

} // namespace radial
