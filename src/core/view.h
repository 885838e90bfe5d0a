#pragma once

namespace radial {

// The visible world rectangle. width and height are spans: the right edge is left + width and
// the bottom edge is top + height, so with y growing upward the height is negative.
struct View {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    friend bool operator==(const View&, const View&) = default;
};

struct PixelPoint {
    double x = 0;
    double y = 0;
};

// The view of the design window: x = -270 at the left edge, y = +270 at the top edge, 540 units
// across a client area 10665 twips wide and 520 units down one 10425 twips high.
constexpr View design_view{-270.0, 270.0, 540.0, -520.0};
constexpr double twips_per_pixel = 15.0;
constexpr double design_width_twips = 10665.0;
constexpr double design_height_twips = 10425.0;
// The design client area in whole pixels: 711 x 695.
constexpr int design_width_px = static_cast<int>(design_width_twips / twips_per_pixel);
constexpr int design_height_px = static_cast<int>(design_height_twips / twips_per_pixel);

// Logical pixels per world unit across (x) and down (y, negative with y up): the view's spans
// over the client area's. A window keeps its scale when it is resized, so a shape maps to the
// same pixels before and after.
struct PixelScale {
    double x = 0;
    double y = 0;
};

PixelScale pixel_scale(const View& view, double width_px, double height_px);

// Where world point (x, y) lands, in pixels from the client area's top-left corner.
PixelPoint world_to_pixel(const View& view, PixelScale scale, double x, double y);

// The inverse of world_to_pixel: the world point under pixel (px, py).
PixelPoint pixel_to_world(const View& view, PixelScale scale, double px, double py);

// The view for a client area of width_px x height_px pixels with the design's left, top and unit
// sizes: a larger window shows more world to the right and below.
View view_for_client(double width_px, double height_px);

// The view of a client area resized to new_width_px x new_height_px at the same scale: left and
// top stay, the spans follow the window.
View resized_view(const View& view, PixelScale scale, double new_width_px, double new_height_px);

// How much the view grows for master rod length d: (d + r) / (d_start + r).
double rescale_zoom(double d, double d_start, double r);

// The start view scaled about the world origin by zoom.
View rescaled_view(const View& start_view, double zoom);

} // namespace radial
