#pragma once

#include "core/engine_state.h"
#include "ui/image_surface.h"

#include <QWidget>

namespace radial {

// The animation's only window. It owns the engine record and the drawing surface; its handlers
// only set values in the record (the quit commands also clear), and everything is drawn by the
// frame loop, which run() enters once the window has first been activated.
class Form1 final : public QWidget {
public:
    static const char *const caption;

    explicit Form1(QWidget *parent = nullptr);

    // Waits for the first activation, then runs the frame loop until a quit command or the
    // window manager ends the program. Returns the exit status.
    int run();

    EngineState &state() { return state_; }
    ImageSurface &surface() { return surface_; }

    bool activated() const { return activated_; }
    bool exposed() const;
    bool quit_requested() const { return quit_requested_; }

    // Puts what was drawn since the last call on screen.
    void show_drawing();

    // The frame loop's readout hook.
    void update_readouts();

    // Clears the drawing and asks the frame loop to end the program at its pump.
    void quit();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    EngineState state_;
    ImageSurface surface_;
    bool activated_ = false;
    bool quit_requested_ = false;
};

} // namespace radial
