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
    const PixelPoint origin = world_to_pixel(v, design_w, design_h, 0, 0);
    // 270 units at 19.75 twips each across, 270 units at 10425/520 twips down, 15 twips a pixel.
    EXPECT_NEAR(origin.x, 270 * 19.75 / 15, eps);
    EXPECT_NEAR(origin.y, 270 * (10425.0 / 520) / 15, eps);
    const PixelPoint top_left = world_to_pixel(v, design_w, design_h, -270, 270);
    EXPECT_NEAR(top_left.x, 0, eps);
    EXPECT_NEAR(top_left.y, 0, eps);
    const PixelPoint up = world_to_pixel(v, design_w, design_h, 0, 100);
    EXPECT_LT(up.y, origin.y);
    const PixelPoint back = pixel_to_world(v, design_w, design_h, origin.x, origin.y);
    EXPECT_NEAR(back.x, 0, eps);
    EXPECT_NEAR(back.y, 0, eps);
}

TEST(View, CirclesUseTheHorizontalUnit) {
    EXPECT_NEAR(world_length_to_pixels(design_view, design_w, 50), 50 * 19.75 / 15, eps);
}

TEST(View, LargerWindowKeepsOriginAndUnitsAndShowsMoreWorld) {
    const View v = resized_view(design_view, design_w, design_h, 2 * design_w, 1.5 * design_h);
    EXPECT_EQ(v.left, -270);
    EXPECT_EQ(v.top, 270);
    const PixelPoint a = world_to_pixel(design_view, design_w, design_h, 123, -45);
    const PixelPoint b = world_to_pixel(v, 2 * design_w, 1.5 * design_h, 123, -45);
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
}

TEST(View, RescaleZoomsAboutTheOrigin) {
    EXPECT_EQ(rescale_zoom(200, 200, 50), 1);
    EXPECT_DOUBLE_EQ(rescale_zoom(285, 200, 50), 1.34);
    EXPECT_DOUBLE_EQ(rescale_zoom(125, 200, 50), 0.7);

    EXPECT_EQ(rescaled_view(design_view, 1), design_view);
    const View v = rescaled_view(design_view, 1.34);
    EXPECT_DOUBLE_EQ(v.width, 540 * 1.34);
    EXPECT_DOUBLE_EQ(v.height, -520 * 1.34);
    // The origin keeps its place on screen, and a longer rod zooms out.
    const PixelPoint o1 = world_to_pixel(design_view, design_w, design_h, 0, 0);
    const PixelPoint o2 = world_to_pixel(v, design_w, design_h, 0, 0);
    EXPECT_NEAR(o1.x, o2.x, eps);
    EXPECT_NEAR(o1.y, o2.y, eps);
    EXPECT_LT(world_length_to_pixels(v, design_w, 50),
              world_length_to_pixels(design_view, design_w, 50));
}

} // namespace
} // namespace radial
