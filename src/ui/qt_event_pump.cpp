#include "ui/qt_event_pump.h"

#include "ui/engine_window.h"

#include <QCoreApplication>

#include <optional>

namespace radial {

QtEventPump::QtEventPump(EngineWindow& form) : form_(form), next_frame_(Clock::now()) {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
}

void QtEventPump::end_if_asked() const {
    if (form_.quit_requested()) {
        throw QuitRequested{};
    }
}

void QtEventPump::process_pending() {
    form_.show_drawing();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    end_if_asked();
}

// Sleeps in the window system until an event arrives or the deadline passes, whichever is first.
void QtEventPump::wait_once(Clock::time_point deadline, QEventLoop::ProcessEventsFlags flags) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    wake_.start(std::max<int>(0, static_cast<int>(left.count())));
    QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
    wake_.stop();
    end_if_asked();
}

void QtEventPump::pump_events() {
    process_pending();
    form_.wait_until_shown();
}

// The wait handles whatever is pending first, so the drawing is shown and the events handled with
// one trip through Qt's event loop less than showing and handling them before waiting. By the
// end of the wait the server has mostly answered the request sent after the frame's puts. A late
// frame is not made up: the next deadline is one period after this one, or one period from now
// when this one was already missed by more than a period.
void QtEventPump::pump_events_paced() {
    form_.show_drawing();
    const Clock::time_point deadline = next_frame_;
    while (Clock::now() < deadline) {
        wait_once(deadline);
    }
    process_pending();
    form_.wait_until_shown();
    const Clock::time_point now = Clock::now();
    next_frame_ = deadline + frame_period;
    if (next_frame_ <= now) {
        next_frame_ = now + frame_period;
    }
}

void QtEventPump::wait_for_events() {
    form_.show_drawing();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    end_if_asked();
    form_.wait_until_shown();
}

// User input is left out of these waits, so that keys, mouse and bar clicks are handled by the
// frame loop's pumps, after the start values, where the window system keeps such events queued.
void QtEventPump::wait_for_first_activation() {
    using namespace std::chrono_literals;
    constexpr auto grace = 500ms; // for platforms that never report activation
    std::optional<Clock::time_point> shown_at;
    while (!form_.activated()) {
        if (form_.exposed() && !shown_at) {
            shown_at = Clock::now();
        }
        if (shown_at && Clock::now() - *shown_at >= grace) {
            break;
        }
        wait_once(shown_at ? *shown_at + grace : Clock::now() + 50ms,
                  QEventLoop::ExcludeUserInputEvents);
    }
    next_frame_ = Clock::now();
}

} // namespace radial
