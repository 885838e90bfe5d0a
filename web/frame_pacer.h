#pragma once

namespace radial {

// Holds the page to 60 frames a second on the browser's animation-frame callbacks, whatever the
// display's refresh rate: a 120 Hz display runs a frame on every other callback, a 30 Hz one two
// on each. A callback that comes late makes up at most one missed frame; the rest are dropped, so
// a page that was held up never runs a burst of frames.
class FramePacer {
public:
    static constexpr double frame_period_ms = 1000.0 / 60;
    // A frame falls due this much before its time: callback timestamps jitter around the display's
    // period, and a callback a little early should not push its frame to the next one.
    static constexpr double early_ms = frame_period_ms / 4;

    // The frames to run in the callback at now_ms (0, 1 or 2). The first callback after start()
    // runs one.
    int frames_due(double now_ms);

    // Forgets the schedule: after a pause or a hidden tab the next callback starts it afresh.
    void start() { started_ = false; }

private:
    bool started_ = false;
    double next_ms_ = 0; // when the next frame falls due
};

} // namespace radial
