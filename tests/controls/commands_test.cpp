#include "ui/commands.h"

#include <gtest/gtest.h>

#include <cmath>

namespace radial {
namespace {

class CommandsTest : public ::testing::Test {
protected:
    EngineState s;
    void SetUp() override { start_values(s); }
};

TEST_F(CommandsTest, SpeedKeysCompoundRatherThanUndo) {
    EXPECT_EQ(on_key_press(s, U'.'), KeyOutcome::handled);
    EXPECT_EQ(s.stepe, 0.05 * 1.05);
    EXPECT_EQ(on_key_press(s, U','), KeyOutcome::handled);
    EXPECT_NEAR(s.stepe, 0.05 * 0.9975, 1e-15);
    EXPECT_EQ(on_key_press(s, U'/'), KeyOutcome::handled);
    EXPECT_EQ(s.stepe, 0.05);
}

TEST_F(CommandsTest, TogglesFlipBetweenZeroAndOne) {
    on_key_press(s, U'c');
    EXPECT_EQ(s.c, 1);
    on_key_press(s, U'C');
    EXPECT_EQ(s.c, 0);
    on_key_press(s, U' ');
    EXPECT_EQ(s.w, 1);
    on_key_press(s, U' ');
    EXPECT_EQ(s.w, 0);
    on_mouse_down(s);
    EXPECT_EQ(s.mou, 1);
    on_mouse_down(s);
    EXPECT_EQ(s.mou, 0);
}

TEST_F(CommandsTest, OtherKeysDoNothingAndEscQuits) {
    const EngineState before = s;
    for (const char32_t key : {U'x', U'>', U'<', U'?', U'\r', U'0', char32_t{0}}) {
        EXPECT_EQ(on_key_press(s, key), KeyOutcome::ignored);
    }
    EXPECT_EQ(s.stepe, before.stepe);
    EXPECT_EQ(s.c + s.w + s.mou, 0);
    EXPECT_EQ(on_key_press(s, escape_key), KeyOutcome::quit);
}

TEST_F(CommandsTest, HoldingTheSpeedKeyStopsAtOneCyclePerFrame) {
    for (int k = 0; k < 100000; ++k) {
        on_key_press(s, U'.');
    }
    EXPECT_EQ(s.stepe, max_step);
    s.stepe = -1;
    for (int k = 0; k < 100000; ++k) {
        on_key_press(s, U'.');
    }
    EXPECT_EQ(s.stepe, -max_step);
    for (int k = 0; k < 100000; ++k) {
        on_key_press(s, U',');
    }
    EXPECT_TRUE(std::isfinite(s.stepe));
}

TEST_F(CommandsTest, MouseSetsTheStepOnlyWhenSwitchedOnAndOffTheAxes) {
    on_mouse_move(s, 200, 100);
    EXPECT_EQ(s.stepe, 0.05); // mouse control is off
    on_mouse_down(s);
    EXPECT_EQ(s.stepe, 0.05); // switching on does not change the step by itself
    on_mouse_move(s, 200, 100);
    EXPECT_EQ(s.stepe, 0.1);
    on_mouse_move(s, -200, 100);
    EXPECT_EQ(s.stepe, -0.1);
    on_mouse_move(s, 0, 100);
    EXPECT_EQ(s.stepe, -0.1);
    // A product too small for single precision counts as on the axis.
    on_mouse_move(s, 1e-30f, 1e-30f);
    EXPECT_EQ(s.stepe, -0.1);
    on_key_press(s, U'/');
    EXPECT_EQ(s.stepe, 0.05);
    on_mouse_move(s, 1e6f, 1e6f);
    EXPECT_EQ(s.stepe, max_step);
    on_mouse_down(s);
    on_mouse_move(s, 10, 10);
    EXPECT_EQ(s.stepe, max_step); // kept when switched off
}

TEST(ParameterBars, MapBarValuesToParameters) {
    EXPECT_EQ(cylinders_from_bar(25), 13);
    EXPECT_EQ(cylinders_from_bar(27), 11);
    EXPECT_EQ(cylinders_from_bar(23), 15);
    EXPECT_EQ(cylinders_from_bar(3), 35);
    EXPECT_EQ(cylinders_from_bar(35), 3);
    EXPECT_EQ(cylinders_from_bar(4), 35);
    EXPECT_EQ(cylinders_from_bar(34), 5);
    for (int v = 3; v <= 35; ++v) {
        const int n = cylinders_from_bar(v);
        EXPECT_TRUE(n % 2 == 1 && n >= 3 && n <= max_cylinders) << v;
    }
    EXPECT_EQ(rod_length_from_bar(330, 50), 285);
    EXPECT_EQ(rod_length_from_bar(331, 50), 284.5);
    EXPECT_EQ(rod_length_from_bar(500, 50), 200);
    EXPECT_EQ(rod_length_from_bar(650, 50), 125);
    EXPECT_EQ(wrist_radius_from_bar(50, 50), 75);
    EXPECT_EQ(wrist_radius_from_bar(95, 50), 52.5);
    EXPECT_EQ(wrist_radius_from_bar(130, 50), 35);
}

} // namespace
} // namespace radial
