#include "core/view.h"

#include <gtest/gtest.h>

namespace radial {
namespace {

constexpr double design_w = 711;
constexpr double design_h = 695;
constexpr double eps = 1e-9;

TEST(View, DesignClientAreaShowsTheDesignView) {
    const View v = view_for_client(design_w, design_h);
    EXPECT_DOUBLE_EQ(v.left, -270);
    EXPECT_DOUBLE_EQ(v.top, 270);
    EXPECT_DOUBLE_EQ(v.width, 540);
    EXPECT_DOUBLE_EQ(v.height, -520);
}

TEST(View, MapsWorldToPixelsWithYUp) {
    const View v = design_view;
    const PixelScale scale = pixel_scale(v, design_w, design_h);
    const PixelPoint origin = world_to_pixel(v, scale, 0, 0);
    // 270 units at 19.75 twips each across, 270 units at 10425/520 twips down, 15 twips a pixel.
    EXPECT_NEAR(origin.x, 270 * 19.75 / 15, eps);
    EXPECT_NEAR(origin.y, 270 * (10425.0 / 520) / 15, eps);
    EXPECT_NEAR(scale.x, 19.75 / 15, eps);
    EXPECT_NEAR(scale.y, -10425.0 / 520 / 15, eps);
    const PixelPoint top_left = world_to_pixel(v, scale, -270, 270);
    EXPECT_NEAR(top_left.x, 0, eps);
    EXPECT_NEAR(top_left.y, 0, eps);
    const PixelPoint up = world_to_pixel(v, scale, 0, 100);
    EXPECT_LT(up.y, origin.y);
    const PixelPoint back = pixel_to_world(v, scale, origin.x, origin.y);
    EXPECT_NEAR(back.x, 0, eps);
    EXPECT_NEAR(back.y, 0, eps);
}

// Resizing keeps the scale itself, so every point maps to exactly the same pixel as before.
TEST(View, LargerWindowKeepsOriginAndUnitsAndShowsMoreWorld) {
    const PixelScale scale = pixel_scale(design_view, design_w, design_h);
    const View v = resized_view(design_view, scale, 2 * design_w, 1.5 * design_h);
    EXPECT_EQ(v.left, -270);
    EXPECT_EQ(v.top, 270);
    EXPECT_NEAR(v.width, 1080, eps);
    EXPECT_NEAR(v.height, -780, eps);
    const View back = resized_view(v, scale, design_w, design_h);
    EXPECT_NEAR(back.width, 540, eps);
}

TEST(View, RescaleZoomsAboutTheOrigin) {
    EXPECT_EQ(rescale_zoom(200, 200, 50), 1);
    EXPECT_DOUBLE_EQ(rescale_zoom(285, 200, 50), 1.34);
    EXPECT_DOUBLE_EQ(rescale_zoom(125, 200, 50), 0.7);

    EXPECT_EQ(rescaled_view(design_view, 1), design_view);
    const View v = rescaled_view(design_view, 1.34);
    EXPECT_DOUBLE_EQ(v.width, 540 * 1.34);
    EXPECT_DOUBLE_EQ(v.height, -520 * 1.34);
    // The origin keeps its place on screen.
    const PixelScale s1 = pixel_scale(design_view, design_w, design_h);
    const PixelScale s2 = pixel_scale(v, design_w, design_h);
    const PixelPoint o1 = world_to_pixel(design_view, s1, 0, 0);
    const PixelPoint o2 = world_to_pixel(v, s2, 0, 0);
    EXPECT_NEAR(o1.x, o2.x, eps);
    EXPECT_NEAR(o1.y, o2.y, eps);
    EXPECT_NEAR(s2.x, s1.x / 1.34, eps); // a longer rod zooms out
    EXPECT_NEAR(s2.y, s1.y / 1.34, eps);
}

} // namespace
} // namespace radial
