#include "ui/form1.h"

#include "core/frame_loop.h"
#include "mechanism/mechanism_hooks.h"
#include "ui/qt_event_pump.h"

#include <QCloseEvent>
#include <QPainter>
#include <QWindow>

namespace radial {

const char *const Form1::caption =
    "      Radial Engine (select: number of cylinders, l/s ratio, wrist pin eccentricity)"
    "         Use: Mouse , . / c SpaceBar     ESC:Quit";

namespace {

// The client area at the design size: 10665 x 10425 twips.
const QSize design_client_size(static_cast<int>(design_width_twips / twips_per_pixel),
                               static_cast<int>(design_height_twips / twips_per_pixel));

class WindowHooks final : public MechanismHooks {
public:
    explicit WindowHooks(Form1 &form) : form_(form) {}
    void update_readouts(const EngineState &) override { form_.update_readouts(); }

private:
    Form1 &form_;
};

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent), surface_(design_client_size, devicePixelRatioF()) {
    setWindowTitle(caption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(design_client_size);
}

int Form1::run() {
    QtEventPump pump(*this);
    WindowHooks hooks(*this);
    FrameLoop loop(state_, surface_, pump, hooks);
    try {
        pump.wait_for_first_activation();
        loop.run();
    } catch (const QuitRequested &) {
        return 0;
    }
}

bool Form1::exposed() const {
    return windowHandle() != nullptr && windowHandle()->isExposed();
}

void Form1::show_drawing() {
    const QRect dirty = surface_.take_dirty();
    if (!dirty.isEmpty()) {
        update(dirty);
    }
}

void Form1::update_readouts() {}

void Form1::quit() {
    surface_.clear();
    quit_requested_ = true;
}

bool Form1::event(QEvent *event) {
    if (event->type() == QEvent::WindowActivate) {
        activated_ = true;
    }
    return QWidget::event(event);
}

void Form1::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal dpr = surface_.image().devicePixelRatio();
    painter.drawImage(
        area, surface_.image(),
        QRectF(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr));
}

void Form1::resizeEvent(QResizeEvent *) {
    surface_.resize(size(), devicePixelRatioF());
}

// Closing the window ends the program the way the quit commands do, paused or not.
void Form1::closeEvent(QCloseEvent *event) {
    quit();
    event->accept();
}

} // namespace radial
