#include "ui/image_surface.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace radial {
namespace {

bool all_white_image(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xFFFFFFu) != 0xFFFFFFu) {
                return false;
            }
        }
    }
    return true;
}

QRgb rgb_at(const ImageSurface& s, QPointF logical) {
    const qreal dpr = s.image().devicePixelRatio();
    return s.image().pixel(static_cast<int>(std::floor(logical.x() * dpr)),
                           static_cast<int>(std::floor(logical.y() * dpr))) &
           0xFFFFFFu;
}

TEST(ImageSurface, DesignSizeMapsTheOriginAndTheUnits) {
    ImageSurface s;
    EXPECT_EQ(s.image().size(), QSize(711, 695));
    EXPECT_EQ(s.get_view(), design_view);
    const QPointF origin = s.to_pixels(0, 0);
    EXPECT_NEAR(origin.x(), 270 * 19.75 / 15, 1e-9);
    EXPECT_NEAR(origin.y(), 270 * 10425.0 / 520 / 15, 1e-9);
    EXPECT_NEAR(s.to_pixels(100, 0).x() - origin.x(), 100 * 19.75 / 15, 1e-9);
    EXPECT_NEAR(s.to_pixels(0, 100).y() - origin.y(), -100 * 10425.0 / 520 / 15, 1e-9);
    const QPointF back = s.to_world(origin);
    EXPECT_NEAR(back.x(), 0, 1e-9);
    EXPECT_NEAR(back.y(), 0, 1e-9);
}

TEST(ImageSurface, DrawsInTheColourGivenOrTheCurrentOne) {
    ImageSurface s;
    s.set_pen_width(2);
    s.set_current_colour(blue);
    s.line(-100, 0, 100, 0);
    EXPECT_EQ(rgb_at(s, s.to_pixels(50, 0)), 0x0000FFu); // 0xBBGGRR blue is RGB #0000FF
    s.line(0, -100, 0, 100, orange_brown);
    EXPECT_EQ(rgb_at(s, s.to_pixels(0, 50)), 0xC04000u);
    s.circle(0, 0, 120); // still the current colour: the explicit one did not stick
    EXPECT_EQ(rgb_at(s, s.to_pixels(120, 0) - QPointF(0.5, 0)), 0x0000FFu);
}

TEST(ImageSurface, CirclesAreRoundWithTheRadiusAlongX) {
    ImageSurface s;
    s.set_pen_width(1);
    s.circle(0, 0, 100, red);
    const QPointF c = s.to_pixels(0, 0);
    const double r = 100 * 19.75 / 15;
    int hits_x = 0, hits_y = 0;
    for (double off = -1.5; off <= 1.5; off += 0.5) {
        hits_x += rgb_at(s, c + QPointF(r + off, 0)) == 0xFF0000u;
        hits_y += rgb_at(s, c + QPointF(0, r + off)) == 0xFF0000u;
    }
    EXPECT_GT(hits_x, 0);
    EXPECT_GT(hits_y, 0); // y units are shorter on screen, yet the circle reaches as far down
}

TEST(ImageSurface, RescaledViewMapsAboutTheOrigin) {
    ImageSurface s;
    const QPointF origin = s.to_pixels(0, 0);
    const View v = rescaled_view(design_view, 1.34);
    s.set_view_height(v.height);
    s.set_view_width(v.width);
    s.set_view_left(v.left);
    s.set_view_top(v.top);
    EXPECT_NEAR(s.to_pixels(0, 0).x(), origin.x(), 1e-9);
    EXPECT_NEAR(s.to_pixels(0, 0).y(), origin.y(), 1e-9);
    EXPECT_NEAR(s.to_pixels(134, 0).x() - origin.x(), 100 * 19.75 / 15, 1e-9);
}

