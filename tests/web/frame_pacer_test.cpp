#include "frame_pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace radial {
namespace {

struct Display {
    double period_ms; // between animation-frame callbacks
    int callbacks;
    int frames;      // run over all of them
    int most_in_one; // frames in the busiest callback
};

// Steady callbacks at the display's rate, the first at 1000 ms.
std::vector<int> run(FramePacer& pacer, double period_ms, int callbacks, double start_ms = 1000) {
    std::vector<int> frames;
    for (int k = 0; k < callbacks; ++k) {
        frames.push_back(pacer.frames_due(start_ms + k * period_ms));
    }
    return frames;
}

// One second on each display: 60 frames wherever the display keeps up, two a callback at most.
TEST(FramePacer, SixtyFramesASecondOnAnyDisplay) {
    const Display displays[] = {
        {1000.0 / 60, 60, 60, 1}, {1000.0 / 120, 120, 60, 1}, {1000.0 / 144, 144, 60, 1},
        {1000.0 / 75, 75, 60, 1}, {1000.0 / 30, 30, 59, 2},   {50, 20, 39, 2},
    };
    for (const Display& d : displays) {
        FramePacer pacer;
        const std::vector<int> frames = run(pacer, d.period_ms, d.callbacks);
        int total = 0;
        for (const int f : frames) {
            total += f;
        }
        EXPECT_EQ(total, d.frames) << d.period_ms;
        EXPECT_EQ(*std::max_element(frames.begin(), frames.end()), d.most_in_one) << d.period_ms;
    }
}

TEST(FramePacer, AHundredAndTwentyHertzDisplayDrawsOnEveryOtherCallback) {
    FramePacer pacer;
    const std::vector<int> frames = run(pacer, 1000.0 / 120, 6);
    EXPECT_EQ(frames, (std::vector<int>{1, 0, 1, 0, 1, 0}));
}

// A page held up for a second makes up one frame, not sixty, then runs at its rate again.
TEST(FramePacer, AStallMakesUpOneFrameAndNeverBursts) {
    FramePacer pacer;
    run(pacer, 1000.0 / 60, 10);
    const double after_stall = 1000 + 9 * 1000.0 / 60 + 1000;
    EXPECT_EQ(run(pacer, 1000.0 / 60, 4, after_stall), (std::vector<int>{2, 1, 1, 1}));
}

TEST(FramePacer, StartingAfreshRunsAFrameAtOnce) {
    FramePacer pacer;
    EXPECT_EQ(pacer.frames_due(5000), 1);
    EXPECT_EQ(pacer.frames_due(5001), 0);
    pacer.start();
    EXPECT_EQ(pacer.frames_due(5002), 1);
}

} // namespace
} // namespace radial
