#include "picture_output.h"

#include "file_replacement.h"
#include "picture/pixel_surface.h"
#include "picture/shape_surface.h"
#include "picture/steady_run.h"
#include "picture_arguments.h"
#include "picture_files/cycle_animation.h"
#include "picture_files/picture_svg.h"
#include "picture_files/png_encoding.h"

namespace radial {

namespace {

int write_file(std::string_view flag, const std::string& path,
               const std::optional<std::string>& contents, std::ostream& err) {
    return contents ? write_flag_file(flag, path, *contents, err)
                    : refuse_flag_file(flag, path, "the image could not be encoded", err);
}

CentroidVector vector_of(const ToolOptions& o) {
    return o.vector ? CentroidVector::on : CentroidVector::off;
}

} // namespace

int write_picture(const ToolOptions& o, std::ostream& err) {
    const CentroidVector vector = vector_of(o);
    if (has_ending(o.picture_path, ".svg")) {
        ShapeSurface shapes(design_width_px, design_height_px);
        draw_steady(shapes, o.design, o.theta, vector);
        return write_file("--picture", o.picture_path, picture_svg(shapes), err);
    }
    PixelSurface pixels(design_width_px, design_height_px);
    draw_steady(pixels, o.design, o.theta, vector);
    return write_file("--picture", o.picture_path, png_of(pixels), err);
}

int write_animation(const ToolOptions& o, std::ostream& err) {
    return write_file("--animation", o.picture_path,
                      cycle_animation_gif(o.design, o.frames, vector_of(o)), err);
}

} // namespace radial
