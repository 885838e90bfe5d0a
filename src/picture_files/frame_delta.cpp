#include "picture_files/frame_delta.h"

#include <algorithm>
#include <cstring>

namespace radial {

namespace {

// One row of a frame: each pixel's palette index, and whether it changed since the frame before.
struct RowPixels {
    std::vector<std::uint8_t> colour;
    std::vector<std::uint8_t> changed;
    std::vector<int> next_changed; // the first changed pixel from here on, or the row's width
    std::vector<int> colour_end;   // where the run of this pixel's colour ends
};

// Reads row y of rect; false if a pixel has a colour outside the palette.
bool read_row(PixelView now, const Pixels* before, int width, PixelRect rect, int y,
              RowPixels& row) {
    const auto start = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(rect.x);
    std::uint32_t last_pixel = pixel_value(window_palette[0]);
    int last_index = 0;
    for (std::size_t x = 0; x < static_cast<std::size_t>(rect.width); ++x) {
        const std::uint32_t pixel = now[start + x];
        if (pixel != last_pixel) {
            last_index = palette_index(pixel);
            last_pixel = pixel;
        }
        if (last_index < 0) {
            return false;
        }
        row.colour[x] = static_cast<std::uint8_t>(last_index);
        row.changed[x] = before == nullptr || (*before)[start + x] != pixel;
    }
    return true;
}

// The row's indices with as few changes of index along it as there can be: a changed pixel must
// take its colour, an unchanged one may take its colour or the transparent index. Runs of one
// index compress well, so each run is made as long as it can be: where the index must change, the
// next one is whichever of the pixel's two choices holds furthest along the row.
void choose_row(RowPixels& row, std::uint8_t* indices) {
    const int width = static_cast<int>(row.colour.size());
    for (int x = width - 1, next = width, end = width; x >= 0; --x) {
        const auto i = static_cast<std::size_t>(x);
        next = row.changed[i] ? x : next;
        end = x + 1 < width && row.colour[i + 1] == row.colour[i] ? end : x + 1;
        row.next_changed[i] = next;
        row.colour_end[i] = end;
    }
    int current = -1;
    for (std::size_t i = 0; i < row.colour.size(); ++i) {
        if (current != row.colour[i] && (current != transparent_index || row.changed[i])) {
            current = !row.changed[i] && row.next_changed[i] >= row.colour_end[i]
                          ? transparent_index
                          : row.colour[i];
        }
        indices[i] = static_cast<std::uint8_t>(current);
    }
}

} // namespace

PixelRect changed_rect(PixelView now, PixelView before, int width, int height) {
    PixelRect rect;
    const auto row_bytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* a = now.data() + static_cast<std::ptrdiff_t>(y) * width;
        const std::uint32_t* b = before.data() + static_cast<std::ptrdiff_t>(y) * width;
        if (std::memcmp(a, b, row_bytes) == 0) {
            continue;
        }
        int left = 0, right = width;
        while (a[left] == b[left]) {
            ++left;
        }
        while (a[right - 1] == b[right - 1]) {
            --right;
        }
        rect = united(rect, {left, y, right - left, 1});
    }
    return rect;
}

bool frame_indices(PixelView now, const Pixels* before, int width, PixelRect rect,
                   std::vector<std::uint8_t>& indices) {
    const auto w = static_cast<std::size_t>(rect.width);
    indices.resize(w * static_cast<std::size_t>(rect.height));
    RowPixels row{std::vector<std::uint8_t>(w), std::vector<std::uint8_t>(w), std::vector<int>(w),
                  std::vector<int>(w)};
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        if (!read_row(now, before, width, rect, y, row)) {
            return false;
        }
        choose_row(row, indices.data() + static_cast<std::size_t>(y - rect.y) * w);
    }
    return true;
}

void copy_rect(PixelView from, Pixels& to, int width, PixelRect rect) {
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        const auto start = static_cast<std::ptrdiff_t>(y) * width + rect.x;
        std::copy_n(from.begin() + start, rect.width, to.begin() + start);
    }
}

} // namespace radial