// Drawing a shape again in white removes it pixel for pixel, also where shapes overlapped and
// at a device pixel ratio above 1.
TEST(ImageSurface, RedrawingInWhiteErasesExactly) {
    for (const qreal dpr : {1.0, 1.5, 2.0}) {
        ImageSurface s(QSize(711, 695), dpr);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> coord(-300, 300);
        std::uniform_real_distribution<double> radius(0, 60);
        struct Shape {
            bool is_line;
            double a, b, c, d;
            int pen;
        };
        std::vector<Shape> shapes;
        for (int k = 0; k < 200; ++k) {
            shapes.push_back({k % 2 == 0, coord(random), coord(random),
                              k % 2 == 0 ? coord(random) : radius(random), coord(random),
                              1 + k % 2});
        }
        const Colour colours[] = {grey, green, magenta, blue, red, orange_brown};
        for (std::size_t k = 0; k < shapes.size(); ++k) {
            const Shape& sh = shapes[k];
            s.set_pen_width(sh.pen);
            sh.is_line ? s.line(sh.a, sh.b, sh.c, sh.d, colours[k % 6])
                       : s.circle(sh.a, sh.b, sh.c, colours[k % 6]);
        }
        ASSERT_FALSE(all_white_image(s.image()));
        s.set_current_colour(s.background_colour());
        for (const Shape& sh : shapes) {
            s.set_pen_width(sh.pen);
            sh.is_line ? s.line(sh.a, sh.b, sh.c, sh.d) : s.circle(sh.a, sh.b, sh.c);
        }
        EXPECT_TRUE(all_white_image(s.image())) << "device pixel ratio " << dpr;
    }
}

TEST(ImageSurface, ResizeKeepsTheDrawingTheOriginAndTheUnits) {
    ImageSurface s;
    s.set_pen_width(2);
    s.line(-50, 20, 50, 20, red);
    const QPointF on_line = s.to_pixels(0, 20);
    s.resize(QSize(1400, 1000), 1.0);
    EXPECT_EQ(s.image().size(), QSize(1400, 1000));
    EXPECT_EQ(rgb_at(s, on_line), 0xFF0000u);
    EXPECT_NEAR(s.to_pixels(0, 20).x(), on_line.x(), 1e-9);
    EXPECT_NEAR(s.to_pixels(0, 20).y(), on_line.y(), 1e-9);
    EXPECT_DOUBLE_EQ(s.get_view().left, -270);
    EXPECT_DOUBLE_EQ(s.get_view().top, 270);
    EXPECT_GT(s.get_view().width, 540);
}

TEST(ImageSurface, ShapesDrawnBeforeAResizeEraseExactlyAfterIt) {
    ImageSurface s;
    std::mt19937 random(3);
    std::uniform_real_distribution<double> coord(-260, 260);
    std::vector<std::array<double, 4>> lines;
    for (int k = 0; k < 100; ++k) {
        lines.push_back({coord(random), coord(random), coord(random), coord(random)});
    }
    s.set_pen_width(2);
    for (const auto& l : lines) {
        s.line(l[0], l[1], l[2], l[3], red);
        s.circle(l[0], l[1], 10, blue);
    }
    for (const QSize size : {QSize(1003, 917), QSize(0, 0), QSize(711, 0), QSize(900, 701)}) {
        s.resize(size, 1.0);
    }
    EXPECT_EQ(s.size(), QSize(900, 701)); // empty sizes are passed over
    EXPECT_TRUE(std::isfinite(s.get_view().width) && std::isfinite(s.get_view().height));
    for (const auto& l : lines) {
        s.line(l[0], l[1], l[2], l[3], white);
        s.circle(l[0], l[1], 10, white);
    }
    EXPECT_TRUE(all_white_image(s.image()));
}

TEST(ImageSurface, NewDevicePixelRatioStartsBlankAtTheNewResolution) {
    ImageSurface s;
    s.line(-100, 0, 100, 0, red);
    s.resize(QSize(711, 695), 2.0);
    EXPECT_EQ(s.image().size(), QSize(1422, 1390));
    EXPECT_TRUE(all_white_image(s.image()));
    EXPECT_EQ(s.get_view(), design_view);
}

TEST(ImageSurface, DirtyAreaCoversWhatWasDrawnAndClearCoversAll) {
    ImageSurface s;
    EXPECT_TRUE(s.take_dirty_region().isEmpty());
    s.set_pen_width(2);
    s.circle(0, 0, 10, blue);
    const QRect dirty = s.take_dirty_region().boundingRect();
    EXPECT_TRUE(dirty.contains(s.to_pixels(10, 0).toPoint()));
    EXPECT_TRUE(dirty.contains(s.to_pixels(-10, 0).toPoint()));
    EXPECT_LT(dirty.width(), 60);
    EXPECT_TRUE(s.take_dirty_region().isEmpty());
    s.clear();
    EXPECT_EQ(s.take_dirty_region(), QRegion(0, 0, 711, 695));
}

TEST(ImageSurface, NeverDrawsNonFiniteCoordinates) {
    ImageSurface s;
    s.line(0, 0, std::nan(""), 5, red);
    s.line(0, 0, INFINITY, 5, red);
    s.circle(0, INFINITY, 5, red);
    EXPECT_TRUE(all_white_image(s.image()));
}

} // namespace
} // namespace radial
