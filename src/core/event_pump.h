#pragma once

namespace radial {

// Thrown out of a pump when the user has asked to end the program; whoever entered the frame
// loop catches it and ends the program.
struct QuitRequested {};

// The window system's event queue as the frame loop sees it. Every input handler runs inside one
// of these calls, on the loop's thread, and only sets values in the engine record.
class EventPump {
public:
    virtual ~EventPump() = default;

    // Handles every pending event, then returns.
    virtual void pump_events() = 0;

    // Handles events as they arrive until the next frame is due, then every pending event. The
    // frame loop calls it once a frame; it is where the animation is paced.
    virtual void pump_events_paced() = 0;

    // Blocks until at least one event has arrived and handles the pending ones (while paused).
    virtual void wait_for_events() = 0;
};

} // namespace radial
