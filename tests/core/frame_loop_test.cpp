#include "core/frame_loop.h"

#include "mechanism/crank.h"
#include "mechanism/mechanism_hooks.h"
#include "recording_surface.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace radial {
namespace {

using testing::DrawCall;

// The mechanism's hooks, each call written to a shared log before it runs.
class LoggingHooks : public MechanismHooks {
public:
    explicit LoggingHooks(std::vector<std::string>& log) : log_(log) {}
    void place_wrist_pins(EngineState& s) override {
        log_.push_back("body_angles");
        MechanismHooks::place_wrist_pins(s);
    }
    void update_readouts(const EngineState&) override { log_.push_back("readouts"); }
    void draw_axes(const EngineState& s, Surface& surface) override {
        log_.push_back("axes");
        MechanismHooks::draw_axes(s, surface);
    }
    void draw_cam_rings(const EngineState& s, Surface& surface) override {
        log_.push_back("cam_rings");
        MechanismHooks::draw_cam_rings(s, surface);
    }
    void draw_crank_and_master_rod(EngineState& s, Surface& surface) override {
        log_.push_back("crank");
        MechanismHooks::draw_crank_and_master_rod(s, surface);
    }
    void draw_link_rods(EngineState& s, Surface& surface) override {
        log_.push_back("link_rods");
        MechanismHooks::draw_link_rods(s, surface);
    }
    void draw_centroid_vector(EngineState& s, Surface& surface) override {
        log_.push_back("centroid");
        MechanismHooks::draw_centroid_vector(s, surface);
    }

private:
    std::vector<std::string>& log_;
};

// An event queue the test fills with actions; each pump runs the ones queued for it.
class FakePump : public EventPump {
public:
    explicit FakePump(std::vector<std::string>& log) : log_(log) {}
    std::vector<std::function<void()>> on_paced, on_plain, on_wait;

    void pump_events() override { run("pump", on_plain); }
    void pump_events_paced() override { run("pump_paced", on_paced); }
    void wait_for_events() override { run("wait", on_wait); }

private:
    void run(const char* name, std::vector<std::function<void()>>& queue) {
        log_.push_back(name);
        if (!queue.empty()) {
            auto action = queue.front();
            queue.erase(queue.begin());
            action();
        }
    }
    std::vector<std::string>& log_;
};

class FrameLoopTest : public ::testing::Test {
protected:
    std::vector<std::string> log;
    EngineState s;
    testing::RecordingSurface surface;
    FakePump pump{log};
    LoggingHooks hooks{log};
    FrameLoop loop{s, surface, pump, hooks};

    void SetUp() override {
        loop.start_up();
        log.clear();
        surface.calls.clear();
    }

