#include "design_numbers.h"
#include "page_engine.h"

#include "picture/steady_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numbers>
#include <vector>

namespace radial {
namespace {

using Run = PageEngine::Run;

PageInput key(char32_t k) {
    return PageInput::key_press(k);
}

bool all_white(PixelSurface& surface) {
    const auto pixels = surface.data();
    return std::all_of(pixels.begin(), pixels.end(),
                       [](std::uint32_t p) { return p == pixel_value(white); });
}

class PageEngineTest : public ::testing::Test {
protected:
    PageEngine engine{1.0, PageStart{}};
};

// Paused, the page does no frame work at all; input then comes in at once, as in the window's
// wait, and the frame goes on when it resumes.
TEST_F(PageEngineTest, PausedStopsAtThePausePointUntilInputResumes) {
    engine.run_frame();
    engine.queue(key(U' '));
    EXPECT_EQ(engine.animation_frame(1000), Run::paused);
    EXPECT_EQ(engine.animation_frame(2000), Run::paused);
    EXPECT_EQ(engine.run_frame(), Run::paused);
    EXPECT_EQ(engine.state().theta, 5.05);
    EXPECT_EQ(engine.frames(), 1);

    engine.queue(key(U'.'));
    EXPECT_EQ(engine.wake(), Run::paused);
    EXPECT_EQ(engine.state().crank_step, 0.05 * 1.05);
    engine.queue(key(U' '));
    EXPECT_EQ(engine.wake(), Run::running);
    EXPECT_EQ(engine.state().theta, 5.05 + 0.05 * 1.05);
    EXPECT_EQ(engine.frames(), 2);
}

// The pacing starts afresh on resuming: the first callback after it runs one frame, not the two
// that the schedule from before the pause would have owed by then.
TEST_F(PageEngineTest, ResumingRunsOneFrameNotTheMissedOnes) {
    engine.animation_frame(0);
    engine.queue(key(U' '));
    EXPECT_EQ(engine.animation_frame(20), Run::paused);
    engine.queue(key(U' '));
    EXPECT_EQ(engine.wake(), Run::running);
    EXPECT_EQ(engine.frames(), 2);
    EXPECT_EQ(engine.animation_frame(8000), Run::running);
    EXPECT_EQ(engine.frames(), 3);
}

// Input waits for the frame's pump: a bar let go changes nothing before the next frame, and a bar
// let go where it already was changes nothing at all (the cylinder bar starts at 25, n at 11).
TEST_F(PageEngineTest, BarsAreTakenAtThePumpAndOnlyWhenMoved) {
    engine.queue(PageInput::bar_moved(cylinders_bar, 25));
    engine.queue(PageInput::bar_moved(rod_length_bar, 330));
    EXPECT_EQ(engine.state().d, 200);
    engine.run_frame();
    EXPECT_EQ(engine.state().n, 11);
    EXPECT_EQ(engine.state().d, 285);
    EXPECT_EQ(engine.readouts().ls, 2.85);
    engine.queue(PageInput::bar_moved(cylinders_bar, 4));
    engine.run_frame();
    EXPECT_EQ(engine.state().n, 35);
    EXPECT_EQ(engine.bar_position(cylinders_bar), 4);
}

// The cylinder bar starts at the position that means 13 while the engine has 11: standing there,
// it says 11, and the link writes 11; moved anywhere else, it says what it would set.
TEST_F(PageEngineTest, TheCylinderBarSaysTheEnginesCountWhereItStands) {
    EXPECT_EQ(engine.bar_position(cylinders_bar), 25);
    EXPECT_EQ(engine.bar_words(cylinders_bar, 25), "11 cylinders");
    EXPECT_EQ(engine.bar_words(cylinders_bar, 23), "15 cylinders");
    EXPECT_EQ(engine.bar_words(rod_length_bar, 499), "l/s 2.005");
    EXPECT_EQ(engine.settings().cylinders, 11);
    engine.queue(key(U'.'));
    engine.run_frame();
    EXPECT_EQ(engine.settings().speed, 0.05 * 1.05);
}

// The status record's fields and their names in the same order: a field added to one and not the
// other would shift every name after it.
TEST_F(PageEngineTest, StatusRecordHasAFieldForEveryName) {
    const auto names = std::count(page_status_fields.begin(), page_status_fields.end(), ',') + 1;
    EXPECT_EQ(static_cast<std::size_t>(names), sizeof(PageStatus) / sizeof(double));
    engine.run_frame();
    engine.queue(key(U' '));
    engine.run_frame();
    const PageStatus s = page_status(engine);
    EXPECT_EQ(std::vector<double>({s.cylinders, s.crank_step, s.paused, s.frames, s.waiting,
                                   s.ended, s.ls_readout}),
              std::vector<double>({11, 0.05, 1, 1, 1, 0, 2}));
    EXPECT_EQ(page_status_fields.substr(0, 25), "theta,cylinders,rodLength");
}

TEST_F(PageEngineTest, KeysThatAreNoCommandAreNotTaken) {
    EXPECT_FALSE(engine.queue(key(U'x')));
    EXPECT_TRUE(engine.queue(key(U'C')));
    EXPECT_TRUE(engine.queue(key(27)));
}

// Esc and a double click end the run at the pump that delivers them, with the picture cleared;
// what was queued after them is dropped.
TEST_F(PageEngineTest, QuitCommandsEndTheRunCleared) {
    for (const PageInput& quit : {key(27), PageInput::double_click_input()}) {
        PageEngine e(1.0, PageStart{});
        e.run_frame();
        ASSERT_FALSE(all_white(e.surface()));
        e.queue(quit);
        e.queue(key(U'.'));
        EXPECT_EQ(e.run_frame(), Run::ended);
        EXPECT_TRUE(all_white(e.surface()));
        EXPECT_EQ(e.state().crank_step, 0.05);
        EXPECT_EQ(e.run_frame(), Run::ended);
        EXPECT_EQ(e.frames(), 1);
    }
}

// A quit typed after the key that resumes a paused run still ends it at that pump: no frame is
// finished after it and the picture stays cleared.
TEST_F(PageEngineTest, QuitAfterResumingWhilePausedFinishesNoFrame) {
    engine.run_frame();
    engine.queue(key(U' '));
    EXPECT_EQ(engine.run_frame(), Run::paused);
    engine.queue(key(U' '));
    engine.queue(key(27));
    EXPECT_EQ(engine.wake(), Run::ended);
    EXPECT_EQ(engine.frames(), 1);
    EXPECT_TRUE(all_white(engine.surface()));
}

// Turned while paused, the engine shows the tool's picture at that angle in the revolution it was
// in (here the second: theta 2 pi + 1), at its own step, with a setting changed during the pause
// drawn too; resuming steps on from there. Running, it is not turned.
TEST_F(PageEngineTest, TurnedWhilePausedDrawsTheToolsPictureThereAndGoesOn) {
    engine.queue(key(U'.'));
    engine.queue(key(U'c'));
    while (engine.state().theta < 6.5) {
        engine.run_frame();
    }
    EXPECT_FALSE(engine.turn_to(1.0));
    engine.queue(key(U' '));
    ASSERT_EQ(engine.run_frame(), Run::paused);
    engine.queue(PageInput::bar_moved(cylinders_bar, 3));
    engine.wake();
    const long frames = engine.frames();

    ASSERT_TRUE(engine.turn_to(1.0));
    const double step = 0.05 * 1.05;
    PixelSurface tool(design_width_px, design_height_px, 1.0, nullptr, PixelOrder::canvas_bytes);
    draw_steady(tool, {35, 200, 52.5}, 2 * std::numbers::pi + 1, step, CentroidVector::on);
    EXPECT_TRUE(std::ranges::equal(engine.surface().data(), tool.data()));
    EXPECT_NEAR(engine.state().theta, 2 * std::numbers::pi + 1, 1e-12);
    EXPECT_EQ(engine.state().crank_step, step);
    EXPECT_EQ(engine.run_state(), Run::paused);
    EXPECT_EQ(engine.frames(), frames);

    // 0 in the second revolution is 2 pi.
    ASSERT_TRUE(engine.turn_to(0));
    EXPECT_EQ(engine.state().theta, 2 * std::numbers::pi);

    engine.queue(key(U' '));
    EXPECT_EQ(engine.wake(), Run::running);
    EXPECT_EQ(engine.state().theta, 2 * std::numbers::pi + step);
    EXPECT_EQ(engine.frames(), frames + 1);

    PageEngine first(1.0, PageStart{});
    first.run_frame();
    first.queue(key(U' '));
    ASSERT_EQ(first.run_frame(), Run::paused);
    ASSERT_TRUE(first.turn_to(0.5));
    EXPECT_NEAR(first.state().theta, 0.5, 1e-12);
    // 0 in the first is 4 pi, since the window's angles are in (0, 4 pi].
    ASSERT_TRUE(first.turn_to(0));
    EXPECT_EQ(first.state().theta, 4 * std::numbers::pi);
}

// The pointer's pixel goes to the world as over the window: the top-left corner is
// (-270, 270), so the step is -270 * 270 / 200000.
TEST_F(PageEngineTest, MouseSpeedFollowsThePointerOnceSwitchedOn) {
    engine.queue(PageInput::pointer_at(0, 0));
    engine.run_frame();
    EXPECT_EQ(engine.state().crank_step, 0.05);
    engine.queue(PageInput::mouse_press());
    engine.queue(PageInput::pointer_at(0, 0));
    engine.run_frame();
    EXPECT_EQ(engine.state().crank_step, -72900.0 / 200000);
}

// The cylinder bar starts where 13 would be while the engine has 11: the address's 13 must still
// give 13, and a bar let go there afterwards changes nothing.
TEST(PageEngineStart, AnAddressSettingTakesEffectWhereTheBarAlreadyStands) {
    PageStart start;
    set_bar_position(start, cylinders_bar, parameter_bars[cylinders_bar].start);
    PageEngine engine(1.0, start);
    engine.run_frame();
    EXPECT_EQ(engine.state().n, 13);
    EXPECT_EQ(engine.readouts().n, 13);
    EXPECT_EQ(engine.bar_position(cylinders_bar), 25);
}

TEST(PageEngineStart, AddressSettingsActLikeTheBarsAndKeysBeforeTheFirstFrame) {
    PageStart start;
    set_bar_position(start, cylinders_bar, 3);
    start.speed = -0.2;
    start.vector = true;
    start.paused = true;
    PageEngine engine(1.5, start);
    EXPECT_EQ(engine.run_frame(), Run::running);
    EXPECT_EQ(engine.state().n, 35);
    EXPECT_EQ(engine.state().vector_shown, 1);
    EXPECT_EQ(engine.state().theta, 5 - 0.2);
    EXPECT_EQ(engine.readouts().n, 35);
    EXPECT_EQ(engine.run_frame(), Run::paused);
    EXPECT_EQ(engine.frames(), 1);
    EXPECT_EQ(engine.surface().device_width(), 1067);
}

// The page's picture is the window's with each pixel's bytes in the canvas's order, red first:
// the start white, the clear, lines and circles alike.
TEST(CanvasPixels, TheWindowsPictureWithRedAndBlueSwapped) {
    PixelSurface words(40, 30, 1.5), bytes(40, 30, 1.5, nullptr, PixelOrder::canvas_bytes);
    for (PixelSurface* s : {&words, &bytes}) {
        s->line(-270, 270, -240, 255, green);
        s->clear();
        s->set_pen_width(2);
        s->line(-270, 270, -250, 255, red);
        s->circle(-260, 262, 5, blue);
    }
    ASSERT_EQ(bytes.data().size(), words.data().size());
    std::size_t unlike = 0, blue_pixels = 0;
    for (std::size_t k = 0; k < words.data().size(); ++k) {
        const std::uint32_t w = words.data()[k];
        const std::uint32_t swapped = (w & 0xFF00FF00u) | (w >> 16 & 0xFFu) | (w & 0xFFu) << 16;
        unlike += bytes.data()[k] != swapped;
        blue_pixels += bytes.data()[k] == canvas_pixel_value(blue);
    }
    EXPECT_EQ(unlike, 0U);
    EXPECT_GT(blue_pixels, 0U);
    std::uint8_t memory[4];
    const std::uint32_t value = canvas_pixel_value(blue);
    std::memcpy(memory, &value, 4);
    EXPECT_EQ(std::vector(memory, memory + 4), (std::vector<std::uint8_t>{0, 0, 0xFF, 0xFF}));
}

// The tiles' rectangles in device pixels, cut to the picture; a gap in a band is filled when it
// holds fewer pixels than a call costs (canvas_call_pixels, 16384: 256 x 64 is not fewer), and a
// band that is one rectangle in the columns of the one above joins it.
TEST(CanvasRects, BandsWithSmallGapsFilled) {
    const PixelSurface wide(1000, 200, 1.0);
    EXPECT_EQ(canvas_rects(wide, {{0, 0, 16, 64}, {271, 0, 16, 64}}),
              (std::vector<PixelRect>{{0, 0, 287, 64}}));
    EXPECT_EQ(canvas_rects(wide, {{0, 0, 16, 64}, {272, 0, 16, 64}}),
              (std::vector<PixelRect>{{0, 0, 16, 64}, {272, 0, 16, 64}}));
    EXPECT_EQ(canvas_rects(wide, {{0, 0, 16, 16}, {32, 0, 16, 16}, {0, 16, 48, 16}, {0, 48, 8, 8}}),
              (std::vector<PixelRect>{{0, 0, 48, 32}, {0, 48, 8, 8}}));
    const PixelSurface small(4, 3, 1.5); // 6 x 5 device pixels
    EXPECT_EQ(canvas_rects(small, {{3, 2, 9, 9}}), (std::vector<PixelRect>{{4, 3, 2, 2}}));
    EXPECT_EQ(canvas_rects(small, {{9, 9, 2, 2}}), std::vector<PixelRect>{});
    EXPECT_EQ(canvas_rects(small, {}), std::vector<PixelRect>{});
}

} // namespace
} // namespace radial

