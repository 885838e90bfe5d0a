#include "core/view.h"

namespace radial {

PixelScale pixel_scale(const View& view, double width_px, double height_px) {
    return {width_px / view.width, height_px / view.height};
}

PixelPoint world_to_pixel(const View& view, PixelScale scale, double x, double y) {
    return {(x - view.left) * scale.x, (y - view.top) * scale.y};
}

PixelPoint pixel_to_world(const View& view, PixelScale scale, double px, double py) {
    return {view.left + px / scale.x, view.top + py / scale.y};
}

View view_for_client(double width_px, double height_px) {
    return {design_view.left, design_view.top, design_view.width * width_px / design_width_px,
            design_view.height * height_px / design_height_px};
}

View resized_view(const View& view, PixelScale scale, double new_width_px, double new_height_px) {
    return {view.left, view.top, new_width_px / scale.x, new_height_px / scale.y};
}

double rescale_zoom(double d, double d_start, double r) {
    return (d + r) / (d_start + r);
}

View rescaled_view(const View& start_view, double zoom) {
    return {zoom * start_view.left, zoom * start_view.top, zoom * start_view.width,
            zoom * start_view.height};
}

} // namespace radial
