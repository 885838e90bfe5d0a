// Whole runs of the frame loop on a pixel surface, the user changing the parameters and the
// window's size at random in its pumps: every frame's pixels are those the stamping rasterizer
// draws, and the changed area it reports holds every pixel that changed.
#include "controls/commands.h"
#include "controls/parameter_bars.h"
#include "core/frame_loop.h"
#include "mechanism/mechanism_hooks.h"
#include "picture/pixel_surface.h"
#include "stamping_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace radial {
namespace {

// Draws every call on the surface under test and, with the stamping rasterizer, on a reference
// buffer of the same device size, at the device coordinates the surface computes for it.
class TwinSurface final : public Surface {
public:
    explicit TwinSurface(PixelSurface& surface) : s_(surface) {
        reference.assign(surface.data().begin(), surface.data().end());
    }

    void resize(int width, int height, double dpr) {
        const std::vector<std::uint32_t> old = reference;
        const int old_width = s_.device_width(), old_height = s_.device_height();
        const bool same_dpr = dpr == s_.device_pixel_ratio();
        s_.resize(width, height, dpr);
        reference.assign(s_.data().size(), pixel_value(white));
        for (int y = 0; same_dpr && y < std::min(old_height, s_.device_height()); ++y) {
            const auto from = old.begin() + y * old_width;
            std::copy(from, from + std::min(old_width, s_.device_width()),
                      reference.begin() + y * s_.device_width());
        }
    }

    void clear() override {
        s_.clear();
        std::fill(reference.begin(), reference.end(), pixel_value(white));
    }
    void set_pen_width(int pixels) override { s_.set_pen_width(pen_ = pixels); }
    void set_current_colour(Colour colour) override { s_.set_current_colour(colour_ = colour); }
    Colour get_current_colour() const override { return colour_; }
    Colour background_colour() const override { return s_.background_colour(); }
    void line(double x1, double y1, double x2, double y2, Colour colour) override {
        s_.line(x1, y1, x2, y2, colour);
        stamp_line(x1, y1, x2, y2, colour);
    }
    void circle(double cx, double cy, double radius, Colour colour) override {
        s_.circle(cx, cy, radius, colour);
        stamp_circle(cx, cy, radius, colour);
    }
    View get_view() const override { return s_.get_view(); }
    void set_view_height(double height) override { s_.set_view_height(height); }
    void set_view_width(double width) override { s_.set_view_width(width); }
    void set_view_left(double left) override { s_.set_view_left(left); }
    void set_view_top(double top) override { s_.set_view_top(top); }

    std::vector<std::uint32_t> reference;

private:
    PixelBuffer buffer() {
        return {reference.data(), s_.device_width(), s_.device_height(), s_.device_width()};
    }
    int device_pen() const {
        return std::max(1, static_cast<int>(std::lround(pen_ * s_.device_pixel_ratio())));
    }
    void stamp_line(double x1, double y1, double x2, double y2, Colour colour) {
        const PixelPoint a = s_.pixel_of(x1, y1), b = s_.pixel_of(x2, y2);
        const double dpr = s_.device_pixel_ratio();
        testing::stamp_line(buffer(), a.x * dpr, a.y * dpr, b.x * dpr, b.y * dpr, device_pen(),
                            pixel_value(colour));
    }
    void stamp_circle(double cx, double cy, double radius, Colour colour) {
        const PixelPoint c = s_.pixel_of(cx, cy);
        const double dpr = s_.device_pixel_ratio();
        testing::stamp_circle(buffer(), c.x * dpr, c.y * dpr, radius * s_.scale().x * dpr,
                              device_pen(), pixel_value(colour));
    }

    PixelSurface& s_;
    int pen_ = 1;
    Colour colour_ = black;
};

// Rectangles in bands from top to bottom, left to right within a band, all inside the client
// area, none overlapping or touching side by side: what a window system's region is built of.
bool well_formed(const std::vector<PixelRect>& rects, int width, int height) {
    for (std::size_t k = 0; k < rects.size(); ++k) {
        const PixelRect& r = rects[k];
        if (r.empty() || r.x < 0 || r.y < 0 || r.x + r.width > width || r.y + r.height > height) {
            return false;
        }
        const PixelRect* before = k > 0 ? &rects[k - 1] : nullptr;
        const bool same_band = before && before->y == r.y && before->height == r.height &&
                               before->x + before->width < r.x;
        if (before && !same_band && r.y < before->y + before->height) {
            return false;
        }
    }
    return true;
}

// The user: the frame loop's pumps first show the frame (copy the changed rectangles to a screen
// and compare), then change what a user could.
class RandomUser final : public EventPump {
public:
    static constexpr int frames = 2000;

    void pump_events() override { show_and_change(); }
    void pump_events_paced() override {
        if (++frame_ > frames || ::testing::Test::HasFailure()) {
            throw QuitRequested{};
        }
        show_and_change();
    }
    void wait_for_events() override { s.paused = false; }

    EngineState s;
    PixelSurface surface{400, 300};
    TwinSurface twin{surface};

private:
    void show_and_change() {
        show();
        change();
    }
    void show();
    void change();
    bool coin(int percent) { return std::uniform_int_distribution<int>(0, 99)(random_) < percent; }
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    std::mt19937 random_{2024};
    std::vector<std::uint32_t> screen_{surface.data().begin(), surface.data().end()};
    int frame_ = 0;
};

void RandomUser::show() {
    const std::vector<PixelRect> rects = surface.take_changed_rects();
    ASSERT_TRUE(well_formed(rects, surface.width(), surface.height())) << "frame " << frame_;
    const double dpr = surface.device_pixel_ratio();
    const int stride = surface.device_width();
    for (const PixelRect& logical : rects) {
        const PixelRect r = device_rect(logical, dpr, stride, surface.device_height());
        for (int y = r.y; y < r.y + r.height; ++y) {
            std::copy_n(surface.data().begin() + y * stride + r.x, r.width,
                        screen_.begin() + y * stride + r.x);
        }
    }
    ASSERT_TRUE(std::ranges::equal(screen_, surface.data()))
        << "a pixel outside the changed area, frame " << frame_;
    ASSERT_TRUE(std::ranges::equal(twin.reference, surface.data()))
        << "not the stamped pixels, frame " << frame_;
}

void RandomUser::change() {
    std::uniform_real_distribution<double> step(-max_step, max_step);
    if (coin(4)) {
        s.n = cylinders_from_bar(between(3, 35));
    }
    if (coin(3)) {
        s.d = rod_length_from_bar(between(330, 650), s.r);
    }
    if (coin(3)) {
        s.rp = wrist_radius_from_bar(between(50, 130), s.r);
    }
    if (coin(3)) {
        s.crank_step = coin(50) ? step(random_) : step(random_) / 100;
    }
    s.vector_shown = coin(2) ? 1 - s.vector_shown : s.vector_shown;
    if (coin(2)) {
        const double dpr = coin(20)
                               ? std::array{1.0, 1.5, 2.0}[static_cast<std::size_t>(between(0, 2))]
                               : surface.device_pixel_ratio();
        twin.resize(between(100, 640), between(100, 560), dpr);
        screen_.assign(surface.data().begin(),
                       surface.data().end()); // a resized window is painted whole
    }
}

TEST(FramePicture, EveryFrameIsTheStampedPictureAndChangesOnlyInsideItsChangedArea) {
    RandomUser user;
    MechanismHooks hooks;
    FrameLoop loop(user.s, user.twin, user, hooks);
    EXPECT_THROW(loop.run(), QuitRequested);
}

} // namespace
} // namespace radial