    // The index of the first call matching pred, or -1.
    long first_index(const std::function<bool(const DrawCall&)>& pred) const {
        for (std::size_t k = 0; k < surface.calls.size(); ++k) {
            if (pred(surface.calls[k])) {
                return static_cast<long>(k);
            }
        }
        return -1;
    }
};

TEST_F(FrameLoopTest, StartUpGivesStartValuesAndReadsTheView) {
    EngineState fresh;
    testing::RecordingSurface other;
    other.view = {-300, 280, 600, -560};
    other.current_colour = red;
    FrameLoop second{fresh, other, pump, hooks};
    second.start_up();
    EXPECT_EQ(other.current_colour, black);
    EXPECT_EQ(fresh.start_view, (View{-300, 280, 600, -560}));
    EXPECT_EQ(fresh.n, 11);
    EXPECT_EQ(fresh.theta, 5);
    EXPECT_TRUE(other.calls.empty());
}

TEST_F(FrameLoopTest, StepsRunInOrderWithPumpsOnlyAtTheirPoints) {
    loop.frame();
    const std::vector<std::string> plain{"body_angles", "pump_paced", "readouts", "axes",
                                         "cam_rings",   "crank",      "link_rods"};
    EXPECT_EQ(log, plain);

    log.clear();
    s.vector_shown = true;
    loop.frame();
    std::vector<std::string> with_vector = plain;
    with_vector.push_back("centroid");
    with_vector.push_back("pump");
    EXPECT_EQ(log, with_vector);
}

TEST_F(FrameLoopTest, FirstFrameDrawsTheCrankpinAt505) {
    loop.frame();
    EXPECT_EQ(s.theta, 5.05);
    EXPECT_EQ(s.link_rod_length, 147.5);
    const MasterRod m = solve_master_rod(50, 200, 5.05);
    EXPECT_EQ(s.master_rod.crankpin_x, m.crankpin_x);
    EXPECT_EQ(s.master_rod.piston_height, m.piston_height);
    EXPECT_EQ(s.cam_ring_a.current, 5.05 / 12);
    EXPECT_EQ(s.cam_ring_b.current, -5.05 / 10);
    EXPECT_EQ(s.cam_ring_a.previous, 0);
    EXPECT_GE(first_index([&](const DrawCall& c) {
                  return c.kind == DrawCall::Kind::circle && c.a == m.crankpin_x &&
                         c.b == m.crankpin_y && c.c == 27 && c.colour == blue;
              }),
              0);
    EXPECT_EQ(surface.of_kind(DrawCall::Kind::clear).size(), 0U);
}

TEST_F(FrameLoopTest, ChangingOnlyTheCylinderCountClearsWithoutRescaling) {
    pump.on_paced.push_back([&] { s.n = 13; });
    loop.frame();
    EXPECT_EQ(surface.calls.front(), testing::clear_call());
    EXPECT_EQ(surface.of_kind(DrawCall::Kind::clear).size(), 1U);
    EXPECT_TRUE(surface.of_kind(DrawCall::Kind::view_width).empty());
    EXPECT_EQ(s.at_last_clear.n, 13);
    EXPECT_EQ(surface.of_kind(DrawCall::Kind::line).size(),
              surface.calls.size() - surface.of_kind(DrawCall::Kind::circle).size() - 1);
}

TEST_F(FrameLoopTest, ChangingTheRodLengthRescalesThenClears) {
    pump.on_paced.push_back([&] { s.d = 285; });
    loop.frame();
    const double zoom = (285.0 + 50) / (200 + 50);
    const std::vector<DrawCall> expected{
        {DrawCall::Kind::view_height, zoom * design_view.height},
        {DrawCall::Kind::view_width, zoom * design_view.width},
        {DrawCall::Kind::view_left, zoom * design_view.left},
        {DrawCall::Kind::view_top, zoom * design_view.top},
        testing::clear_call(),
    };
    ASSERT_GE(surface.calls.size(), expected.size());
    EXPECT_EQ(std::vector(surface.calls.begin(), surface.calls.begin() + 5), expected);
    EXPECT_EQ(s.at_last_clear.d, 285);

    // Back to the start length: the view is exactly the start view again.
    surface.calls.clear();
    pump.on_paced.push_back([&] { s.d = 200; });
    loop.frame();
    EXPECT_EQ(surface.view, design_view);
}

TEST_F(FrameLoopTest, ChangeWhilePausedIsDrawnWithOnceThenActedOnAtTheEnd) {
    pump.on_paced.push_back([&] { s.paused = true; });
    pump.on_wait.push_back([&] { s.d = 125; });
    pump.on_wait.push_back([&] { s.paused = false; });
    loop.frame();
    EXPECT_EQ(std::count(log.begin(), log.end(), "wait"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "readouts"), 1);
    // The axes of this frame already span d - r to d + r of the new length...
    const long axis = first_index([](const DrawCall& c) { return c.colour == grey; });
    ASSERT_GE(axis, 0);
    EXPECT_EQ(surface.calls[static_cast<std::size_t>(axis)].b, 75);
    // ...and the rescale and clear come only after everything was drawn.
    const long clear =
        first_index([](const DrawCall& c) { return c.kind == DrawCall::Kind::clear; });
    EXPECT_EQ(clear, static_cast<long>(surface.calls.size()) - 1);
    EXPECT_EQ(surface.of_kind(DrawCall::Kind::view_top).size(), 1U);
    // The link rods of that frame used the rod length of before the pause.
    EXPECT_EQ(s.link_rod_length, 147.5);
}

// A host that cannot wait inside a call: the first half stops before the pause point without
// waiting or moving the crank, and the second draws the frame the window would.
TEST_F(FrameLoopTest, HalvesSplitAtThePausePointWithoutWaiting) {
    pump.on_paced.push_back([&] { s.paused = true; });
    loop.frame_start();
    EXPECT_EQ(log, (std::vector<std::string>{"body_angles", "pump_paced", "readouts"}));
    EXPECT_TRUE(loop.paused());
    EXPECT_EQ(s.theta, 5);
    EXPECT_TRUE(surface.calls.empty());

    log.clear();
    s.paused = false;
    loop.frame_finish();
    EXPECT_EQ(log, (std::vector<std::string>{"axes", "cam_rings", "crank", "link_rods"}));
    EXPECT_EQ(s.theta, 5.05);
}

TEST_F(FrameLoopTest, ChangeInTheVectorsPumpIsActedOnAtTheEndOfTheFrame) {
    s.vector_shown = true;
    pump.on_plain.push_back([&] { s.rp = 35; });
    loop.frame();
    ASSERT_FALSE(surface.calls.empty());
    EXPECT_EQ(surface.calls.back(), testing::clear_call());
    EXPECT_EQ(surface.of_kind(DrawCall::Kind::clear).size(), 1U);
    EXPECT_TRUE(surface.of_kind(DrawCall::Kind::view_width).empty());
    EXPECT_EQ(s.at_last_clear.rp, 35);
}

TEST_F(FrameLoopTest, PhasesAreTakenBeforeTheAngleIsWrapped) {
    s.theta = 4 * s.pi - 0.01;
    loop.frame();
    const double unwrapped = 4 * s.pi - 0.01 + 0.05;
    EXPECT_EQ(s.cam_ring_a.current, unwrapped / 12);
    EXPECT_EQ(s.cam_ring_b.current, -unwrapped / 10);
    EXPECT_EQ(s.theta, unwrapped - 4 * s.pi);
}

TEST_F(FrameLoopTest, DecreasingAngleIsNeverWrapped) {
    s.crank_step = -1;
    for (int k = 0; k < 30; ++k) {
        loop.frame();
    }
    EXPECT_EQ(s.theta, 5.0 - 30);
    EXPECT_GT(s.cam_ring_b.current, 0);
}

TEST_F(FrameLoopTest, RunEndsOnlyWhenAPumpQuits) {
    EngineState fresh;
    int frames = 0;
    pump.on_paced.assign(40, [&] { ++frames; });
    pump.on_paced.push_back([] { throw QuitRequested{}; });
    FrameLoop running{fresh, surface, pump, hooks};
    EXPECT_THROW(running.run(), QuitRequested);
    EXPECT_EQ(frames, 40);
    EXPECT_NEAR(fresh.theta, 5 + 40 * 0.05, 1e-12);
}

} // namespace
} // namespace radial
