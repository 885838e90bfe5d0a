#include "core/view.h"

namespace radial {

PixelPoint world_to_pixel(const View& view, double width_px, double height_px, double x, double y) {
    return {(x - view.left) * width_px / view.width, (y - view.top) * height_px / view.height};
}

PixelPoint pixel_to_world(const View& view, double width_px, double height_px, double px,
                          double py) {
    return {view.left + px * view.width / width_px, view.top + py * view.height / height_px};
}

double world_length_to_pixels(const View& view, double width_px, double length) {
    return length * width_px / view.width;
}

View view_for_client(double width_px, double height_px) {
    const double design_width_px = design_width_twips / twips_per_pixel;
    const double design_height_px = design_height_twips / twips_per_pixel;
    return {design_view.left, design_view.top, design_view.width * width_px / design_width_px,
            design_view.height * height_px / design_height_px};
}

View resized_view(const View& view, double old_width_px, double old_height_px, double new_width_px,
                  double new_height_px) {
    return {view.left, view.top, view.width * new_width_px / old_width_px,
            view.height * new_height_px / old_height_px};
}

double rescale_zoom(double d, double d0, double r) {
    return (d + r) / (d0 + r);
}

View rescaled_view(const View& view0, double zoom) {
    return {zoom * view0.left, zoom * view0.top, zoom * view0.width, zoom * view0.height};
}

} // namespace radial
