#pragma once

#include "core/colour.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace radial {

// The start of an SVG drawing of width x height user units (pixels), one unit a pixel, on a white
// background: the XML declaration, the svg element with the given attributes after its size
// (" font-size=\"13\"", or none), and a white rectangle over the whole drawing. The drawing ends
// with "</svg>\n".
void open_svg(std::ostream& svg, double width, double height, std::string_view attributes);
// The same start as a string.
std::string svg_opening(double width, double height, std::string_view attributes);

// The charts' text: the svg element's attributes for open_svg.
constexpr std::string_view chart_font = " font-family=\"sans-serif\" font-size=\"13\"";

// A coordinate in pixels, to a tenth by default.
std::string px(double value, int decimals = 1);

// A round step for an axis or rings over a range of about rough per step: 1, 2 or 5 times a
// power of ten (or the next power of ten), whichever is nearest.
double round_step(double rough);

// A colour as SVG writes it: "#rrggbb", channels 0..255.
std::string hex_colour(int r, int g, int b);
std::string hex_colour(Colour colour);

} // namespace radial
