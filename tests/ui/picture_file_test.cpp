// The picture files against the window's own surface: the window's frame loop runs on an
// ImageSurface from its start, and the PNG of the angle it reached must hold the same pixels.
#include "controls/commands.h"
#include "controls/parameter_bars.h"
#include "core/frame_loop.h"
#include "kinematics_cli.h"
#include "mechanism/mechanism_hooks.h"
#include "picture/steady_run.h"
#include "picture_files.h"
#include "svg/number_text.h"
#include "tool_run.h"
#include "ui/image_surface.h"

#include <gtest/gtest.h>

namespace radial {
namespace {

// Scroll bar values and how many frames the window runs from its start.
struct WindowRun {
    int cylinders_bar;
    int rod_bar;
    int wrist_bar;
    int frames;
    bool vector = false; // "c" typed before the first frame, and --vector
};

void PrintTo(const WindowRun& w, std::ostream* out) {
    *out << "bars " << w.cylinders_bar << ' ' << w.rod_bar << ' ' << w.wrist_bar << ", " << w.frames
         << " frames" << (w.vector ? ", vector" : "");
}

class PictureFile : public ::testing::TestWithParam<WindowRun> {};

TEST_P(PictureFile, HoldsThePixelsOfTheWindowSurfaceAtItsAngle) {
    const WindowRun w = GetParam();
    ImageSurface surface;
    EngineState s;
    NoWaitPump pump;
    MechanismHooks hooks;
    FrameLoop loop(s, surface, pump, hooks);
    loop.start_up();
    s.n = cylinders_from_bar(w.cylinders_bar);
    s.d = rod_length_from_bar(w.rod_bar, s.r);
    s.rp = wrist_radius_from_bar(w.wrist_bar, s.r);
    if (w.vector) {
        on_key_press(s, 'c');
    }
    for (int k = 0; k < w.frames; ++k) {
        loop.frame();
    }

    const testing::ScratchDirectory dir;
    const std::string path = dir / "window.png";
    const std::string n = std::to_string(s.n), d = shortest_text(s.d), rp = shortest_text(s.rp);
    const std::string theta = shortest_text(s.theta);
    std::vector<std::string_view> args = {"--picture",      path, "--theta",      theta,
                                          "--cylinders",    n,    "--rod-length", d,
                                          "--wrist-radius", rp};
    if (w.vector) {
        args.push_back("--vector");
    }
    const auto r = testing::run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    int width = 0, height = 0;
    const std::vector<std::uint32_t> png = testing::png_pixels(path, width, height);
    ASSERT_EQ(width, 711);
    ASSERT_EQ(height, 695);
    const QImage& image = surface.image();
    int differ = 0;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            differ += png[static_cast<std::size_t>(y * width + x)] != row[x];
        }
    }
    EXPECT_EQ(differ, 0) << "theta " << theta;
}

// The start values; 35 cylinders with the longest rods, zoomed out, 18 frames after the loop
// brought its angle back past 4 pi; 3 cylinders with the shortest rods, zoomed in; and with the
// centroid vector, whose erase at its last stroke comes after the mechanism is drawn.
INSTANTIATE_TEST_SUITE_P(Engines, PictureFile,
                         ::testing::Values(WindowRun{27, 500, 95, 40}, WindowRun{3, 330, 130, 170},
                                           WindowRun{35, 650, 50, 60},
                                           WindowRun{35, 400, 120, 25, true}));

} // namespace
} // namespace radial
