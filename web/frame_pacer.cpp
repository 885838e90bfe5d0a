#include "frame_pacer.h"

namespace radial {

int FramePacer::frames_due(double now_ms) {
    if (!started_) {
        started_ = true;
        next_ms_ = now_ms + frame_period_ms;
        return 1;
    }
    int frames = 0;
    while (frames < 2 && now_ms >= next_ms_ - early_ms) {
        ++frames;
        next_ms_ += frame_period_ms;
    }
    if (now_ms >= next_ms_ - early_ms) {
        next_ms_ = now_ms + frame_period_ms; // more than one frame behind: drop the rest
    }
    return frames;
}

} // namespace radial
