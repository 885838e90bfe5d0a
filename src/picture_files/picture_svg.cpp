#include "picture_files/picture_svg.h"

#include "svg/svg_text.h"

#include <sstream>

namespace radial {

namespace {

// Pixel coordinates go to a hundredth of a pixel.
constexpr int decimals = 2;

void write_shape(const Shape& shape, const View& view, PixelScale scale, std::ostream& svg) {
    const PixelPoint p = world_to_pixel(view, scale, shape.a, shape.b);
    if (shape.kind == Shape::Kind::circle) {
        svg << "<circle cx=\"" << px(p.x, decimals) << "\" cy=\"" << px(p.y, decimals) << "\" r=\""
            << px(shape.c * scale.x, decimals);
    } else {
        const PixelPoint q = world_to_pixel(view, scale, shape.c, shape.d);
        svg << "<line x1=\"" << px(p.x, decimals) << "\" y1=\"" << px(p.y, decimals) << "\" x2=\""
            << px(q.x, decimals) << "\" y2=\"" << px(q.y, decimals);
    }
    svg << "\" stroke=\"" << hex_colour(shape.colour) << "\" stroke-width=\"" << shape.pen
        << "\"/>\n";
}

} // namespace

std::string picture_svg(const ShapeSurface& surface) {
    const View view = surface.get_view();
    const PixelScale scale = pixel_scale(view, surface.width(), surface.height());
    std::ostringstream svg;
    open_svg(svg, surface.width(), surface.height(), "");
    svg << "<g fill=\"none\" stroke-linecap=\"square\">\n";
    for (const Shape& shape : surface.shapes()) {
        write_shape(shape, view, scale, svg);
    }
    svg << "</g>\n</svg>\n";
    return svg.str();
}

} // namespace radial
