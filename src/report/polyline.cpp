#include "report/polyline.h"

#include <utility>

namespace radial {

namespace {

// p's squared distance from the segment a to b times the segment's squared length (or times 1
// for a segment of no length), so that every point of one span compares in whole numbers: beyond
// an end, the squared distance to that end; between them, the squared cross product.
long long scaled_distance(const TenthPoint& p, const TenthPoint& a, const TenthPoint& b) {
    const long long dx = b.x - a.x, dy = b.y - a.y;
    const long long px = p.x - a.x, py = p.y - a.y;
    const long long along = px * dx + py * dy;
    const long long length2 = dx * dx + dy * dy;
    if (length2 == 0 || along <= 0) {
        return (px * px + py * py) * (length2 == 0 ? 1 : length2);
    }
    if (along >= length2) {
        const long long qx = p.x - b.x, qy = p.y - b.y;
        return (qx * qx + qy * qy) * length2;
    }
    const long long cross = px * dy - py * dx;
    return cross * cross;
}

} // namespace

std::vector<TenthPoint> simplified_polyline(const std::vector<TenthPoint>& points,
                                            long long tolerance) {
    if (points.size() < 3) {
        return points;
    }
    std::vector<bool> kept(points.size(), false);
    kept.front() = kept.back() = true;
    // Spans still to look at, first and last point each; a span keeps its point farthest out of
    // tolerance, if any, and is split there.
    std::vector<std::pair<std::size_t, std::size_t>> spans{{0, points.size() - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        const TenthPoint& a = points[first];
        const TenthPoint& b = points[last];
        const long long length2 = (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y);
        long long farthest = tolerance * tolerance * (length2 == 0 ? 1 : length2);
        std::size_t worst = 0;
        for (std::size_t k = first + 1; k < last; ++k) {
            const long long distance = scaled_distance(points[k], a, b);
            if (distance > farthest) {
                farthest = distance;
                worst = k;
            }
        }
        if (worst != 0) {
            kept[worst] = true;
            spans.push_back({first, worst});
            spans.push_back({worst, last});
        }
    }
    std::vector<TenthPoint> out;
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (kept[k]) {
            out.push_back(points[k]);
        }
    }
    return out;
}

} // namespace radial
