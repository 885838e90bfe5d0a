#pragma once

#include "core/event_pump.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>

namespace radial {

class EngineWindow;

// The frame loop's view of Qt's event queue. Each pump first shows what was drawn since the last
// one, then lets Qt deliver the pending events to EngineWindow and its controls; when a handler has
// asked to end the program, the pump throws QuitRequested. It returns once the window system has
// taken what was shown, as the frame loop then draws over it. The paced pump holds the animation to
// a fixed frame rate on a monotonic clock, sleeping in the window system's wait, never spinning.
class QtEventPump final : public EventPump {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration frame_period =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / 60));

    explicit QtEventPump(EngineWindow& form);

    void pump_events() override;
    void pump_events_paced() override;
    void wait_for_events() override;

    // Blocks, handling events, until the window has been activated for the first time (or has
    // been on screen a while without the platform reporting activation).
    void wait_for_first_activation();

private:
    void process_pending();
    void wait_once(Clock::time_point deadline,
                   QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
    void end_if_asked() const;

    EngineWindow& form_;
    QTimer wake_;
    Clock::time_point next_frame_;
};

} // namespace radial
