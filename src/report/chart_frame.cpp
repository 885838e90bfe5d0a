#include "report/chart_frame.h"

#include "report/polyline.h"
#include "svg/number_text.h"
#include "svg/svg_text.h"

#include <cmath>

namespace radial {

ChartScale chart_scale(double lo, double hi) {
    if (!(lo < hi)) {
        return {};
    }
    const double step = round_step((hi - lo) / 6);
    return {std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
}

void write_chart_axes(const ChartFrame& f, TextSink& svg) {
    const int every = static_cast<int>(f.span / 12);
    const int span = static_cast<int>(f.span);
    svg << "<g stroke=\"#dddddd\" stroke-width=\"1\">\n";
    for (int degrees = 0; degrees <= span; degrees += every) {
        svg << "<line x1=\"" << px(f.x(degrees)) << "\" y1=\"" << px(f.bottom) << "\" x2=\""
            << px(f.x(degrees)) << "\" y2=\"" << px(f.top) << "\"/>\n";
    }
    const int ticks = static_cast<int>(std::lround((f.highest - f.lowest) / f.step));
    for (int k = 0; k <= ticks; ++k) {
        const double y = f.y(f.lowest + k * f.step);
        svg << "<line x1=\"" << px(f.left) << "\" y1=\"" << px(y) << "\" x2=\"" << px(f.right)
            << "\" y2=\"" << px(y) << "\"/>\n";
    }
    svg << "</g>\n<g text-anchor=\"middle\">\n";
    for (int degrees = 0; degrees <= span; degrees += every) {
        svg << "<text x=\"" << px(f.x(degrees)) << "\" y=\"" << px(f.bottom + 20) << "\">"
            << degrees << "</text>\n";
    }
    svg << "</g>\n<g text-anchor=\"end\">\n";
    for (int k = 0; k <= ticks; ++k) {
        const double value = f.lowest + k * f.step;
        svg << "<text x=\"" << px(f.left - 8) << "\" y=\"" << px(f.y(value) + 4) << "\">"
            << shortest_text(value) << "</text>\n";
    }
    svg << "</g>\n<rect x=\"" << px(f.left) << "\" y=\"" << px(f.top) << "\" width=\""
        << px(f.right - f.left) << "\" height=\"" << px(f.bottom - f.top)
        << "\" fill=\"none\" stroke=\"#444444\"/>\n";
}

namespace {

// A coordinate in whole tenths of a pixel, as px() rounds it, and back to px()'s text.
long long tenths(double value) {
    long long t = 0;
    const std::string text = px(value);
    for (const char c : text) {
        t = c >= '0' && c <= '9' ? 10 * t + (c - '0') : t;
    }
    return text.starts_with('-') ? -t : t;
}
std::string tenths_text(long long t) {
    const long long magnitude = t < 0 ? -t : t;
    return (t < 0 ? "-" : "") + std::to_string(magnitude / 10) + '.' +
           static_cast<char>('0' + magnitude % 10);
}

} // namespace

std::string chart_path_data(const ChartFrame& f, const std::vector<std::vector<ChartPoint>>& runs) {
    std::string data;
    for (const auto& run : runs) {
        std::vector<TenthPoint> points;
        for (const ChartPoint& p : run) {
            points.push_back({tenths(f.x(p.degrees)), tenths(f.y(p.value))});
        }
        if (points.size() < 2) {
            continue;
        }
        const std::vector<TenthPoint> kept = simplified_polyline(points, 1);
        for (std::size_t k = 0; k < kept.size(); ++k) {
            data += k > 0 ? " L" : data.empty() ? "M" : " M";
            data += tenths_text(kept[k].x) + ' ' + tenths_text(kept[k].y);
        }
    }
    return data;
}

} // namespace radial