namespace radial {
namespace {

// The numbers the page hands between the engine and the worker give back the very design, lists
// and the unset bore included; numbers cut short give none.
TEST(DesignNumbers, GiveBackTheDesign) {
    EngineDesign listed{5, 42, 11, 10};
    listed.pin_rule = PinRule::level_tdc;
    listed.unit = LengthUnit::in;
    listed.pin_angles_deg = {85.1, 152, 208, 274.9};
    listed.link_lengths = {31.5, 31, 31, 31.5};
    listed.compression_ratio = 6.5;
    listed.speed_rpm = 1900;
    listed.heat_release = 2500;
    for (const EngineDesign& design : {listed, EngineDesign{}}) {
        const std::vector<double> numbers = design_numbers(design);
        EXPECT_EQ(design_of_numbers(numbers), design);
        EXPECT_FALSE(design_of_numbers(std::span(numbers).first(numbers.size() - 2)));
    }
}

// A design taken moves the bars to it; a rule chosen drops listed angles (and the lengths a match
// listed); a new cylinder count drops a design's lists, and the page counts it to say so.
TEST(PageEngineDesign, PlacementsAndDesignsChangeTheDesignAsTheyShould) {
    PageEngine engine(1.0, PageStart{});
    EngineDesign design{9, 10.25, 2.3, 2.75};
    design.pin_angles_deg = std::vector<double>(8, 40);
    design.link_lengths = std::vector<double>(8, 8);
    engine.queue(PageInput::design_given(design, PinPlacement::matched));
    engine.run_frame();
    EXPECT_EQ(engine.bar_position(cylinders_bar), 29);
    EXPECT_EQ(engine.bar_position(rod_length_bar), 900 - 373); // l/s 1.8636...
    EXPECT_EQ(engine.placement(), PinPlacement::matched);
    const long changes = engine.design_changes();
    engine.queue(PageInput::placement_chosen(PinPlacement::even));
    engine.run_frame();
    EXPECT_EQ(engine.design().pin_rule, PinRule::even);
    EXPECT_TRUE(engine.design().pin_angles_deg.empty());
    EXPECT_TRUE(engine.design().link_lengths.empty()); // they were the match's
    EXPECT_EQ(engine.design_changes(), changes + 1);

    design.pin_rule = PinRule::animation;
    engine.queue(PageInput::design_given(design, PinPlacement::listed));
    engine.queue(PageInput::bar_moved(cylinders_bar, 31)); // 7 cylinders
    engine.run_frame();
    EXPECT_EQ(engine.lists_dropped(), 1);
    EXPECT_EQ(engine.placement(), PinPlacement::animation);
    EXPECT_EQ(engine.design().crank_radius, 2.75);
    EXPECT_EQ(engine.state().n, 7);
}

} // namespace
} // namespace radial
