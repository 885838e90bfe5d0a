#pragma once

#include "picture/shape_surface.h"

#include <string>

namespace radial {

// The shapes on the surface as an SVG drawing of its client area (one user unit a pixel) on a
// white background: lines and circle outlines in their colours and pen widths, placed by the
// surface's view, in the order drawn.
std::string picture_svg(const ShapeSurface& surface);

} // namespace radial
