#include "ui/engine_window.h"

#include "controls/commands.h"
#include "controls/window_caption.h"
#include "core/frame_loop.h"
#include "mechanism/mechanism_hooks.h"
#include "ui/charts_window.h"
#include "ui/picture_view.h"
#include "ui/qt_event_pump.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

namespace radial {

const char* const EngineWindow::caption = window_caption;

namespace {

const QSize design_client_size(design_width_px, design_height_px);

class WindowHooks final : public MechanismHooks {
public:
    explicit WindowHooks(EngineWindow& form) : form_(form) {}
    void update_readouts(const EngineState&) override { form_.update_readouts(); }

private:
    EngineWindow& form_;
};

} // namespace

// The picture lies beneath the controls. When it is an X11 window of its own (on X11, whoever
// paints it), so is each control, made after it and so stacked above it; a control drawn into this
// window's backing store would lie beneath the picture's window.
EngineWindow::EngineWindow(QWidget* parent)
    : QWidget(parent), x11_(X11Presenter::for_application()),
      surface_(design_client_size, devicePixelRatioF(), x11_.get()), controls_(*this, state_),
      picture_(new PictureView(surface_, x11_.get(), this)) {
    setWindowTitle(caption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    resize(design_client_size);
    const QList<QWidget*> controls{controls_.cylinders_scroll_bar,
                                   controls_.rod_length_scroll_bar,
                                   controls_.wrist_radius_scroll_bar,
                                   controls_.cylinders_label,
                                   controls_.ls_label,
                                   controls_.eccentricity_label};
    picture_->setGeometry(rect());
    picture_->lower();
    for (QWidget* control : controls) {
        control->installEventFilter(this);
        if (picture_->testAttribute(Qt::WA_NativeWindow)) {
            control->setAttribute(Qt::WA_NativeWindow);
        }
    }
}

// The picture's view uses the surface and the presenter, which go with the members, before
// QWidget's destructor would delete the view with the other children.
EngineWindow::~EngineWindow() {
    delete picture_;
}

int EngineWindow::run(bool charts, const std::optional<EngineDesign>& design) {
    QtEventPump pump(*this);
    WindowHooks hooks(*this);
    FrameLoop loop(state_, surface_, pump, hooks);
    try {
        pump.wait_for_first_activation();
        if (charts) {
            toggle_charts();
        }
        if (!design) {
            loop.run();
        }
        controls_.stand_for(*design);
        loop.run(*design);
    } catch (const QuitRequested&) {
        return 0;
    }
}

bool EngineWindow::exposed() const {
    return windowHandle() != nullptr && windowHandle()->isExposed();
}

void EngineWindow::show_drawing() {
    picture_->show_changes();
}

void EngineWindow::wait_until_shown() {
    picture_->wait_until_shown();
}

void EngineWindow::update_readouts() {
    controls_.update_readouts(state_);
    if (charts_) {
        charts_->follow(state_.design, state_.theta);
    }
}

// The first time, the charts window goes to the right of this window's frame, or to its left
// where the screen has no room on the right; on a screen too narrow for either, against the
// screen's right edge. Its frame is taken to be as wide as this one's.
void EngineWindow::toggle_charts() {
    if (charts_ && charts_->isVisible()) {
        charts_->close();
        return;
    }
    if (!charts_) {
        charts_ = std::make_unique<ChartsWindow>([this](QKeyEvent* e) { return handle_key(e); });
        const QRect frame = frameGeometry();
        const int charts_width = charts_->width() + frame.width() - width();
        QPoint at(frame.right() + 1, frame.top());
        if (const QScreen* s = screen(); s != nullptr) {
            const QRect room = s->availableGeometry();
            if (at.x() + charts_width > room.right() + 1) {
                at.setX(frame.left() - charts_width >= room.left()
                            ? frame.left() - charts_width
                            : std::max(room.left(), room.right() + 1 - charts_width));
            }
        }
        charts_->move(at);
    }
    charts_->follow(state_.design, state_.theta);
    charts_->show();
}

void EngineWindow::quit() {
    surface_.clear();
    quit_requested_ = true;
}

bool EngineWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        activated_ = true;
    }
    return QWidget::event(event);
}

// Keys reach the command handler whichever bar has the focus; a command key is used up there, any
// other key goes on to the bar (arrows and page keys move it). Mouse events over a control stay
// with the control: the labels swallow them.
bool EngineWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return handle_key(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return qobject_cast<QLabel*>(watched) != nullptr;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

bool EngineWindow::handle_key(QKeyEvent* event) {
    char32_t key = 0;
    if (event->key() == Qt::Key_Escape) {
        key = escape_key;
    } else if (event->text().size() == 1) {
        key = event->text().at(0).unicode();
    }
    switch (on_key_press(state_, key)) {
    case KeyOutcome::quit:
        quit();
        return true;
    case KeyOutcome::handled:
        return true;
    case KeyOutcome::charts:
        toggle_charts();
        return true;
    case KeyOutcome::ignored:
        return false;
    }
    return false;
}

void EngineWindow::keyPressEvent(QKeyEvent* event) {
    if (!handle_key(event)) {
        QWidget::keyPressEvent(event);
    }
}

void EngineWindow::mousePressEvent(QMouseEvent*) {
    on_mouse_down(state_);
}

void EngineWindow::mouseDoubleClickEvent(QMouseEvent*) {
    quit();
}

void EngineWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPointF world = surface_.to_world(event->position());
    on_mouse_move(state_, static_cast<float>(world.x()), static_cast<float>(world.y()));
}

void EngineWindow::resizeEvent(QResizeEvent*) {
    surface_.resize(size(), devicePixelRatioF());
    picture_->setGeometry(rect());
}

// Closing the window ends the program the way the quit commands do, paused or not.
void EngineWindow::closeEvent(QCloseEvent* event) {
    quit();
    event->accept();
}

} // namespace radial
