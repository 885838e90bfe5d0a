#include "picture/palette.h"
#include "picture/pixel_surface.h"
#include "picture/steady_run.h"
#include "picture_files.h"
#include "tool_run.h"

#include <algorithm>
#include <gif_lib.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace radial {
namespace {

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using Gif = std::unique_ptr<GifFileType, GifCloser>;

// The whole file read back by giflib, or null.
Gif read_gif(const std::string& path) {
    int error = 0;
    Gif gif(DGifOpenFileName(path.c_str(), &error));
    if (gif && DGifSlurp(gif.get()) != GIF_OK) {
        return nullptr;
    }
    return gif;
}

Gif animation(const testing::ScratchDirectory& dir, std::vector<std::string_view> args) {
    const std::string path = dir / "cycle.gif";
    args.insert(args.begin(), {"--animation", path});
    const auto r = testing::run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    return read_gif(path);
}

bool loops_for_ever(const SavedImage& first) {
    const ExtensionBlock* blocks = first.ExtensionBlocks;
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
        const std::string name(reinterpret_cast<const char*>(blocks[i].Bytes),
                               static_cast<std::size_t>(blocks[i].ByteCount));
        if (blocks[i].Function == APPLICATION_EXT_FUNC_CODE && name == "NETSCAPE2.0") {
            const GifByteType* loop = blocks[i + 1].Bytes;
            return blocks[i + 1].ByteCount == 3 && loop[0] == 1 && loop[1] == 0 && loop[2] == 0;
        }
    }
    return false;
}

TEST(CycleAnimation, Has209FramesOf2HundredthsLoopingForEverInTheWindowsColours) {
    const testing::ScratchDirectory dir;
    const Gif gif = animation(dir, {"--cylinders", "3"});
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->SWidth, 711);
    EXPECT_EQ(gif->SHeight, 695);
    ASSERT_EQ(gif->ImageCount, 209);
    EXPECT_TRUE(loops_for_ever(gif->SavedImages[0]));
    const ColorMapObject* map = gif->SColorMap;
    ASSERT_EQ(map->ColorCount, 8); // the palette and the transparent index after it
    for (std::size_t i = 0; i < window_palette.size(); ++i) {
        const GifColorType c = map->Colors[i];
        EXPECT_EQ(c.Red | c.Green << 8 | c.Blue << 16, static_cast<int>(window_palette[i])) << i;
    }
    for (int k = 0; k < gif->ImageCount; ++k) {
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), k, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, 2) << k;
        EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT) << k;
        const int transparent = static_cast<int>(window_palette.size());
        EXPECT_EQ(control.TransparentColor, k == 0 ? NO_TRANSPARENT_COLOR : transparent) << k;
    }
}

// Draws frame k of the file over canvas, as a viewer shows it.
void show_frame(GifFileType& gif, int k, std::vector<std::uint32_t>& canvas) {
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(&gif, k, &control);
    const SavedImage& image = gif.SavedImages[k];
    const GifImageDesc& at = image.ImageDesc;
    for (int y = 0; y < at.Height; ++y) {
        for (int x = 0; x < at.Width; ++x) {
            const int index = image.RasterBits[y * at.Width + x];
            if (index != control.TransparentColor) {
                const auto pixel =
                    static_cast<std::size_t>((at.Top + y) * gif.SWidth + at.Left + x);
                canvas[pixel] = pixel_value(window_palette[static_cast<std::size_t>(index)]);
            }
        }
    }
}

class CycleFrames : public ::testing::TestWithParam<int> {};

// Every frame shows the picture at its angle, the last one 4 pi / N before the first; and the
// frame that follows the last in steady running, as the loop itself steps and wraps, is the first.
TEST_P(CycleFrames, AreThePicturesAtTheirAnglesAndTheCycleCloses) {
    const int frames = GetParam();
    const testing::ScratchDirectory dir;
    const std::string count = std::to_string(frames);
    const Gif gif = animation(dir, {"--frames", count, "--rod-length", "150"});
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->ImageCount, frames);
    const EngineDesign parameters{11, 150, 52.5};
    const double step = four_stroke_cycle() / frames;
    std::vector<std::uint32_t> canvas(711 * 695);
    for (int k = 0; k < frames; ++k) {
        show_frame(*gif, k, canvas);
        PixelSurface picture(711, 695);
        draw_steady(picture, parameters, four_stroke_cycle() * k / frames, step);
        EXPECT_TRUE(std::ranges::equal(canvas, picture.data())) << "frame " << k;
    }
    PixelSurface surface(711, 695);
    SteadyRun run(surface, parameters);
    run.frame_at(-step);
    for (int k = 0; k <= frames; ++k) { // 0, step, ..., and the one after the last
        run.frame_at(run.state().theta + step);
    }
    std::vector<std::uint32_t> first(711 * 695);
    show_frame(*gif, 0, first);
    EXPECT_TRUE(std::ranges::equal(surface.data(), first)) << "theta " << run.state().theta;
}

INSTANTIATE_TEST_SUITE_P(Lengths, CycleFrames, ::testing::Values(2, 13, 60));

TEST(CycleAnimation, WithTheVectorHoldsThePicturesWithTheVector) {
    const testing::ScratchDirectory dir;
    const Gif gif = animation(dir, {"--frames", "3", "--cylinders", "5", "--vector"});
    ASSERT_TRUE(gif);
    ASSERT_EQ(gif->ImageCount, 3);
    const double step = four_stroke_cycle() / 3;
    std::vector<std::uint32_t> canvas(711 * 695);
    for (int k = 0; k < 3; ++k) {
        show_frame(*gif, k, canvas);
        PixelSurface picture(711, 695);
        draw_steady(picture, {5, 200, 52.5}, step * k, step, CentroidVector::on);
        EXPECT_TRUE(std::ranges::equal(canvas, picture.data())) << "frame " << k;
    }
}

} // namespace
} // namespace radial
