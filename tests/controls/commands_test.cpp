#include "controls/commands.h"

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
    EXPECT_EQ(s.crank_step, 0.05 * 1.05);
    EXPECT_EQ(on_key_press(s, U','), KeyOutcome::handled);
    EXPECT_NEAR(s.crank_step, 0.05 * 0.9975, 1e-15);
    EXPECT_EQ(on_key_press(s, U'/'), KeyOutcome::handled);
    EXPECT_EQ(s.crank_step, 0.05);
}

TEST_F(CommandsTest, TogglesFlipBetweenZeroAndOne) {
    on_key_press(s, U'c');
    EXPECT_EQ(s.vector_shown, 1);
    on_key_press(s, U'C');
    EXPECT_EQ(s.vector_shown, 0);
    on_key_press(s, U' ');
    EXPECT_EQ(s.paused, 1);
    on_key_press(s, U' ');
    EXPECT_EQ(s.paused, 0);
    on_mouse_down(s);
    EXPECT_EQ(s.mouse_sets_speed, 1);
    on_mouse_down(s);
    EXPECT_EQ(s.mouse_sets_speed, 0);
}

TEST_F(CommandsTest, OtherKeysDoNothingAndEscQuits) {
    const EngineState before = s;
    for (const char32_t key : {U'x', U'>', U'<', U'?', U'\r', U'0', char32_t{0}}) {
        EXPECT_EQ(on_key_press(s, key), KeyOutcome::ignored);
    }
    EXPECT_EQ(s.crank_step, before.crank_step);
    EXPECT_EQ(s.vector_shown + s.paused + s.mouse_sets_speed, 0);
    EXPECT_EQ(on_key_press(s, escape_key), KeyOutcome::quit);
}

// "g" is the window's to act on; the record must not change, or the page would move with it.
TEST_F(CommandsTest, ChartsKeyLeavesTheRecordAlone) {
    const EngineState before = s;
    EXPECT_EQ(on_key_press(s, U'g'), KeyOutcome::charts);
    EXPECT_EQ(on_key_press(s, U'G'), KeyOutcome::ignored);
    EXPECT_EQ(s.crank_step, before.crank_step);
    EXPECT_EQ(s.theta, before.theta);
    EXPECT_EQ(s.vector_shown + s.paused + s.mouse_sets_speed, 0);
}

TEST_F(CommandsTest, HoldingTheSpeedKeyStopsAtOneCyclePerFrame) {
    for (int k = 0; k < 100000; ++k) {
        on_key_press(s, U'.');
    }
    EXPECT_EQ(s.crank_step, max_step);
    s.crank_step = -1;
    for (int k = 0; k < 100000; ++k) {
        on_key_press(s, U'.');
    }
    EXPECT_EQ(s.crank_step, -max_step);
    for (int k = 0; k < 100000; ++k) {
        on_key_press(s, U',');
    }
    EXPECT_TRUE(std::isfinite(s.crank_step));
}

TEST_F(CommandsTest, MouseSetsTheStepOnlyWhenSwitchedOnAndOffTheAxes) {
    on_mouse_move(s, 200, 100);
    EXPECT_EQ(s.crank_step, 0.05); // mouse control is off
    on_mouse_down(s);
    EXPECT_EQ(s.crank_step, 0.05); // switching on does not change the step by itself
    on_mouse_move(s, 200, 100);
    EXPECT_EQ(s.crank_step, 0.1);
    on_mouse_move(s, -200, 100);
    EXPECT_EQ(s.crank_step, -0.1);
    on_mouse_move(s, 0, 100);
    EXPECT_EQ(s.crank_step, -0.1);
    // A product too small for single precision counts as on the axis.
    on_mouse_move(s, 1e-30f, 1e-30f);
    EXPECT_EQ(s.crank_step, -0.1);
    on_key_press(s, U'/');
    EXPECT_EQ(s.crank_step, 0.05);
    on_mouse_move(s, 1e6f, 1e6f);
    EXPECT_EQ(s.crank_step, max_step);
    on_mouse_down(s);
    on_mouse_move(s, 10, 10);
    EXPECT_EQ(s.crank_step, max_step); // kept when switched off
}

} // namespace
} // namespace radial
