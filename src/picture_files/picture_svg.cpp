#include "picture_files/picture_svg.h"

#include "report/number_text.h"

#include <array>
#include <cstdio>
#include <sstream>

namespace radial {

namespace {

std::string hex_colour(Colour c) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", red_of(c), green_of(c), blue_of(c));
    return text.data();
}

// Pixel coordinates to a hundredth of a pixel.
std::string px(double value) {
    return fixed_text(value, 2);
}

void write_shape(const Shape& shape, const View& view, PixelScale scale, std::ostream& svg) {
    const PixelPoint p = world_to_pixel(view, scale, shape.a, shape.b);
    if (shape.kind == Shape::Kind::circle) {
        svg << "<circle cx=\"" << px(p.x) << "\" cy=\"" << px(p.y) << "\" r=\""
            << px(shape.c * scale.x);
    } else {
        const PixelPoint q = world_to_pixel(view, scale, shape.c, shape.d);
        svg << "<line x1=\"" << px(p.x) << "\" y1=\"" << px(p.y) << "\" x2=\"" << px(q.x)
            << "\" y2=\"" << px(q.y);
    }
    svg << "\" stroke=\"" << hex_colour(shape.colour) << "\" stroke-width=\"" << shape.pen
        << "\"/>\n";
}

} // namespace

std::string picture_svg(const ShapeSurface& surface) {
    const View view = surface.get_view();
    const PixelScale scale = pixel_scale(view, surface.width(), surface.height());
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << surface.width() << "\" height=\""
        << surface.height() << "\" viewBox=\"0 0 " << surface.width() << ' ' << surface.height()
        << "\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
        << "<g fill=\"none\" stroke-linecap=\"square\">\n";
    for (const Shape& shape : surface.shapes()) {
        write_shape(shape, view, scale, svg);
    }
    svg << "</g>\n</svg>\n";
    return svg.str();
}

} // namespace radial
