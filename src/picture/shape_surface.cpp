#include "picture/shape_surface.h"

#include <algorithm>

namespace radial {

ShapeSurface::ShapeSurface(int width, int height)
    : width_(width), height_(height), view_(view_for_client(width, height)) {}

void ShapeSurface::line(double x1, double y1, double x2, double y2, Colour colour) {
    draw({Shape::Kind::line, x1, y1, x2, y2, colour, pen_width_});
}

void ShapeSurface::circle(double cx, double cy, double radius, Colour colour) {
    draw({Shape::Kind::circle, cx, cy, radius, 0, colour, pen_width_});
}

void ShapeSurface::draw(const Shape& shape) {
    std::erase_if(shapes_, [&shape](const Shape& s) {
        return s.kind == shape.kind && s.a == shape.a && s.b == shape.b && s.c == shape.c &&
               s.d == shape.d;
    });
    if (shape.colour != background_colour()) {
        shapes_.push_back(shape);
    }
}

} // namespace radial
