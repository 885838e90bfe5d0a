#include "picture_files/png_encoding.h"

#include "picture/palette.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace radial {

std::optional<std::string> png_of(const PixelSurface& surface) {
    std::vector<png_byte> indices;
    indices.reserve(surface.data().size());
    for (const std::uint32_t pixel : surface.data()) {
        const int index = palette_index(pixel);
        if (index < 0) {
            return std::nullopt;
        }
        indices.push_back(static_cast<png_byte>(index));
    }
    std::vector<png_byte> colour_map;
    for (const Colour c : window_palette) {
        for (const int channel : {red_of(c), green_of(c), blue_of(c)}) {
            colour_map.push_back(static_cast<png_byte>(channel));
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.device_width());
    image.height = static_cast<png_uint_32>(surface.device_height());
    image.format = PNG_FORMAT_RGB_COLORMAP;
    image.colormap_entries = window_palette.size();
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(image, size, 0, indices.data(), 0, colour_map.data())) {
        png_image_free(&image);
        return std::nullopt;
    }
    std::string bytes(size, '\0');
    const bool written = png_image_write_to_memory(&image, bytes.data(), &size, 0, indices.data(),
                                                   0, colour_map.data()) != 0;
    png_image_free(&image);
    if (!written) {
        return std::nullopt;
    }
    bytes.resize(size);
    return bytes;
}

} // namespace radial
