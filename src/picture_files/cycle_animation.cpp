#include "picture_files/cycle_animation.h"

#include "picture/palette.h"
#include "picture/pixel_surface.h"
#include "picture_files/frame_delta.h"
#include "picture_files/gif_encoder.h"

#include <cstdint>
#include <vector>

namespace radial {

// Frame 0, at angle 0, is drawn at 4 pi, as window_angle has it: the frame that follows the last
// one in steady running, so the loop joins without a seam. (Drawn at 0 it would differ: the rings'
// erase marks fall on the lobe each ring numbers first, which has moved one lobe on over the
// cycle.) An unseen frame at 0 follows it, so that frame 1 comes after 0 as in steady running.
std::optional<std::string> cycle_animation_gif(const EngineDesign& design, int frames,
                                               CentroidVector vector) {
    const int width = design_width_px, height = design_height_px;
    PixelSurface surface(width, height);
    SteadyRun run(surface, design, vector);
    const double cycle = four_stroke_cycle();
    const auto angle = [cycle, frames](int k) { return cycle * k / frames; };

    std::vector<Colour> colours(window_palette.begin(), window_palette.end());
    colours.push_back(white); // the transparent index, unchanged
    GifEncoder gif(width, height, colours);
    std::vector<std::uint8_t> indices;
    run.frame_at(angle(frames - 2));
    run.frame_at(angle(frames - 1));
    run.frame_at(cycle);
    bool ok = frame_indices(surface.data(), nullptr, width, {0, 0, width, height}, indices);
    gif.add_frame({0, 0, width, height}, indices, -1, animation_delay);
    Pixels shown(surface.data().begin(), surface.data().end());
    run.frame_at(0);
    for (int k = 1; k < frames && ok; ++k) {
        run.frame_at(angle(k));
        PixelRect rect = changed_rect(surface.data(), shown, width, height);
        if (rect.empty()) {
            rect = {0, 0, 1, 1}; // a frame must cover something
        }
        ok = frame_indices(surface.data(), &shown, width, rect, indices);
        gif.add_frame(rect, indices, transparent_index, animation_delay);
        copy_rect(surface.data(), shown, width, rect);
    }
    std::optional<std::string> bytes = gif.finish();
    return ok ? bytes : std::nullopt;
}

} // namespace radial
