#pragma once

#include "core/engine_state.h"
#include "ui/image_surface.h"
#include "ui/parameter_controls.h"
#include "ui/x11_presenter.h"

#include <QWidget>

#include <memory>

class QKeyEvent;

namespace radial {

class ChartsWindow;
class PictureView;

// The animation's window. It owns the engine record and the drawing surface; its handlers only set
// values in the record (the quit commands also clear), and everything is drawn by the frame loop,
// which run() enters once the window has first been activated. The charts key opens and closes
// the charts window beside it, which follows the engine from the readout hook.
class EngineWindow final : public QWidget {
public:
    static const char* const caption;

    explicit EngineWindow(QWidget* parent = nullptr);
    ~EngineWindow() override;
    EngineWindow(const EngineWindow&) = delete;
    EngineWindow& operator=(const EngineWindow&) = delete;

    // Waits for the first activation, then runs the frame loop until a quit command or the
    // window manager ends the program. Returns the exit status. With charts, the charts window
    // opens beside this one once it is on screen.
    // With a design, the engine runs it and the bars stand for its settings.
    int run(bool charts = false, const std::optional<EngineDesign>& design = std::nullopt);

    EngineState& state() { return state_; }
    ImageSurface& surface() { return surface_; }
    ParameterControls& controls() { return controls_; }
    PictureView& picture() { return *picture_; }
    // The charts window, once the charts key has first opened it; null before.
    ChartsWindow* charts() { return charts_.get(); }

    bool activated() const { return activated_; }
    bool exposed() const;
    bool quit_requested() const { return quit_requested_; }

    // Puts what was drawn since the last call on screen.
    void show_drawing();

    // Returns once what was put on screen has been taken, so that the drawing may go on.
    void wait_until_shown();

    // The frame loop's readout hook: the readouts, and the charts' cursors while they are open.
    void update_readouts();

    // Opens the charts window beside this one (made the first time), or closes it.
    void toggle_charts();

    // Clears the drawing and asks the frame loop to end the program at its pump.
    void quit();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The one key handler of the window and its bars; true when the key was a command.
    bool handle_key(QKeyEvent* event);

    EngineState state_;
    std::unique_ptr<X11Presenter> x11_; // holds the surface's pixels, so declared before it
    ImageSurface surface_;
    ParameterControls controls_;
    PictureView* picture_;
    std::unique_ptr<ChartsWindow> charts_;
    bool activated_ = false;
    bool quit_requested_ = false;
};

} // namespace radial
