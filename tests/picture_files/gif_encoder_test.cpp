#include "picture_files/gif_encoder.h"

#include <gif_lib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace radial {
namespace {

// The file read back from memory by giflib.
struct Reading {
    const std::string* bytes;
    std::size_t at = 0;
};

int read_bytes(GifFileType* gif, GifByteType* into, int length) {
    auto* r = static_cast<Reading*>(gif->UserData);
    const std::size_t n = std::min(static_cast<std::size_t>(length), r->bytes->size() - r->at);
    std::memcpy(into, r->bytes->data() + r->at, n);
    r->at += n;
    return static_cast<int>(n);
}

struct ReadingCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

// Three colours (a table of four, the fourth white) and two frames: the whole 3 x 2 canvas, then
// its middle column with index 0 transparent.
TEST(GifEncoder, WritesTheTableTheFramesTheirPlacesDelaysAndTransparency) {
    GifEncoder gif(3, 2, std::vector<Colour>{0x0000FF, 0x00FF00, 0xFF0000});
    std::vector<std::uint8_t> whole = {0, 1, 2, 2, 1, 0};
    std::vector<std::uint8_t> column = {0, 1};
    gif.add_frame({0, 0, 3, 2}, whole, -1, 2);
    gif.add_frame({1, 0, 1, 2}, column, 0, 7);
    const std::optional<std::string> bytes = gif.finish();
    ASSERT_TRUE(bytes);

    Reading reading{&*bytes};
    int error = 0;
    std::unique_ptr<GifFileType, ReadingCloser> read(DGifOpen(&reading, read_bytes, &error));
    ASSERT_TRUE(read);
    ASSERT_EQ(DGifSlurp(read.get()), GIF_OK);
    EXPECT_EQ(read->SWidth, 3);
    EXPECT_EQ(read->SHeight, 2);
    const ColorMapObject* map = read->SColorMap;
    ASSERT_EQ(map->ColorCount, 4);
    const GifColorType red = map->Colors[0], white = map->Colors[3];
    EXPECT_EQ((std::vector<int>{red.Red, red.Green, red.Blue, white.Red, white.Green, white.Blue}),
              (std::vector<int>{255, 0, 0, 255, 255, 255}));
    ASSERT_EQ(read->ImageCount, 2);

    const struct {
        GifImageDesc place;
        std::vector<std::uint8_t> indices;
        int delay, transparent;
    } frames[] = {{{0, 0, 3, 2, false, nullptr}, whole, 2, NO_TRANSPARENT_COLOR},
                  {{1, 0, 1, 2, false, nullptr}, column, 7, 0}};
    for (int k = 0; k < 2; ++k) {
        const SavedImage& image = read->SavedImages[k];
        const GifImageDesc& desc = image.ImageDesc;
        EXPECT_EQ((std::vector{desc.Left, desc.Top, desc.Width, desc.Height}),
                  (std::vector{frames[k].place.Left, frames[k].place.Top, frames[k].place.Width,
                               frames[k].place.Height}));
        const std::vector<std::uint8_t> indices(image.RasterBits,
                                                image.RasterBits + desc.Width * desc.Height);
        EXPECT_EQ(indices, frames[k].indices) << k;
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(read.get(), k, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, frames[k].delay) << k;
        EXPECT_EQ(control.TransparentColor, frames[k].transparent) << k;
        EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT) << k;
    }
}

} // namespace
} // namespace radial
