#include "recording_surface.h"

#include <iomanip>

namespace radial::testing {

DrawCall line_call(double x1, double y1, double x2, double y2, Colour colour, int pen) {
    return {DrawCall::Kind::line, x1, y1, x2, y2, colour, pen};
}

DrawCall circle_call(double cx, double cy, double radius, Colour colour, int pen) {
    return {DrawCall::Kind::circle, cx, cy, radius, 0, colour, pen};
}

DrawCall clear_call() {
    return {DrawCall::Kind::clear};
}

void PrintTo(const DrawCall& call, std::ostream* os) {
    static const char* const names[] = {"line",       "circle",    "clear",   "view_height",
                                        "view_width", "view_left", "view_top"};
    *os << names[static_cast<int>(call.kind)] << std::setprecision(17) << '(' << call.a << ", "
        << call.b << ", " << call.c << ", " << call.d << ") colour 0x" << std::hex << call.colour
        << std::dec << " pen " << call.pen;
}

void RecordingSurface::clear() {
    calls.push_back(clear_call());
}

void RecordingSurface::line(double x1, double y1, double x2, double y2, Colour colour) {
    calls.push_back(line_call(x1, y1, x2, y2, colour, pen_width));
}

void RecordingSurface::circle(double cx, double cy, double radius, Colour colour) {
    calls.push_back(circle_call(cx, cy, radius, colour, pen_width));
}

void RecordingSurface::set_view_height(double height) {
    view.height = height;
    calls.push_back({DrawCall::Kind::view_height, height});
}

void RecordingSurface::set_view_width(double width) {
    view.width = width;
    calls.push_back({DrawCall::Kind::view_width, width});
}

void RecordingSurface::set_view_left(double left) {
    view.left = left;
    calls.push_back({DrawCall::Kind::view_left, left});
}

void RecordingSurface::set_view_top(double top) {
    view.top = top;
    calls.push_back({DrawCall::Kind::view_top, top});
}

std::vector<DrawCall> RecordingSurface::of_kind(DrawCall::Kind kind) const {
    std::vector<DrawCall> out;
    for (const DrawCall& call : calls) {
        if (call.kind == kind) {
            out.push_back(call);
        }
    }
    return out;
}

} // namespace radial::testing
